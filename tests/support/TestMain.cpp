// Test entry: a QCoreApplication exists for the whole run, so code that needs
// an event loop, timers or Qt SQL can be tested.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
