#include "controls/datetime/core/datetimecore.h"

#include <gtest/gtest.h>

#include "controls/datetime/core/maskshape.h"
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
        {"no other key writes", 0, "06.12.26", 0, U"\x7F\ba-я ", "06.12.26", 0, 1},
        {"nothing in an empty text", 0, "", 0, U"1", "", 0, 0},
        {"letters count as one place", 0, "г5.12.26", 1, U"7", "г7.12.26", 2, 1},
        {"a refused digit stays put", 2, "12:00:00", 4, U"96", "12:09:00", 6, 1},
        {"the focus steps over one colon", 2, "1::2", 1, U"", "1::2", 2, 1},
        {"the last place of a short time", 1, "12:34", 4, U"5", "12:35", 5, 0},
        {"nothing past a short time", 1, "12:3456", 4, U"51", "12:3556", 5, 1},
        {"a day up to 31, a 3 over 5 writes 30", 0, "05.12.26", 0, U"4321", "31.12.26", 2, 1},
        {"a month up to 12", 0, "06.05.26", 3, U"2132", "06.12.26", 5, 1},
        {"an hour up to 23, a 2 over 5 writes 20", 2, "05:00:00", 0, U"324", "20:00:00", 1, 1},
        {"minutes and seconds up to 59", 2, "23:00:00", 3, U"65965", "23:59:50", 7, 1}};
    for (const auto& [name, layout, text, caret, keys, want, start, length] : rows) {
        Control c(layout, text);
        c.box.setSelection(caret, 0);
        c.core.gotFocus();
        for (char32_t key : keys) {
            c.core.keyDown(Key::Other);
            if (key != kDelete)
                c.core.keyPress(key);
        }
        EXPECT_EQ(
            std::tuple(c.core.text(), c.core.savedText(), c.box.selStart(), c.box.selLength()),
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
        Control c(kDefaultLayout, "");
        c.box.setText(std::string(kDesignText));
        c.core.readProperties(stored);
        PropertyBag saved;
        c.core.writeProperties(saved);
        EXPECT_EQ(std::tuple(c.core.maskLayout(), c.core.text(), c.core.savedText(),
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

}  // namespace
}  // namespace zoltrek
