#include <gtest/gtest.h>
#include <signal.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <cstdio>

#include "xpb.h"

namespace zoltrek {
namespace {

// A private X server on a free display that it picks itself and reports when it is ready.
struct Xvfb {
    Xvfb() {
        pipe = popen(
            "echo $$; exec Xvfb -displayfd 1 -screen 0 800x600x24 -nolisten tcp 2>/dev/null", "r");
        if (pipe && std::fscanf(pipe, "%d %d", &pid, &display) != 2)
            display = -1;
    }
    ~Xvfb() {
        if (display >= 0)
            ::kill(pid, SIGTERM);
        if (pipe)
            pclose(pipe);
    }
    FILE* pipe = nullptr;
    int pid = -1, display = -1;
};

TEST(XpBOnX, MessageBoxOpenedByClickIsClosedByItsOkButton) {
    const QString xdotool = QStandardPaths::findExecutable("xdotool");
    if (xdotool.isEmpty() || QStandardPaths::findExecutable("Xvfb").isEmpty())
        GTEST_SKIP() << "Xvfb or xdotool is not installed (make deps installs both)";
    Xvfb server;
    ASSERT_GE(server.display, 0) << "Xvfb did not start";
    qputenv("DISPLAY", ":" + QByteArray::number(server.display));
    qputenv("QT_QPA_PLATFORM", "xcb");
    int argc = 1;
    char name[] = "test_xpb_xvfb";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    // Moves the real pointer onto a widget and clicks the left button, as a person would.
    const auto click = [&](const QWidget* w) {
        const QPoint p = w->mapToGlobal(w->rect().center());
        const QString x = QString::number(p.x()), y = QString::number(p.y());
        return QProcess::execute(xdotool, {"mousemove", x, y, "click", "1"}) == 0;
    };

    QWidget window;
    window.setGeometry(100, 100, 300, 120);
    auto* button = new XpB(&window);
    button->move(20, 30);
    button->place(PropertyBag{{"_extentx", 3836}, {"_extenty", 661}, {"buttonstyle", 1}}, "XpB2");
    int clicks = 0;
    bool closedByOk = false, timedOut = false;
    QObject::connect(button, &XpB::Click, [&] {
        ++clicks;
        QMessageBox box(QMessageBox::Information, "Статистика", "Нет данных.", QMessageBox::Ok,
                        &window);
        QTimer::singleShot(0, &box, [&] {
            if (QTest::qWaitForWindowExposed(&box))
                click(box.button(QMessageBox::Ok));
        });
        QTimer::singleShot(5000, &box, [&] { timedOut = true, box.reject(); });
        closedByOk = box.exec() == QMessageBox::Ok;
    });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(click(button));
    for (QDeadlineTimer limit(8000); !(closedByOk || timedOut) && !limit.hasExpired();)
        QTest::qWait(20);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(timedOut) << "the box's OK button never got the mouse";
    EXPECT_TRUE(closedByOk);
}

}  // namespace
}  // namespace zoltrek
