#pragma once
// A button showing a colour; a click picks another in the system colour dialog.
#include "core/Config.h"

#include <QPushButton>

class TColorSwatch final : public QPushButton {
    Q_OBJECT
public:
    explicit TColorSwatch(QWidget* parent = nullptr);
    TColor Color() const { return color_; }
    void SetColor(TColor color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PickColor();
    TColor color_ = 0;
};
