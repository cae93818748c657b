#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QMessageBox>
#include <QTest>
#include <algorithm>
#include <functional>
#include <utility>

#include "controls/xpb/widget/qimagecanvas.h"
#include "controls/xpb/widget/xpbplacement.h"

namespace zoltrek {
namespace {

constexpr QRgb kBack = qRgb(9, 9, 9);

// An image of one colour under a canvas; counts the pixels drawn on it.
struct Surface {
    Surface(int w, int h) : image(w, h, QImage::Format_RGB32), canvas(image, QApplication::font()) {
        image.fill(kBack);
    }
    int changed() const {
        const auto* p = reinterpret_cast<const QRgb*>(image.constBits());
        return int(image.sizeInBytes() / 4 - std::count(p, p + image.sizeInBytes() / 4, kBack));
    }
    QImage image;
    QImageCanvas canvas;
};

// Pixels exact; rectangles clipped at either side, or empty; text stays within its line, its
// access key underlined.
TEST(QImageCanvas, ExactPixelsClippedFillsAndUnderlinedText) {
    Surface s(10, 10);
    s.canvas.setPixel(1, 2, rgb(1, 2, 3));
    s.canvas.setPixel(10, 0, 0);
    EXPECT_EQ(
        std::tuple(s.image.pixel(1, 2), s.canvas.pixel(1, 2), s.canvas.pixel(-1, 0), s.changed()),
        std::tuple(qRgb(1, 2, 3), 0x00030201u, Canvas::kInvalidPixel, 1));
    const std::tuple<const char*, Rect, int> rows[] = {
        {"a fill inside", {1, 1, 4, 3}, 6},
        {"a fill clipped above and left", {-5, -5, 2, 2}, 4},
        {"a fill clipped below and right", {8, 8, 20, 20}, 4},
        {"an inverted fill paints nothing", {5, 1, 2, 4}, 0}};
    for (auto [name, r, painted] : rows) {
        Surface t(10, 10);
        t.canvas.fillRect(r, 0);
        EXPECT_EQ(t.changed(), painted) << name;
    }
    Surface t(120, 40);
    const QFontMetrics m(QApplication::font());
    t.canvas.drawTextLine(10, 5, TextLine{"Итого", 4}, rgb(0, 0, 255));  // underline "о"
    const int y = 5 + m.ascent() + m.underlinePos();
    for (int x = 10 + m.horizontalAdvance("Ит"); x < 10 + m.horizontalAdvance("Ито"); ++x)
        EXPECT_EQ(t.image.pixel(x, y), qRgb(0, 0, 255)) << x;
    EXPECT_GT(t.changed(), 10) << "text was drawn";
    t.canvas.fillRect({9, 4, 11 + m.horizontalAdvance("Итого"), 6 + m.height()}, rgb(9, 9, 9));
    EXPECT_EQ(t.changed(), 0) << "nothing drawn outside the line";
}

// An active window with a field and a placed button, whose events but MouseMove are listed, and
// a second button below it, whose Click is listed as "Click2".
struct Window {
    explicit Window(const char* caption = "Новая заправка")
        : button(placeXpB(&window, "XpB1", {20, 30, 145, 25}, caption)) {
        window.resize(300, 120);
        field->setFocusPolicy(Qt::StrongFocus);
        field->setGeometry(200, 80, 20, 20);
        const auto log = [this](auto signal, const char* name) {
            QObject::connect(button, signal, [this, name] { events << name; });
        };
        log(&XpB::MouseIn, "MouseIn"), log(&XpB::MouseOut, "MouseOut");
        log(&XpB::MouseDown, "MouseDown"), log(&XpB::MouseUp, "MouseUp");
        log(&XpB::KeyDown, "KeyDown"), log(&XpB::KeyUp, "KeyUp"), log(&XpB::Click, "Click");
        QObject::connect(placeXpB(&window, "XpB2", {20, 80, 145, 25}, "Статистика"), &XpB::Click,
                         [this] { events << "Click2"; });
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        pointAway();
        events.clear();
    }
    ~Window() { pointAway(); }
    // Moves the pointer as the platform does, so that the movement arrives as an event.
    static void pointTo(QPoint global) {
        QCursor::setPos(global);
        QCoreApplication::processEvents();
    }
    void pointAway() { pointTo(window.mapToGlobal(QPoint(290, 5))); }
    void key(bool press, int key, Qt::KeyboardModifiers m, const char* text, bool repeat = false) {
        QTest::simulateEvent(QApplication::focusWidget(), press, key, m, text, repeat);
    }

    QWidget window;
    QWidget* field = new QWidget(&window);
    XpB* button;
    QStringList events;
};

// Steps: a and b put the pointer over the button, o and p off it, s and t over the second; d
// presses, e double-clicks and u releases the left button where the pointer is. A button sees the
// mouse only while the pointer is over it or while it holds the capture, which the release ends;
// the second press of a double click is no press, but its release clicks again.
TEST(XpBWidget, MouseReachesTheButtonUnderThePointerOrHoldingTheCapture) {
    const std::pair<const char*, const char*> rows[] = {
        {"abdbopoabopu", "MouseIn MouseDown MouseIn MouseOut MouseIn MouseOut"},
        {"adbstu", "MouseIn MouseDown MouseIn MouseOut Click2"},
        {"adu sdu", "MouseIn MouseDown Click MouseUp Click2"},
        {"ae", "MouseIn MouseDown Click MouseUp Click MouseUp"}};
    const int ys[] = {40, 41, 65, 66, 90, 91};
    for (const auto& [steps, expected] : rows) {
        Window w;
        for (const char step : std::string_view(steps)) {
            const QPoint at = w.window.mapFromGlobal(QCursor::pos());
            if (const auto i = std::string_view("abopst").find(step); i != std::string_view::npos)
                w.pointTo(w.window.mapToGlobal(QPoint(50 + 10 * int(i % 2), ys[i])));
            else if (step == 'd')
                QTest::mousePress(w.window.windowHandle(), Qt::LeftButton, {}, at);
            else if (step == 'e')
                QTest::mouseDClick(w.window.windowHandle(), Qt::LeftButton, {}, at);
            else if (step == 'u')
                QTest::mouseRelease(w.window.windowHandle(), Qt::LeftButton, {}, at);
        }
        EXPECT_EQ(std::pair(w.events.join(" ").toStdString(), QWidget::mouseGrabber()),
                  std::pair(std::string(expected), static_cast<QWidget*>(nullptr)))
            << steps;
    }
}

// Tab reaches the button; Space, whose held key repeats its press only, clicks when let go with
// the pointer away from the button; Alt and the caption's access key click in any script; screen
// readers name and press the button.
TEST(XpBWidget, SpaceAccessKeyAndScreenReadersClick) {
    Window w("Save && E&xit");
    w.field->setFocus();
    w.key(true, Qt::Key_Tab, {}, "\t");
    ASSERT_TRUE(w.button->hasFocus());
    w.key(true, Qt::Key_Space, {}, " ");
    w.key(false, Qt::Key_Space, {}, " ", true);
    w.key(true, Qt::Key_Space, {}, " ", true);
    w.key(false, Qt::Key_Space, {}, " ");
    EXPECT_EQ(w.events.join(" ").toStdString(), "KeyDown KeyDown Click MouseUp KeyUp");
    w.events.clear();
    w.button->setCaption("&Новая");
    w.field->setFocus();  // the access key works from anywhere in the window
    w.key(true, 0x41D, Qt::AltModifier, "н");
    w.key(false, 0x41D, Qt::AltModifier, "н");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.button);
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(std::tuple(a->role(), a->text(QAccessible::Name), w.events.count("Click")),
              std::tuple(QAccessible::Button, QString("Новая"), 2));
}

// Whatever ends the button's part in the window lets the mouse go: a modal box gets every event.
TEST(XpBWidget, GrabEndsWhenHiddenWindowDisabledBlockedOrDestroyed) {
    const std::pair<const char*, std::function<void(Window&)>> rows[] = {
        {"hidden", [](Window& w) { w.button->hide(); }},
        {"blocked by a modal box", [](Window& w) { (new QMessageBox(&w.window))->show(); }},
        {"window disabled", [](Window& w) { w.window.setEnabled(false); }},
        {"destroyed", [](Window& w) { delete w.button; }}};
    for (const auto& [what, act] : rows) {
        Window w;
        w.pointTo(w.button->mapToGlobal(QPoint(50, 10)));
        ASSERT_EQ(QWidget::mouseGrabber(), w.button) << what;
        act(w);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << what;
    }
}

}  // namespace
}  // namespace zoltrek
