#include "mainwindow/AboutBox.h"

#include "core/ResStrings.h"

#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

void RunAboutBox(QWidget* parent, const QString& title)
{
    QMessageBox box(parent);
    box.setWindowTitle(LoadResStr(231));
    box.setIconPixmap(QIcon(QStringLiteral(":/station.png")).pixmap(48, 48));
    box.setText(QStringLiteral("<b>%1</b>").arg(title.toHtmlEscaped()));
    // The build's version (set once, in the project's CMakeLists.txt), whoever opens the box.
    box.setInformativeText(QStringLiteral("callstation %1<br><br>%2")
                               .arg(QStringLiteral(PROJECT_VERSION).toHtmlEscaped(), LoadResStr(3002).toHtmlEscaped()));
    box.addButton(LoadResStr(101), QMessageBox::AcceptRole);
    box.exec();
}
