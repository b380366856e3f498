// One main for both test programs: the widget tests need a QApplication under the offscreen
// platform, the data tests a QCoreApplication at most.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#ifdef MORVEL_UI_TESTS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::testing::InitGoogleTest(&argc, argv);
#ifdef MORVEL_UI_TESTS
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
