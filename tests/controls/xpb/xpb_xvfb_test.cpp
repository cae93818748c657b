#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include "xpb.h"
#include "xvfb.h"

namespace zoltrek {
namespace {

// Moves the real pointer and clicks the left button, as a person would.
bool clickAt(const QString& xdotool, QPoint global) {
    return QProcess::execute(xdotool, {"mousemove", QString::number(global.x()),
                                       QString::number(global.y()), "click", "1"}) == 0;
}

QPoint centreOf(const QWidget* w) {
    return w->mapToGlobal(w->rect().center());
}

TEST(XpBOnX, MessageBoxOpenedByClickIsClosedByItsOkButton) {
    const std::string xvfbPath = test::findOnPath("Xvfb");
    const std::string xdotoolPath = test::findOnPath("xdotool");
    if (xvfbPath.empty() || xdotoolPath.empty())
        GTEST_SKIP() << "Xvfb or xdotool is not installed (make deps installs both)";
    test::Xvfb server;
    std::string error;
    ASSERT_TRUE(server.start(xvfbPath, error)) << error;
    qputenv("DISPLAY", QByteArray::fromStdString(server.display()));
    qputenv("QT_QPA_PLATFORM", "xcb");

    int argc = 1;
    char name[] = "test_xpb_xvfb";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const QString xdotool = QString::fromStdString(xdotoolPath);

    QWidget window;
    window.setGeometry(100, 100, 300, 120);
    auto* button = new XpB(&window);
    button->move(20, 30);
    button->place(PropertyBag{{"_extentx", 3836},
                              {"_extenty", 661},
                              {"caption", std::string("Статистика")},
                              {"buttonstyle", 1}},
                  "XpB2");
    int clicks = 0;
    bool okClicked = false, boxClosed = false, timedOut = false;
    QObject::connect(button, &XpB::Click, [&] {
        ++clicks;
        QMessageBox box(QMessageBox::Information, "Статистика", "Нет данных для статистики.",
                        QMessageBox::Ok, &window);
        QTimer::singleShot(0, &box, [&] {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
            okClicked = clickAt(xdotool, centreOf(box.button(QMessageBox::Ok)));
        });
        QTimer::singleShot(5000, &box, [&] {
            timedOut = true;
            box.reject();
        });
        boxClosed = box.exec() == QMessageBox::Ok;
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    ASSERT_TRUE(clickAt(xdotool, centreOf(button)));
    QElapsedTimer clock;
    clock.start();
    while (!(boxClosed || timedOut) && clock.elapsed() < 8000)
        QTest::qWait(20);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(okClicked);
    EXPECT_FALSE(timedOut) << "the box's OK button never got the mouse";
    EXPECT_TRUE(boxClosed);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

}  // namespace
}  // namespace zoltrek
