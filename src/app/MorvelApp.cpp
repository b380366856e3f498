#include "app/MorvelApp.h"

#include <QApplication>

int RunMorvel(int argc, char** argv)
{
    QApplication app(argc, argv);
    return 0;
}
