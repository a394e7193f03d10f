#include "layout/ui/EditorPrompts.h"

#include "core/ResStrings.h"

TEditorPrompts TEditorPrompts::MessageBoxes()
{
    TEditorPrompts prompts;
    prompts.Ask = [](QWidget* parent, const QString& text, QMessageBox::StandardButtons buttons) {
        return QMessageBox::question(parent, LoadResStr(111), text, buttons);
    };
    prompts.Tell = [](QWidget* parent, int caption, const QString& text) {
        const QMessageBox::Icon icon = caption == 113 ? QMessageBox::Critical : QMessageBox::Warning;
        QMessageBox box(icon, LoadResStr(caption), text, QMessageBox::Ok, parent);
        box.exec();
    };
    return prompts;
}
