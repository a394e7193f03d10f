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
    box.setInformativeText(QStringLiteral("%1%2<br><br>%3")
                               .arg(QCoreApplication::applicationName().toHtmlEscaped(), version,
                                    LoadResStr(3002).toHtmlEscaped()));
    box.addButton(LoadResStr(101), QMessageBox::AcceptRole);
    box.exec();
}
