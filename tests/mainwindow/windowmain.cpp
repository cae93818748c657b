#include <gtest/gtest.h>

#include <QApplication>

#include "platform/appearance.h"
#include "program/program.h"

// The windows need the program's fonts and colours; "--system-faces" gives the system's alone.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const bool system = argc > 1 && QByteArray(argv[1]) == "--system-faces";
    zoltrek::setUpApplication(app, system ? zoltrek::Faces::System : zoltrek::Faces::Bundled);
    zoltrek::fitFaces(zoltrek::programTexts());
    return RUN_ALL_TESTS();
}
