#include <gtest/gtest.h>
#include <QApplication>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform cannot grab the mouse at the window level and says so on every grab;
// the widget-level grab that the tests check still works.
void quietGrabWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (text.contains(QLatin1String("does not support grabbing")))
        return;
    previousHandler(type, context, text);
}

}  // namespace

// Widget tests share one application on the platform that CTest selects.
int main(int argc, char** argv) {
    previousHandler = qInstallMessageHandler(quietGrabWarnings);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
