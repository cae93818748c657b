#include <gtest/gtest.h>

#include <QApplication>

#include "appearance.h"

// The windows need an application with the program's fonts and colours.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    zoltrek::setUpApplication(app);
    return RUN_ALL_TESTS();
}
