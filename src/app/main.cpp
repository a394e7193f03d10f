#include "core/Paths.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    InitDataDir();
    return 0;
}
