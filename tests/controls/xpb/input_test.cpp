#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "rig.h"

namespace zoltrek {
namespace {

using test::Rig;

enum In { Press, Move, Release, KeyDown, KeyUp, AccessKey, FocusIn, FocusOut, Disable, Lost };
struct Step {
    In input;
    std::int16_t code = 0;  // Button or KeyCode
    bool over = true;       // whether the pointer is over the button meanwhile
};

// Sends the steps with Shift 4, X 5 and Y 6.
void run(Rig& rig, const std::vector<Step>& steps) {
    XpbControl& c = rig.control;
    for (const Step& s : steps) {
        rig.over = s.over;
        switch (s.input) {
            case Press:
                c.mousePressed(s.code, 4, 5, 6);
                break;
            case Move:
                c.mouseMoved(s.code, 4, 5, 6);
                break;
            case Release:
                c.mouseReleased(s.code, 4, 5, 6);
                break;
            case KeyDown:
                c.keyPressed(s.code, 4);
                break;
            case KeyUp:
                c.keyReleased(s.code, 4);
                break;
            case AccessKey:
                c.accessKeyPressed();
                break;
            case FocusIn:
                c.focusEntered();
                break;
            case FocusOut:
                c.focusLeft();
                break;
            case Disable:
                c.setEnabledCtrl(false);
                break;
            case Lost:
                c.captureLost();
                break;
        }
    }
}

std::string fph(const Rig& rig) {
    const XpbState& s = rig.control.state();
    return std::to_string(s.Focused) + std::to_string(s.Pressed) + std::to_string(s.Hover);
}

const std::map<std::string, std::vector<Step>> kFrom = {
    {"idle", {}},
    {"hovered", {{Move, 0}}},
    {"held", {{Move, 1}}},
    {"focused", {{FocusIn}}},
    {"space", {{FocusIn}, {KeyDown, 32}}},
    {"disabled", {{Disable}}},
};

// One row per line of the transition table: the state after it is Focused, Pressed, Hover.
TEST(XpbInput, TransitionTable) {
    const struct {
        const char* from;
        Step step;
        const char* after;
        std::string log;
    } rows[] = {
        {"idle", {Press, 1}, "010", "repaint MouseDown(1,4,5,6)"},
        {"idle", {Press, 2}, "000", "MouseDown(2,4,5,6)"},
        {"hovered", {Press, 4}, "001", "MouseDown(4,4,5,6)"},
        {"idle", {Move, 1}, "011", "capture- MouseIn(4) repaint capture+ MouseMove(1,4,5,6)"},
        {"idle",
         {Move, 3, false},
         "031",
         "capture- MouseIn(4) repaint capture+ MouseMove(3,4,5,6)"},
        {"held", {Move, 1, false}, "000", "MouseOut(4) repaint capture- MouseMove(1,4,5,6)"},
        {"held", {Move, 1}, "011", "MouseMove(1,4,5,6)"},
        {"held", {Release, 1}, "000", "repaint Click MouseUp(1,4,5,6)"},
        {"held", {Release, 1, false}, "000", "repaint MouseUp(1,4,5,6)"},
        {"held", {Release, 2}, "000", "MouseUp(2,4,5,6)"},
        {"focused", {KeyDown, 32}, "111", "repaint KeyDown(32,4)"},
        {"space", {KeyDown, 32}, "111", "KeyDown(32,4)"},
        {"focused", {KeyDown, 13}, "100", "KeyDown(13,4)"},
        {"space", {KeyUp, 32}, "100", "repaint repaint Click MouseUp(1,4,0,0) KeyUp(32,4)"},
        {"space", {KeyUp, 32, false}, "100", "repaint repaint MouseUp(1,4,0,0) KeyUp(32,4)"},
        {"space", {KeyUp, 27}, "111", "KeyUp(27,4)"},
        {"idle", {AccessKey, 0, false}, "000", "Click"},
        {"disabled", {AccessKey}, "000", ""},
        {"held", {FocusIn}, "110", "repaint"},
        {"space", {FocusOut}, "000", "repaint"},
        {"space", {Disable}, "000", "repaint"},
        // The platform took the capture away: the look is cleared, nothing is raised.
        {"held", {Lost}, "000", "repaint"},
        {"focused", {Lost}, "100", ""},
    };
    for (const auto& r : rows) {
        Rig rig;
        run(rig, kFrom.at(r.from));
        rig.log.clear();
        run(rig, {r.step});
        const std::string row = std::string(r.from) + " + input " + std::to_string(r.step.input) +
                                " code " + std::to_string(r.step.code);
        EXPECT_EQ(fph(rig), r.after) << row;
        EXPECT_EQ(rig.joined(), r.log) << row;
    }
}

TEST(XpbInput, Sequences) {
    const struct {
        const char* what;
        std::vector<Step> steps;
        std::string events;  // after entering, repaints left out
        bool captured;
    } rows[] = {
        {"click: Click before MouseUp",
         {{Press, 1}, {Release, 1}},
         "MouseDown(1,4,5,6) Click MouseUp(1,4,5,6)",
         true},
        {"press, leave, release outside",
         {{Press, 1}, {Move, 1, false}, {Release, 1, false}},
         "MouseDown(1,4,5,6) MouseOut(4) capture- MouseMove(1,4,5,6) MouseUp(1,4,5,6)",
         false},
        {"press, leave, come back, release",
         {{Press, 1}, {Move, 1, false}, {Move, 1}, {Release, 1}},
         "MouseDown(1,4,5,6) MouseOut(4) capture- MouseMove(1,4,5,6) capture- MouseIn(4) capture+ "
         "MouseMove(1,4,5,6) Click MouseUp(1,4,5,6)",
         true},
        {"right button", {{Press, 2}, {Release, 2}}, "MouseDown(2,4,5,6) MouseUp(2,4,5,6)", true},
        // The second press comes as a double click, which the button never sees.
        {"double click",
         {{Press, 1}, {Release, 1}, {Release, 1}},
         "MouseDown(1,4,5,6) Click MouseUp(1,4,5,6) Click MouseUp(1,4,5,6)",
         true},
        {"move after a click enters again",
         {{Press, 1}, {Release, 1}, {Move, 0}},
         "MouseDown(1,4,5,6) Click MouseUp(1,4,5,6) capture- MouseIn(4) capture+ "
         "MouseMove(0,4,5,6)",
         true},
        {"Space held and released",
         {{FocusIn}, {KeyDown, 32}, {KeyDown, 32}, {KeyUp, 32}},
         "KeyDown(32,4) KeyDown(32,4) Click MouseUp(1,4,0,0) KeyUp(32,4)",
         true},
        {"access key", {{FocusIn}, {AccessKey}}, "Click", true},
    };
    for (const auto& r : rows) {
        Rig rig;
        run(rig, {{Move, 0}});
        run(rig, r.steps);
        std::erase(rig.log, "repaint");
        EXPECT_EQ(rig.joined(), "capture- MouseIn(4) capture+ MouseMove(0,4,5,6) " + r.events)
            << r.what;
        EXPECT_EQ(rig.captured, r.captured) << r.what;
    }
}

// A Click handler that destroys its button ends the input there.
TEST(XpbInput, HandlerMayDestroyTheButton) {
    for (In release : {Release, KeyUp}) {
        test::Rig surface;
        struct Destroyer : XpbEvents {
            std::unique_ptr<XpbControl> control;
            int clicks = 0;
            void Click() override { ++clicks, control.reset(); }
            void MouseUp(std::int16_t, std::int16_t, float, float) override { ADD_FAILURE(); }
            void KeyUp(std::int16_t, std::int16_t) override { ADD_FAILURE(); }
        } events;
        events.control = std::make_unique<XpbControl>(surface, events);
        if (release == KeyUp)
            events.control->keyPressed(32, 0), events.control->keyReleased(32, 0);
        else
            events.control->mousePressed(1, 0, 1, 1), events.control->mouseReleased(1, 0, 1, 1);
        EXPECT_EQ(events.clicks, 1);
    }
}

}  // namespace
}  // namespace zoltrek
