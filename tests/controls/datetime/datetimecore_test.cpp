#include "datetimecore.h"

#include <gtest/gtest.h>

#include "faketextbox.h"
#include "maskshape.h"
#include "positionrule.h"

namespace zoltrek {
namespace {

// Stands for the Delete key, which has a key down but no character.
constexpr char32_t kDelete = 0x7F;

struct Control {
    FakeTextBox box;
    DateTimeCore core{box};
    int changes = 0;

    Control(std::int32_t layout, const std::string& text) {
        box.core = &core;
        core.onChange = [this] { ++changes; };
        core.setLayout(layout);
        core.setText(text);
        changes = 0;
    }
};

// The caret is placed (a click, the arrows), the box gets the focus, then the keys come.
TEST(DateTimeCore, TypingWritesOnlyAllowedDigitsOverTheCaret) {
    // Layout, text, caret, keys (0x7F for Delete), text after, selection after.
    const std::tuple<std::int32_t, const char*, int, std::u32string, const char*, int, int> rows[] =
        {{0, "06.12.26", 0, U"3", "30.12.26", 1, 1},
         {0, "06.12.26", 0, U"4", "06.12.26", 0, 1},
         {0, "06.12.26", 0, U"151", "15112.26", 3, 1},  // the third digit overwrites the dot
         {0, "06.12.26", 2, U"", "06.12.26", 2, 1},
         {0, "06.12.26", 8, U"1", "06.12.26", 8, 0},
         {0, "06.12.26", 0, U"\x7F\ba-я ", "06.12.26", 0, 1},
         {0, "", 0, U"1", "", 0, 0},
         {0, "6.12.26", 0, U"3", "3.12.26", 1, 1},
         {0, "г5.12.26", 1, U"7", "г7.12.26", 2, 1},
         {2, "09:30:00", 0, U"2", "20:30:00", 1, 1},
         {2, "12:00:00", 4, U"96", "12:09:00", 6, 1},
         {2, "1::2", 1, U"", "1::2", 2, 1},
         {1, "12:34", 4, U"5", "12:35", 5, 0},
         {1, "12:34:56", 4, U"71", "12:37:56", 6, 1}};
    for (const auto& [layout, text, caret, keys, want, start, length] : rows) {
        SCOPED_TRACE(testing::Message() << layout << " " << text << " at " << caret);
        Control control(layout, text);
        control.box.setSelection(caret, 0);
        control.core.gotFocus();
        for (char32_t key : keys) {
            control.core.keyDown(Key::Other);
            if (key != kDelete)
                control.core.keyPress(key);
        }
        EXPECT_EQ(std::tuple(control.core.Text(), control.core.SavedText()),
                  std::tuple(want, want));
        EXPECT_EQ(std::pair(control.box.selStart(), control.box.selLength()),
                  std::pair(start, length));
    }
}

TEST(DateTimeCore, ReadsTextThenLayout) {
    const std::tuple<PropertyBag, std::int32_t, std::string> rows[] = {
        {{}, 1, "00:00"},
        {{{"TEXT", std::string("12:34:56")}, {"Layout", 1}}, 1, "12:34"},
        {{{"Layout", 0}, {"text", std::string("7")}}, 0, "70.00.00"},
        {{{"Text", std::string("гг:ггг")}}, 1, "гг:гг"}};
    for (const auto& [stored, layout, text] : rows) {
        FakeTextBox box;
        box.setText(std::string(designText));
        DateTimeCore core(box);
        box.core = &core;
        core.readProperties(stored);
        EXPECT_EQ(std::tuple(core.Layout(), core.Text(), core.SavedText()),
                  std::tuple(layout, text, std::string()));
    }
}

TEST(DateTimeCore, GuardUndoesEveryOtherChangeAndReportsItTwice) {
    Control control(0, "06.12.26");
    control.box.setSelection(3, 2);
    control.box.replaceSelection("");
    EXPECT_EQ(control.core.Text(), "06.12.26");
    EXPECT_EQ(control.changes, 2);
    control.core.setLayout(1);
    EXPECT_EQ(std::pair(control.core.Text(), control.changes), std::pair(std::string("06.12"), 3));
    control.core.setText("01.01.01");
    EXPECT_EQ(control.changes, 4);
    // Until a text is accepted the guard is idle.
    FakeTextBox box;
    DateTimeCore core(box);
    box.core = &core;
    box.setText("12:34");
    EXPECT_EQ(core.Text(), "12:34");
}

// The limit of every field at both of its digits, with the neighbour that decides it.
TEST(PositionRule, EachFieldKeepsItsDigitsInRange) {
    using V = DigitVerdict;
    constexpr std::int32_t kLongTime = 2;
    const struct {
        std::int32_t layout;
        const char* text;
        int pos, digit;
        V verdict;
    } rows[] = {
        {dateLayout, "05.12.26", 0, 4, V::Reject},   {dateLayout, "05.12.26", 0, 3, V::TensFix},
        {dateLayout, "01.12.26", 0, 3, V::Write},    {dateLayout, "30.12.26", 1, 2, V::Reject},
        {dateLayout, "20.12.26", 1, 9, V::Write},    {dateLayout, "06.05.26", 3, 2, V::Reject},
        {dateLayout, "06.05.26", 3, 1, V::Write},    {dateLayout, "06.10.26", 4, 3, V::Reject},
        {dateLayout, "06.00.26", 4, 9, V::Write},    {dateLayout, "06.12.26", 6, 9, V::Write},
        {kLongTime, "05:00:00", 0, 3, V::Reject},    {kLongTime, "05:00:00", 0, 2, V::TensFix},
        {kLongTime, "03:00:00", 0, 2, V::Write},     {kLongTime, "20:00:00", 1, 4, V::Reject},
        {kLongTime, "10:00:00", 1, 9, V::Write},     {kLongTime, "10:00:00", 3, 6, V::Reject},
        {kLongTime, "10:09:00", 3, 5, V::Write},     {kLongTime, "10:50:00", 4, 9, V::Write},
        {kLongTime, "10:00:00", 6, 6, V::Reject},    {kLongTime, "10:00:50", 7, 9, V::Write},
        {shortTimeLayout, "10:00", 3, 6, V::Reject},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r.text << " pos " << r.pos << " digit " << r.digit);
        EXPECT_EQ(positionRule(r.layout, r.text, r.pos, r.digit), r.verdict);
    }
}

}  // namespace
}  // namespace zoltrek
