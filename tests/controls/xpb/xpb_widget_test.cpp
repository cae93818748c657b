#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QTest>
#include <functional>

#include "xpb.h"

namespace zoltrek {
namespace {

// A shown, active window with a field and one button placed from its stored design; the
// button's events but MouseMove are listed in the order raised.
struct Window {
    explicit Window(const char* caption = "Новая заправка") {
        window.resize(300, 120);
        field->setFocusPolicy(Qt::StrongFocus);
        field->setGeometry(200, 80, 20, 20);
        button->move(20, 30);
        button->place(
            PropertyBag{{"_extentx", 3836}, {"_extenty", 661}, {"caption", std::string(caption)}},
            "XpB1");
        const auto log = [this](auto signal, const char* name) {
            QObject::connect(button, signal, [this, name] { events << name; });
        };
        log(&XpB::MouseIn, "MouseIn"), log(&XpB::MouseOut, "MouseOut");
        log(&XpB::MouseDown, "MouseDown"), log(&XpB::MouseUp, "MouseUp");
        log(&XpB::KeyDown, "KeyDown"), log(&XpB::KeyUp, "KeyUp"), log(&XpB::Click, "Click");
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
    void pointAt() { pointTo(button->mapToGlobal(QPoint(50, 10))); }
    void pointAway() { pointTo(window.mapToGlobal(QPoint(290, 5))); }
    void key(bool press, int key, Qt::KeyboardModifiers m, const char* text, bool repeat = false) {
        QTest::simulateEvent(QApplication::focusWidget(), press, key, m, text, repeat);
    }

    QWidget window;
    QWidget* field = new QWidget(&window);
    XpB* button = new XpB(&window);
    QStringList events;
};

TEST(XpBWidget, PlacedFromItsDesignNamedByDefaultGrownToTenPixels) {
    XpB unnamed;
    unnamed.place(PropertyBag{{"_extentx", 2000}, {"_extenty", 100}}, "XpB7");
    EXPECT_EQ(std::pair(unnamed.Caption(), unnamed.size()),
              std::pair(QString("XpB7"), QSize(76, 10)));
    EXPECT_EQ(unnamed.image().size(), QSize(76, 10));
    EXPECT_NE(unnamed.mhwnd(), WId(0)) << "a window handle of its own";
}

// The second press of a double click is no press; its release clicks again.
TEST(XpBWidget, LeftClickRaisesOneClickBeforeMouseUpAndDoubleClicksTwice) {
    Window w;
    w.pointAt();
    ASSERT_EQ(QWidget::mouseGrabber(), w.button) << "the entered button holds the capture";
    QTest::mouseClick(w.button, Qt::LeftButton, {}, {50, 10});
    EXPECT_EQ(w.events, (QStringList{"MouseIn", "MouseDown", "Click", "MouseUp"}));
    QTest::mouseDClick(w.button, Qt::LeftButton, {}, {50, 10});
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, {50, 10});
    EXPECT_EQ(std::pair(w.events.count("Click"), w.events.count("MouseDown")),
              std::pair(qsizetype(2), qsizetype(1)));
}

TEST(XpBWidget, TabFocusThenSpaceClicksWithThePointerOver) {
    for (bool over : {true, false}) {
        Window w;
        w.field->setFocus();
        w.key(true, Qt::Key_Tab, {}, "\t");
        ASSERT_TRUE(w.button->hasFocus());
        if (over)
            w.pointAt();
        w.events.clear();
        w.key(true, Qt::Key_Space, {}, " ");
        // A held key repeats its press; its repeated releases are not releases.
        w.key(false, Qt::Key_Space, {}, " ", true);
        w.key(true, Qt::Key_Space, {}, " ", true);
        EXPECT_EQ(w.button->state().Pressed, 1);
        w.key(false, Qt::Key_Space, {}, " ");
        EXPECT_EQ(w.events.join(" ").toStdString(),
                  over ? "KeyDown KeyDown Click MouseUp KeyUp" : "KeyDown KeyDown MouseUp KeyUp");
    }
}

TEST(XpBWidget, AccessKeyClicksWithAlt) {
    const std::tuple<const char*, int, const char*, int> rows[] = {
        {"Save && E&xit", Qt::Key_X, "x", 1},
        {"Save && E&xit", Qt::Key_S, "s", 0},
        {"&Новая", 0x41D, "н", 1}};
    for (auto [caption, key, text, clicks] : rows) {
        Window w(caption);
        w.key(true, key, Qt::AltModifier, text);
        w.key(false, key, Qt::AltModifier, text);
        EXPECT_EQ(w.events.count("Click"), clicks) << caption;
    }
}

TEST(XpBWidget, GrabEndsWhenHiddenWindowDisabledOrDestroyed) {
    const std::pair<const char*, std::function<void(Window&)>> rows[] = {
        {"hidden", [](Window& w) { w.button->hide(); }},
        {"window disabled", [](Window& w) { w.window.setEnabled(false); }},
        {"destroyed", [](Window& w) { delete w.button; }}};
    for (const auto& [what, act] : rows) {
        Window w;
        w.pointAt();
        ASSERT_EQ(QWidget::mouseGrabber(), w.button) << what;
        act(w);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << what;
    }
}

TEST(XpBWidget, ScreenReadersSeeAPushButtonNamedByItsCaption) {
    Window w("Save && E&xit");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.button);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), "Save & Exit");
    w.button->setCaption("&ОК");
    EXPECT_EQ(a->text(QAccessible::Name), "ОК");
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.events, QStringList{"Click"});
}

}  // namespace
}  // namespace zoltrek
