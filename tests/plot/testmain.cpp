// Drawing tests need fonts and images, not a display: the offscreen platform.

#include <QGuiApplication>

#include <gtest/gtest.h>

#include "plot/fonts.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    tessaly::plot::substituteFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
