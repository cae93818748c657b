#include <gtest/gtest.h>

#include <QApplication>

// Widget tests share one application on the platform that CTest selects.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
