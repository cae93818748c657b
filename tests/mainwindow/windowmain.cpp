#include <gtest/gtest.h>

#include <QApplication>

#include "platform/appearance.h"
#include "program/program.h"

// The windows need the program's fonts and colours; "--system-faces" gives the system's alone,
// and "--desktop-font" then sets a large font for the whole application, as a desktop's
// platform theme does once the program has started.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? argv[1] : "";
    zoltrek::setUpApplication(
        app, mode == "--system-faces" ? zoltrek::Faces::System : zoltrek::Faces::Bundled);
    zoltrek::fitFaces(zoltrek::programTexts());
    if (mode == "--desktop-font")
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 16));
    return RUN_ALL_TESTS();
}
