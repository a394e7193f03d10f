#pragma once
// Pages whose tabs draw their own captions: centred on one line, the selected one blue, the others black.
#include <QTabBar>
#include <QTabWidget>

class TCaptionTabBar final : public QTabBar {
    Q_OBJECT
public:
    using QTabBar::QTabBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class TCaptionTabWidget final : public QTabWidget {
    Q_OBJECT
public:
    explicit TCaptionTabWidget(QWidget* parent = nullptr);
};
