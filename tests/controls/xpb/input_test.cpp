#include <gtest/gtest.h>

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
    using C = XpbControl&;
    using I = std::int16_t;
    void (*const send[])(C, I) = {[](C c, I b) { c.mousePressed(b, 4, 5, 6); },
                                  [](C c, I b) { c.mouseMoved(b, 4, 5, 6); },
                                  [](C c, I b) { c.mouseReleased(b, 4, 5, 6); },
                                  [](C c, I k) { c.keyPressed(k, 4); },
                                  [](C c, I k) { c.keyReleased(k, 4); },
                                  [](C c, I) { c.accessKeyPressed(); },
                                  [](C c, I) { c.focusEntered(); },
                                  [](C c, I) { c.focusLeft(); },
                                  [](C c, I) { c.setEnabledCtrl(false); },
                                  [](C c, I) { c.captureLost(); }};
    for (const Step& s : steps)
        rig.over = s.over, send[s.input](rig.control, s.code);
}

// One row per line of the transition table: the state after it is Focused, Pressed, Hover.
TEST(XpbInput, TransitionTable) {
    const std::vector<Step> idle, held{{Move, 1}}, focused{{FocusIn}}, disabled{{Disable}},
        space{{FocusIn}, {KeyDown, 32}};
    const std::tuple<std::vector<Step>, Step, const char*, std::string> rows[] = {
        {idle, {Press, 1}, "010", "repaint MouseDown(1,4,5,6)"},
        {idle, {Press, 2}, "000", "MouseDown(2,4,5,6)"},
        // Entering marks the held button as pressed, any button.
        {idle, {Move, 3, false}, "031", "capture- MouseIn(4) repaint capture+ MouseMove(3,4,5,6)"},
        {held, {Move, 1, false}, "000", "MouseOut(4) repaint capture- MouseMove(1,4,5,6)"},
        {held, {Move, 1}, "011", "MouseMove(1,4,5,6)"},
        {held, {Release, 1}, "000", "repaint Click MouseUp(1,4,5,6)"},
        {held, {Release, 1, false}, "000", "repaint MouseUp(1,4,5,6)"},
        {held, {Release, 2}, "000", "MouseUp(2,4,5,6)"},
        {focused, {KeyDown, 32}, "111", "repaint KeyDown(32,4)"},
        {space, {KeyDown, 32}, "111", "KeyDown(32,4)"},
        {focused, {KeyDown, 13}, "100", "KeyDown(13,4)"},
        {space, {KeyUp, 32}, "100", "repaint repaint Click MouseUp(1,4,0,0) KeyUp(32,4)"},
        {space, {KeyUp, 27}, "111", "KeyUp(27,4)"},
        {idle, {AccessKey, 0, false}, "000", "Click"},
        {disabled, {AccessKey}, "000", ""},
        {held, {FocusIn}, "110", "repaint"},
        {space, {FocusOut}, "000", "repaint"},
        // The platform took the capture away: the look is cleared, nothing is raised.
        {held, {Lost}, "000", "repaint"},
        {focused, {Lost}, "100", ""}};
    int row = 0;
    for (const auto& [before, step, after, log] : rows) {
        SCOPED_TRACE(testing::Message() << "row " << ++row);
        Rig rig;
        run(rig, before);
        rig.log.clear();
        run(rig, {step});
        const XpbState& s = rig.control.state();
        EXPECT_EQ(std::to_string(s.Focused) + std::to_string(s.Pressed) + std::to_string(s.Hover),
                  after);
        EXPECT_EQ(rig.joined(), log);
    }
}

// A Click handler that destroys its button ends the input there.
TEST(XpbInput, HandlerMayDestroyTheButton) {
    for (bool key : {false, true}) {
        test::Rig surface;
        struct Destroyer : XpbEvents {
            std::unique_ptr<XpbControl> control;
            int clicks = 0;
            void Click() override { ++clicks, control.reset(); }
            void MouseUp(std::int16_t, std::int16_t, float, float) override { ADD_FAILURE(); }
            void KeyUp(std::int16_t, std::int16_t) override { ADD_FAILURE(); }
        } events;
        events.control = std::make_unique<XpbControl>(surface, events);
        if (key)
            events.control->keyPressed(32, 0), events.control->keyReleased(32, 0);
        else
            events.control->mousePressed(1, 0, 1, 1), events.control->mouseReleased(1, 0, 1, 1);
        EXPECT_EQ(events.clicks, 1);
    }
}

}  // namespace
}  // namespace zoltrek
