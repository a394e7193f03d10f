#include "mainwindow/AboutBox.h"

#include "core/Config.h"
#include "core/ResStrings.h"

#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

void RunAboutBox(QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(LoadResStr(231));
    box.setIconPixmap(QIcon(QStringLiteral(":/station.png")).pixmap(48, 48));
    QString version = QCoreApplication::applicationVersion();
    if (!version.isEmpty())
        version = QStringLiteral(" %1").arg(version.toHtmlEscaped());
    box.setText(QStringLiteral("<b>%1</b>").arg(Config.Title.toHtmlEscaped()));
    box.setInformativeText(QStringLiteral("%1%2<br><br>餐厅无线呼叫服务站：接收桌面呼叫器的呼叫，"
                                          "按场所布局显示，计时预警，记录服务情况。")
                               .arg(QCoreApplication::applicationName().toHtmlEscaped(), version));
    box.addButton(LoadResStr(101), QMessageBox::AcceptRole);
    box.exec();
}
