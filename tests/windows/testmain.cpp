#include <gtest/gtest.h>
#include <QApplication>

#include "appearance.h"

// The windows need an application with the program's fonts and colours.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    auto* app = new QApplication(argc, argv);
    zoltrek::setUpApplication(*app);
    const int result = RUN_ALL_TESTS();
    delete app;
    return result;
}
