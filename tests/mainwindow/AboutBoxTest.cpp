// The About box shows the version the project sets in its CMakeLists.txt, whoever opens it
// (the program's own name and version are not set in a window test).
#include "mainwindow/AboutBox.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <gtest/gtest.h>

TEST(AboutBox, ShowsTheProjectsVersion)
{
    QFile cmake(QStringLiteral(STATION_SOURCE_DIR "/CMakeLists.txt"));
    ASSERT_TRUE(cmake.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch project =
        QRegularExpression(QStringLiteral(R"(project\(\w+ VERSION ([0-9.]+))")).match(QString::fromUtf8(cmake.readAll()));
    ASSERT_TRUE(project.hasMatch());

    QString shown;
    QTimer::singleShot(0, [&shown] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                shown = box->informativeText();
                box->accept();
            }
    });
    RunAboutBox(nullptr, QStringLiteral("Velkaro"));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("callstation %1<br>").arg(project.captured(1)))) << shown.toStdString();
}
