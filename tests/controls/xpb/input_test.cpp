#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>

#include "fakesurface.h"

namespace zoltrek {
namespace {

using test::Log;
using test::Rig;

enum class In { Press, Move, Release, KeyDown, KeyUp, AccessKey, FocusIn, FocusOut, Disable };

// Input with Button or KeyCode `code`, Shift 4, X 5, Y 6.
void send(Rig& rig, In input, std::int16_t code) {
    XpbControl& c = rig.control;
    switch (input) {
        case In::Press:
            c.mousePressed(code, 4, 5, 6);
            break;
        case In::Move:
            c.mouseMoved(code, 4, 5, 6);
            break;
        case In::Release:
            c.mouseReleased(code, 4, 5, 6);
            break;
        case In::KeyDown:
            c.keyPressed(code, 4);
            break;
        case In::KeyUp:
            c.keyReleased(code, 4);
            break;
        case In::AccessKey:
            c.accessKeyPressed();
            break;
        case In::FocusIn:
            c.focusEntered();
            break;
        case In::FocusOut:
            c.focusLeft();
            break;
        case In::Disable:
            c.setEnabledCtrl(false);
            break;
    }
}

struct Fph {
    int focused, pressed, hover;
    friend bool operator==(const Fph&, const Fph&) = default;
};
std::ostream& operator<<(std::ostream& o, const Fph& s) {
    return o << "F" << s.focused << " P" << s.pressed << " H" << s.hover;
}
Fph fph(const Rig& rig) {
    const XpbState& s = rig.control.state();
    return {s.Focused, s.Pressed, s.Hover};
}

// Ways to reach a starting state through input.
const std::map<std::string, std::vector<std::pair<In, std::int16_t>>> kSetups = {
    {"idle", {}},
    {"hovered", {{In::Move, 0}}},
    {"held", {{In::Move, 1}}},
    {"focused", {{In::FocusIn, 0}}},
    {"focused held", {{In::FocusIn, 0}, {In::Move, 1}}},
    {"space", {{In::FocusIn, 0}, {In::KeyDown, 32}}},
};

TEST(XpbInput, TransitionTable) {
    const struct {
        const char* setup;
        In input;
        std::int16_t code;
        bool over;
        Fph after;
        Log log;
    } rows[] = {
        {"idle", In::Press, 1, true, {0, 1, 0}, {"repaint", "MouseDown(1,4,5,6)"}},
        {"idle", In::Press, 2, true, {0, 0, 0}, {"MouseDown(2,4,5,6)"}},
        {"hovered", In::Press, 4, true, {0, 0, 1}, {"MouseDown(4,4,5,6)"}},
        {"idle",
         In::Move,
         1,
         true,
         {0, 1, 1},
         {"capture-", "MouseIn(4)", "repaint", "capture+", "MouseMove(1,4,5,6)"}},
        {"idle",
         In::Move,
         3,
         false,
         {0, 3, 1},
         {"capture-", "MouseIn(4)", "repaint", "capture+", "MouseMove(3,4,5,6)"}},
        {"held",
         In::Move,
         1,
         false,
         {0, 0, 0},
         {"MouseOut(4)", "repaint", "capture-", "MouseMove(1,4,5,6)"}},
        {"held", In::Move, 1, true, {0, 1, 1}, {"MouseMove(1,4,5,6)"}},
        {"held", In::Release, 1, true, {0, 0, 0}, {"repaint", "Click", "MouseUp(1,4,5,6)"}},
        {"held", In::Release, 1, false, {0, 0, 0}, {"repaint", "MouseUp(1,4,5,6)"}},
        {"held", In::Release, 2, true, {0, 0, 0}, {"MouseUp(2,4,5,6)"}},
        {"focused", In::KeyDown, 32, true, {1, 1, 1}, {"repaint", "KeyDown(32,4)"}},
        {"space", In::KeyDown, 32, true, {1, 1, 1}, {"KeyDown(32,4)"}},
        {"focused held", In::KeyDown, 32, true, {1, 1, 1}, {"KeyDown(32,4)"}},
        {"focused", In::KeyDown, 13, true, {1, 0, 0}, {"KeyDown(13,4)"}},
        {"space",
         In::KeyUp,
         32,
         true,
         {1, 0, 0},
         {"repaint", "repaint", "Click", "MouseUp(1,4,0,0)", "KeyUp(32,4)"}},
        {"space",
         In::KeyUp,
         32,
         false,
         {1, 0, 0},
         {"repaint", "repaint", "MouseUp(1,4,0,0)", "KeyUp(32,4)"}},
        {"space", In::KeyUp, 27, true, {1, 1, 1}, {"KeyUp(27,4)"}},
        {"idle", In::AccessKey, 0, false, {0, 0, 0}, {"Click"}},
        {"held", In::FocusIn, 0, true, {1, 1, 0}, {"repaint"}},
        {"space", In::FocusOut, 0, true, {0, 0, 0}, {"repaint"}},
        {"space", In::Disable, 0, true, {0, 0, 0}, {"repaint"}},
        {"focused held", In::Disable, 0, true, {0, 0, 0}, {"repaint"}},
    };
    for (const auto& r : rows) {
        Rig rig;
        for (auto [input, code] : kSetups.at(r.setup))
            send(rig, input, code);
        rig.log.clear();
        rig.surface.over = r.over;
        send(rig, r.input, r.code);
        const std::string row = std::string(r.setup) + ", input " +
                                std::to_string(static_cast<int>(r.input)) + " code " +
                                std::to_string(r.code) + (r.over ? " over" : " off");
        EXPECT_EQ(fph(rig), r.after) << row;
        EXPECT_EQ(rig.log, r.log) << row;
    }
}

TEST(XpbInput, DisabledSurfaceIgnoresTheAccessKey) {
    Rig rig;
    rig.control.setEnabledCtrl(false);
    rig.log.clear();
    rig.control.accessKeyPressed();
    EXPECT_TRUE(rig.log.empty());
}

struct Step {
    In input;
    std::int16_t code;
    bool over;
};

Log run(Rig& rig, const std::vector<Step>& steps) {
    for (const Step& s : steps) {
        rig.surface.over = s.over;
        send(rig, s.input, s.code);
    }
    return rig.log;
}

Log withoutRepaints(Log log) {
    std::erase(log, "repaint");
    return log;
}

TEST(XpbInput, Sequences) {
    const struct {
        const char* what;
        std::vector<Step> steps;
        Log events;  // repaints left out
        bool captured;
    } rows[] = {
        {"click: Click before MouseUp",
         {{In::Move, 0, true}, {In::Press, 1, true}, {In::Release, 1, true}},
         {"capture-", "MouseIn(4)", "capture+", "MouseMove(0,4,5,6)", "MouseDown(1,4,5,6)", "Click",
          "MouseUp(1,4,5,6)"},
         true},
        {"press, leave, release outside: no Click",
         {{In::Move, 0, true}, {In::Press, 1, true}, {In::Move, 1, false}, {In::Release, 1, false}},
         {"capture-", "MouseIn(4)", "capture+", "MouseMove(0,4,5,6)", "MouseDown(1,4,5,6)",
          "MouseOut(4)", "capture-", "MouseMove(1,4,5,6)", "MouseUp(1,4,5,6)"},
         false},
        {"press, leave, come back, release: Click",
         {{In::Move, 0, true},
          {In::Press, 1, true},
          {In::Move, 1, false},
          {In::Move, 1, true},
          {In::Release, 1, true}},
         {"capture-", "MouseIn(4)", "capture+", "MouseMove(0,4,5,6)", "MouseDown(1,4,5,6)",
          "MouseOut(4)", "capture-", "MouseMove(1,4,5,6)", "capture-", "MouseIn(4)", "capture+",
          "MouseMove(1,4,5,6)", "Click", "MouseUp(1,4,5,6)"},
         true},
        {"right button: no Click",
         {{In::Move, 0, true}, {In::Press, 2, true}, {In::Release, 2, true}},
         {"capture-", "MouseIn(4)", "capture+", "MouseMove(0,4,5,6)", "MouseDown(2,4,5,6)",
          "MouseUp(2,4,5,6)"},
         true},
        // The second press arrives as a double click, which the button never sees.
        {"double click: two Clicks",
         {{In::Move, 0, true},
          {In::Press, 1, true},
          {In::Release, 1, true},
          {In::Release, 1, true}},
         {"capture-", "MouseIn(4)", "capture+", "MouseMove(0,4,5,6)", "MouseDown(1,4,5,6)", "Click",
          "MouseUp(1,4,5,6)", "Click", "MouseUp(1,4,5,6)"},
         true},
        {"click then move: MouseIn again",
         {{In::Move, 0, true}, {In::Press, 1, true}, {In::Release, 1, true}, {In::Move, 0, true}},
         {"capture-", "MouseIn(4)", "capture+", "MouseMove(0,4,5,6)", "MouseDown(1,4,5,6)", "Click",
          "MouseUp(1,4,5,6)", "capture-", "MouseIn(4)", "capture+", "MouseMove(0,4,5,6)"},
         true},
        {"Space held and released",
         {{In::FocusIn, 0, true},
          {In::KeyDown, 32, true},
          {In::KeyDown, 32, true},
          {In::KeyDown, 32, true},
          {In::KeyUp, 32, true}},
         {"KeyDown(32,4)", "KeyDown(32,4)", "KeyDown(32,4)", "Click", "MouseUp(1,4,0,0)",
          "KeyUp(32,4)"},
         false},
        {"access key: Click only",
         {{In::FocusIn, 0, true}, {In::AccessKey, 0, true}},
         {"Click"},
         false},
    };
    for (const auto& r : rows) {
        Rig rig;
        EXPECT_EQ(withoutRepaints(run(rig, r.steps)), r.events) << r.what;
        EXPECT_EQ(rig.surface.captured, r.captured) << r.what;
    }
}

TEST(XpbInput, LooksShownWhileSpaceIsHeld) {
    Rig rig;
    run(rig, {{In::FocusIn, 0, true}, {In::KeyDown, 32, true}});
    const std::size_t repaints = rig.count("repaint");
    run(rig, {{In::KeyDown, 32, true}, {In::KeyDown, 32, true}});
    EXPECT_EQ(rig.count("repaint"), repaints) << "a held key repeats without repainting";
    EXPECT_EQ(fph(rig), (Fph{1, 1, 1}));
}

TEST(XpbInput, CaptureLostClearsTheLook) {
    const struct {
        const char* setup;
        Fph after;
        std::size_t repaints;
    } rows[] = {
        {"held", {0, 0, 0}, 1},
        {"hovered", {0, 0, 0}, 1},
        {"focused", {1, 0, 0}, 0},
        {"idle", {0, 0, 0}, 0},
    };
    for (const auto& r : rows) {
        Rig rig;
        for (auto [input, code] : kSetups.at(r.setup))
            send(rig, input, code);
        rig.log.clear();
        rig.control.captureLost();
        EXPECT_EQ(fph(rig), r.after) << r.setup;
        EXPECT_EQ(rig.count("repaint"), r.repaints) << r.setup;
    }
    // The next movement enters afresh and takes the capture again.
    Rig rig;
    run(rig, {{In::Move, 0, true}});
    rig.control.captureLost();
    rig.log.clear();
    run(rig, {{In::Move, 0, true}});
    EXPECT_EQ(withoutRepaints(rig.log),
              (Log{"capture-", "MouseIn(4)", "capture+", "MouseMove(0,4,5,6)"}));
}

// A handler that destroys the button ends the input there.
TEST(XpbInput, HandlerMayDestroyTheButton) {
    struct Destroyer : XpbEvents {
        std::unique_ptr<XpbControl>* owner = nullptr;
        int clicks = 0;
        void Click() override {
            ++clicks;
            owner->reset();
        }
        void MouseUp(std::int16_t, std::int16_t, float, float) override { ADD_FAILURE(); }
        void KeyUp(std::int16_t, std::int16_t) override { ADD_FAILURE(); }
    };
    for (In release : {In::Release, In::KeyUp}) {
        Log log;
        test::FakeSurface surface(log, 145, 25);
        Destroyer events;
        auto control = std::make_unique<XpbControl>(surface, events);
        events.owner = &control;
        if (release == In::KeyUp) {
            control->keyPressed(32, 0);
            control->keyReleased(32, 0);
        } else {
            control->mousePressed(1, 0, 1, 1);
            control->mouseReleased(1, 0, 1, 1);
        }
        EXPECT_EQ(events.clicks, 1);
        EXPECT_EQ(control, nullptr);
    }
}

}  // namespace
}  // namespace zoltrek
