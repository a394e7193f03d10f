#pragma once
// The layout editor's message boxes, behind functions so tests can answer them.
#include <QMessageBox>
#include <functional>

struct TEditorPrompts {
    // A question under caption 111 "确认" with the given buttons; the button chosen.
    std::function<QMessageBox::StandardButton(QWidget* parent, const QString& text,
                                              QMessageBox::StandardButtons buttons)> Ask;
    // A notice under a string-table caption: 112 with a warning icon, 113 with an error icon.
    std::function<void(QWidget* parent, int caption, const QString& text)> Tell;

    // Real message boxes.
    static TEditorPrompts MessageBoxes();
};
