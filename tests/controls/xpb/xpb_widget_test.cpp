#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>

#include "xpb.h"

namespace zoltrek {
namespace {

// A window design's stored values for one button, as the windows keep them.
PropertyBag design(const char* caption) {
    return PropertyBag{
        {"_extentx", 3836},   {"_extenty", 661},        {"caption", std::string(caption)},
        {"buttonstyle", 1},   {"showfocusrect", false}, {"xpdefaultcolors", false},
        {"xpcolor_hover", 0}, {"xpcolor_pressed", 0},   {"pictureposition", 0},
        {"picturewidth", 0},  {"pictureheight", 0}};
}

// A shown window with one button, and the button's events in the order raised.
struct Window {
    explicit Window(const char* caption = "Новая заправка") {
        window.resize(300, 120);
        other = new QWidget(&window);
        other->setFocusPolicy(Qt::StrongFocus);
        other->setGeometry(200, 80, 20, 20);
        button = new XpB(&window);
        button->move(20, 30);
        button->place(design(caption), "XpB1");
        const auto log = [this](const char* what) { return [this, what] { events << what; }; };
        QObject::connect(button, &XpB::Click, log("Click"));
        QObject::connect(button, &XpB::MouseDown, log("MouseDown"));
        QObject::connect(button, &XpB::MouseUp, log("MouseUp"));
        QObject::connect(button, &XpB::MouseIn, log("MouseIn"));
        QObject::connect(button, &XpB::MouseOut, log("MouseOut"));
        QObject::connect(button, &XpB::KeyDown, log("KeyDown"));
        QObject::connect(button, &XpB::KeyUp, log("KeyUp"));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        pointAway();
        events.clear();
    }
    ~Window() { pointAway(); }
    // Moves the pointer as the platform does, so the move arrives as a real event.
    static void pointTo(QPoint global) {
        QCursor::setPos(global);
        QCoreApplication::processEvents();
    }
    void pointAt(QPoint local) { pointTo(button->mapToGlobal(local)); }
    void pointAway() { pointTo(window.mapToGlobal(QPoint(290, 5))); }
    int count(const char* what) const { return static_cast<int>(events.count(what)); }

    QWidget window;
    QWidget* other;
    XpB* button;
    QStringList events;
};

TEST(XpBWidget, PlacedFromItsWindowDesign) {
    Window w;
    EXPECT_EQ(w.button->size(), QSize(145, 25));
    EXPECT_EQ(w.button->objectName(), "XpB1");
    EXPECT_EQ(w.button->Caption(), "Новая заправка");
    EXPECT_EQ(w.button->ButtonStyle(), 1);
    EXPECT_FALSE(w.button->ShowFocusRect());
    EXPECT_EQ(w.button->state().ButtonWidth, 145);
    EXPECT_EQ(w.button->image().size(), QSize(145, 25));
    // Style 1 shows no border until hovered; the caption is drawn in the button text colour.
    EXPECT_EQ(w.button->image().pixel(0, 0), qRgb(240, 240, 240));
    const Rect& c = w.button->state().CaptionRect;
    int dark = 0;
    for (int y = c.top; y < c.bottom; ++y)
        for (int x = c.left; x < c.right; ++x)
            dark += qRed(w.button->image().pixel(x, y)) < 100;
    EXPECT_GT(dark, 20);
    // A design without the caption gives the instance's name.
    XpB unnamed;
    unnamed.place(PropertyBag{{"_extentx", 2000}, {"_extenty", 100}}, "XpB7");
    EXPECT_EQ(unnamed.Caption(), "XpB7");
    EXPECT_EQ(unnamed.size(), QSize(76, 10)) << "below 10 pixels grows to 150 twips";
    PropertyBag out;
    w.button->writeProperties(out);
    EXPECT_EQ(out.readText("caption", ""), "Новая заправка");
    EXPECT_EQ(out.readInt("buttonstyle", 2), 1);
}

TEST(XpBWidget, LeftClickRaisesOneClickBeforeMouseUp) {
    Window w;
    w.pointAt({50, 10});
    EXPECT_EQ(QWidget::mouseGrabber(), w.button) << "the entered button holds the capture";
    QTest::mouseClick(w.button, Qt::LeftButton, {}, {50, 10});
    EXPECT_EQ(w.events, (QStringList{"MouseIn", "MouseDown", "Click", "MouseUp"}));
    EXPECT_TRUE(w.button->hasFocus()) << "a click takes the focus";
}

TEST(XpBWidget, PressLeaveReleaseDoesNotClick) {
    Window w;
    w.pointAt({50, 10});
    QTest::mousePress(w.button, Qt::LeftButton, {}, {50, 10});
    // Taking the focus on the press cleared the hover look, so the first movement enters
    // again and the next one leaves.
    w.pointTo(w.button->mapToGlobal(QPoint(160, 10)));
    w.pointAway();
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, {400, 10});
    EXPECT_EQ(w.count("Click"), 0);
    EXPECT_EQ(w.count("MouseOut"), 1);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST(XpBWidget, DoubleClickRaisesTwoClicks) {
    Window w;
    w.pointAt({50, 10});
    QTest::mousePress(w.button, Qt::LeftButton, {}, {50, 10});
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, {50, 10});
    QTest::mouseDClick(w.button, Qt::LeftButton, {}, {50, 10});
    QTest::mouseRelease(w.button, Qt::LeftButton, {}, {50, 10});
    EXPECT_EQ(w.count("Click"), 2);
    EXPECT_EQ(w.count("MouseDown"), 1);
}

TEST(XpBWidget, TabFocusThenSpaceClicksWhenThePointerIsOver) {
    for (bool over : {true, false}) {
        Window w;
        w.other->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(w.button->hasFocus());
        EXPECT_EQ(w.button->state().Focused, 1);
        if (over)
            w.pointAt({50, 10});
        w.events.clear();
        QTest::keyPress(w.button, Qt::Key_Space);
        EXPECT_EQ(w.button->state().Pressed, 1);
        // A held key repeats its press; the repeated release is not a release.
        QTest::simulateEvent(w.button, false, Qt::Key_Space, Qt::NoModifier, " ", true);
        QTest::simulateEvent(w.button, true, Qt::Key_Space, Qt::NoModifier, " ", true);
        EXPECT_EQ(w.button->state().Pressed, 1);
        EXPECT_EQ(w.count("Click"), 0);
        QTest::keyRelease(w.button, Qt::Key_Space);
        EXPECT_EQ(w.count("Click"), over ? 1 : 0) << (over ? "pointer over" : "pointer away");
        EXPECT_EQ(w.count("KeyDown"), 2);
        EXPECT_EQ(w.count("KeyUp"), 1);
    }
}

TEST(XpBWidget, AccessKeyClicksWithAlt) {
    const struct {
        const char* caption;
        int key;
        const char* text;
        int clicks;
    } rows[] = {
        {"Save && E&xit", Qt::Key_X, "x", 1},
        {"Save && E&xit", Qt::Key_S, "s", 0},
        {"A&&B&&C&D", Qt::Key_D, "d", 0},
        {"&Новая", 0x41D, "н", 1},
    };
    for (const auto& r : rows) {
        Window w(r.caption);
        QTest::simulateEvent(&w.window, true, r.key, Qt::AltModifier, r.text, false);
        QTest::simulateEvent(&w.window, false, r.key, Qt::AltModifier, r.text, false);
        EXPECT_EQ(w.count("Click"), r.clicks) << r.caption;
        EXPECT_EQ(w.button->state().Pressed, 0) << "no pressed look";
    }
}

TEST(XpBWidget, DisabledButtonRaisesNothing) {
    Window w("E&xit");
    w.button->setEnabledCtrl(false);
    w.pointAt({50, 10});
    QTest::mouseClick(w.button, Qt::LeftButton, {}, {50, 10});
    QTest::keyClick(w.button, Qt::Key_Space);
    QTest::simulateEvent(&w.window, true, Qt::Key_X, Qt::AltModifier, "x", false);
    EXPECT_TRUE(w.events.isEmpty()) << w.events.join(",").toStdString();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(w.button->image().pixel(0, 0), qRgb(240, 240, 240));
}

TEST(XpBWidget, ModalBoxOpenedByClickGetsTheMouse) {
    Window w;
    QWidget* grabberWhileOpen = w.button;
    bool boxSeen = false;
    QObject::connect(w.button, &XpB::Click, [&] {
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            boxSeen = box != nullptr;
            grabberWhileOpen = QWidget::mouseGrabber();
            if (box)
                box->close();
        });
        QMessageBox::information(&w.window, "Статистика", "text");
    });
    w.pointAt({50, 10});
    ASSERT_EQ(QWidget::mouseGrabber(), w.button);
    QTest::mouseClick(w.button, Qt::LeftButton, {}, {50, 10});
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(grabberWhileOpen, nullptr);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(w.events, (QStringList{"MouseIn", "MouseDown", "Click", "MouseUp"}));
}

TEST(XpBWidget, GrabEndsWhenHiddenDisabledOrDestroyed) {
    const struct {
        const char* what;
        std::function<void(Window&)> act;
    } rows[] = {
        {"hidden", [](Window& w) { w.button->hide(); }},
        {"disabled", [](Window& w) { w.button->setEnabledCtrl(false); }},
        {"window disabled", [](Window& w) { w.window.setEnabled(false); }},
        {"destroyed", [](Window& w) { delete w.button; }},
    };
    for (const auto& r : rows) {
        Window w;
        w.pointAt({50, 10});
        ASSERT_EQ(QWidget::mouseGrabber(), w.button) << r.what;
        r.act(w);
        EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << r.what;
    }
}

TEST(XpBWidget, HoverLookComesAndGoesWithThePointer) {
    Window w;
    w.pointAt({50, 10});
    EXPECT_EQ(w.button->image().pixel(144, 10), qRgb(0, 0, 0)) << "raised border while hovered";
    EXPECT_EQ(w.button->image().pixel(0, 10), qRgb(255, 255, 255));
    w.pointAway();
    EXPECT_EQ(w.events, (QStringList{"MouseIn", "MouseOut"}));
    EXPECT_EQ(w.button->image().pixel(144, 10), qRgb(240, 240, 240));
}

TEST(XpBWidget, ScreenReadersSeeAPushButtonNamedByItsCaption) {
    Window w("Save && E&xit");
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w.button);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Button);
    EXPECT_EQ(a->text(QAccessible::Name), "Save & Exit");
    w.button->setCaption("&ОК");
    EXPECT_EQ(a->text(QAccessible::Name), "ОК");
    QAccessibleActionInterface* action = a->actionInterface();
    ASSERT_NE(action, nullptr);
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(w.count("Click"), 1);
}

}  // namespace
}  // namespace zoltrek
