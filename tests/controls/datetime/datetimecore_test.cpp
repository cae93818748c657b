#include "controls/datetime/core/datetimecore.h"

#include <gtest/gtest.h>

#include "controls/datetime/core/maskshape.h"
#include "controls/datetime/core/positionrule.h"
#include "support/faketextbox.h"

namespace zoltrek {
namespace {

struct Control {
    FakeTextBox box;
    DateTimeCore core{box};
    int changes = 0;

    Control(std::int32_t layout, const std::string& text) {
        box.core = &core;
        core.onChange = [this] { ++changes; };
        core.setMaskLayout(layout);
        core.setText(text);
        changes = 0;
    }
};

// Allowed digits overwrite the selected character, which moves on, past a colon.
TEST(DateTimeCore, TypingWritesOnlyAllowedDigitsOverTheCaret) {
    constexpr char32_t kDelete = 0x7F;  // a key down without a character
    using Row = std::tuple<const char*, std::int32_t, const char*, int, std::u32string, const char*,
                           int, int>;
    const Row rows[] = {
        // name, Layout, text, caret, keys, text after, selection after
        {"a digit overwrites", 0, "06.12.26", 0, U"3", "30.12.26", 1, 1},
        {"the third digit overwrites the dot", 0, "06.12.26", 0, U"151", "15112.26", 3, 1},
        {"the focus selects", 0, "06.12.26", 2, U"", "06.12.26", 2, 1},
        {"nothing at the end", 0, "06.12.26", 8, U"1", "06.12.26", 8, 0},
        {"no other key writes", 0, "06.12.26", 0, U"\x7F\ba-я ", "06.12.26", 0, 1},
        {"nothing in an empty text", 0, "", 0, U"1", "", 0, 0},
        {"letters count as one place", 0, "г5.12.26", 1, U"7", "г7.12.26", 2, 1},
        {"a refused digit stays put", 2, "12:00:00", 4, U"96", "12:09:00", 6, 1},
        {"the focus steps over one colon", 2, "1::2", 1, U"", "1::2", 2, 1},
        {"the last place of a short time", 1, "12:34", 4, U"5", "12:35", 5, 0},
        {"nothing past a short time", 1, "12:3456", 4, U"51", "12:3556", 5, 1}};
    for (const auto& [name, layout, text, caret, keys, want, start, length] : rows) {
        Control control(layout, text);
        control.box.setSelection(caret, 0);
        control.core.gotFocus();
        for (char32_t key : keys) {
            control.core.keyDown(Key::Other);
            if (key != kDelete)
                control.core.keyPress(key);
        }
        EXPECT_EQ(std::tuple(control.core.text(), control.core.savedText(), control.box.selStart(),
                             control.box.selLength()),
                  std::tuple(want, want, start, length))
            << name;
    }
}

// The text is read before the layout that fits it; the guard is idle until a text is accepted.
TEST(DateTimeCore, ReadsTextThenLayout) {
    const std::tuple<const char*, PropertyBag, std::int32_t, std::string> rows[] = {
        {"nothing stored", {}, 1, "00:00"},
        {"a long text cut", {{"TEXT", std::string("12:34:56")}, {"Layout", 1}}, 1, "12:34"},
        {"a short text completed", {{"Layout", 0}, {"text", std::string("7")}}, 0, "70.00.00"},
        {"letters kept", {{"Text", std::string("гг:гг:ггг")}, {"Layout", 2}}, 2, "гг:гг:гг"}};
    for (const auto& [name, stored, layout, text] : rows) {
        FakeTextBox box;
        box.setText(std::string(kDesignText));
        DateTimeCore core(box);
        box.core = &core;
        core.readProperties(stored);
        PropertyBag saved;
        core.writeProperties(saved);
        EXPECT_EQ(std::tuple(core.maskLayout(), core.text(), core.savedText(),
                             saved.readInt("Layout", -1)),
                  std::tuple(layout, text, std::string(), layout == kDefaultLayout ? -1 : layout))
            << name;
    }
}

// A change that no key made is undone, and reported twice; the control's own changes stand.
TEST(DateTimeCore, GuardUndoesEveryOtherChange) {
    Control c(0, "06.12.26");
    c.box.setSelection(3, 2);
    c.box.replaceSelection("");
    EXPECT_EQ(std::pair(c.core.text(), c.changes), std::pair(std::string("06.12.26"), 2));
    c.core.setMaskLayout(1);
    EXPECT_EQ(std::pair(c.core.text(), c.changes), std::pair(std::string("06.12"), 3));
    c.core.setText("01.01.01");
    EXPECT_EQ(c.changes, 4);
}

// Each field's highest digit at either place under its deciding neighbour; the next is refused.
TEST(PositionRule, EachFieldKeepsItsDigitsInRange) {
    const std::tuple<const char*, std::int32_t, const char*, int, int, bool> rows[] = {
        // name, Layout, text, position, highest digit, tens fix
        {"day tens", 0, "01.12.26", 0, 3, false},
        {"day tens fix", 0, "05.12.26", 0, 3, true},
        {"day no units", 0, "6.12.26", 0, 3, false},
        {"day 3x units", 0, "30.12.26", 1, 1, false},
        {"month tens", 0, "06.05.26", 3, 1, false},
        {"month 1x units", 0, "06.10.26", 4, 2, false},
        {"month units", 0, "06.00.26", 4, 9, false},
        {"year", 0, "06.12.26", 6, 9, false},
        {"hour tens", 2, "03:00:00", 0, 2, false},
        {"hour tens fix", 2, "05:00:00", 0, 2, true},
        {"hour 2x units", 2, "20:00:00", 1, 3, false},
        {"minute tens", 2, "10:00:00", 3, 5, false},
        {"minute units", 2, "10:50:00", 4, 9, false},
        {"second tens", 2, "10:00:00", 6, 5, false},
        {"second units", 2, "10:00:50", 7, 9, false},
        {"short minutes", 1, "10:00", 3, 5, false}};
    for (auto [name, layout, text, pos, top, fix] : rows)
        for (int d = 0; d <= std::min(top + 1, 9); ++d)
            EXPECT_EQ(positionRule(layout, text, pos, d),
                      d > top ? DigitVerdict::Reject
                              : (fix && d == top ? DigitVerdict::TensFix : DigitVerdict::Write))
                << name << ": " << d;
}

}  // namespace
}  // namespace zoltrek
