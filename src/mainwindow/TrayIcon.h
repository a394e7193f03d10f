#pragma once
// The station's icon in the notification area, with its menu: open the main
// window, About, exit.
#include <QMenu>
#include <QObject>
#include <QSystemTrayIcon>

// The icon's tip: the title cut to the 63 bytes the notification area holds.
QString TrayTip(const QString& title);

class TTrayIcon final : public QObject {
    Q_OBJECT
public:
    TTrayIcon(const QIcon& icon, const QString& title, QObject* parent);
    void SetTitle(const QString& title);
    QString ToolTip() const { return icon_.toolTip(); }

signals:
    void ShowMainFace();
    void About();
    void Exit();

private:
    QMenu menu_;  // Pmnu_TrayIcon; outlives the icon that refers to it
    QSystemTrayIcon icon_;
};
