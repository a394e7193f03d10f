#include "mainwindow/TrayIcon.h"

#include "core/GbkCodec.h"
#include "core/ResStrings.h"
#include "mainwindow/MainWindowTexts.h"

namespace {

constexpr int TipBytes = 63;

}  // namespace

QString TrayTip(const QString& title) { return CutToGbkBytes(title, TipBytes); }

TTrayIcon::TTrayIcon(const QIcon& icon, const QString& title, QObject* parent) : QObject(parent), icon_(icon)
{
    menu_.addAction(LoadResStr(TxtMainShow), this, &TTrayIcon::ShowMainFace)->setObjectName(QStringLiteral("Mnu_ShowMainFace"));
    menu_.addAction(LoadResStr(TxtMainAbout), this, &TTrayIcon::About)->setObjectName(QStringLiteral("Mnu_Help"));
    menu_.addAction(LoadResStr(TxtMainExit), this, &TTrayIcon::Exit)->setObjectName(QStringLiteral("Mnu_Exit"));
    icon_.setContextMenu(&menu_);
    connect(&icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::DoubleClick)
            emit ShowMainFace();
    });
    SetTitle(title);
    icon_.show();
}

void TTrayIcon::SetTitle(const QString& title) { icon_.setToolTip(TrayTip(title)); }
