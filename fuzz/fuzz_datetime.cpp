// Key sequences on the date control's logic over a box in memory: arbitrary layouts, texts,
// caret positions, keys, and edits that come from elsewhere. Each key is checked against the
// mask's rules written out plainly; typing keeps the text's length and writes only digits; a
// valid date or time keeps the limits of its digits; the guard undoes every other change.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "controls/datetime/core/datetimecore.h"
#include "controls/datetime/core/maskshape.h"
#include "oracle.h"
#include "support/faketextbox.h"

using zoltrek::DateTimeCore;
using zoltrek::FakeTextBox;
using zoltrek::Key;
using zoltrek::fuzz::require;

namespace {

using Chars = std::vector<std::string>;

// What the box may hold: the mask's own characters and a few letters of 1 to 4 bytes.
constexpr std::array<const char*, 16> kAlphabet = {"0", "1", "2", "3", "4", "5", "6", "7",
                                                   "8", "9", ".", ":", " ", "a", "я", "€"};
constexpr const char* kFourBytes = "\xF0\x9F\x98\x80";

Chars split(const std::string& text) {
    Chars chars;
    for (const char byte : text) {
        if ((static_cast<unsigned char>(byte) & 0xC0) == 0x80 && !chars.empty())
            chars.back() += byte;
        else
            chars.emplace_back(1, byte);
    }
    return chars;
}

std::string join(const Chars& chars) {
    std::string text;
    for (const auto& c : chars)
        text += c;
    return text;
}

int digitAt(const Chars& chars, int pos) {
    if (pos < 0 || pos >= static_cast<int>(chars.size()) || chars[pos].size() != 1 ||
        chars[pos][0] < '0' || chars[pos][0] > '9')
        return -1;
    return chars[pos][0] - '0';
}

std::string randomText(FuzzedDataProvider& in, int maxLength) {
    std::string text;
    const int length = in.ConsumeIntegralInRange(0, maxLength);
    for (int i = 0; i < length; ++i) {
        const auto pick = in.ConsumeIntegralInRange<std::size_t>(0, kAlphabet.size());
        text += pick == kAlphabet.size() ? kFourBytes : kAlphabet[pick];
    }
    return text;
}

std::string digit(FuzzedDataProvider& in, int highest) {
    return std::string(1, static_cast<char>('0' + in.ConsumeIntegralInRange(0, highest)));
}

// A date or a time as the host fills the box: every digit within its limits.
std::string validText(FuzzedDataProvider& in, std::int32_t layout) {
    std::string text;
    if (zoltrek::isDateLayout(layout)) {
        const std::string dayTens = digit(in, 3), monthTens = digit(in, 1);
        text = dayTens + digit(in, dayTens == "3" ? 1 : 9) + "." + monthTens +
               digit(in, monthTens == "1" ? 2 : 9) + "." + digit(in, 9) + digit(in, 9);
    } else {
        const std::string hourTens = digit(in, 2);
        text = hourTens + digit(in, hourTens == "2" ? 3 : 9) + ":" + digit(in, 5) + digit(in, 9);
        if (layout != zoltrek::kShortTimeLayout)
            text += ":" + digit(in, 5) + digit(in, 9);
    }
    return text;
}

// The limits that no typing breaks in a text that started valid. A date's "." may be typed
// over, and a month tens digit 1 may come before a units digit above 2.
bool withinLimits(const std::string& text, std::int32_t layout) {
    const Chars c = split(text);
    const auto d = [&c](int pos) { return digitAt(c, pos); };
    if (zoltrek::isDateLayout(layout)) {
        if (c.size() != 8)
            return false;
        const bool dots = (c[2] == "." || d(2) >= 0) && (c[5] == "." || d(5) >= 0);
        return d(0) >= 0 && d(0) <= 3 && d(1) >= 0 && (d(0) < 3 || d(1) <= 1) && d(3) >= 0 &&
               d(3) <= 1 && d(4) >= 0 && d(6) >= 0 && d(7) >= 0 && dots;
    }
    const std::size_t length = layout == zoltrek::kShortTimeLayout ? 5 : 8;
    if (c.size() != length)
        return false;
    bool ok = d(0) >= 0 && d(0) <= 2 && d(1) >= 0 && (d(0) < 2 || d(1) <= 3) && c[2] == ":" &&
              d(3) >= 0 && d(3) <= 5 && d(4) >= 0;
    if (length == 8)
        ok = ok && c[5] == ":" && d(6) >= 0 && d(6) <= 5 && d(7) >= 0;
    return ok;
}

// The selection as the box keeps it: the start within the text, the end at its end at most.
struct Selection {
    int start = 0, length = 0;
    void set(const Chars& c, int s, int l) {
        const int n = static_cast<int>(c.size());
        start = std::clamp(s, 0, n);
        length = std::clamp(l, 0, n - start);
    }
    void selectStep(const Chars& c) {
        set(c, start, 1);
        if (length == 1 && c[start] == ":")
            set(c, start + 1, 1);
    }
};

enum class Verdict { Write, Reject, TensFix };

// The position rules, from the control's tables.
Verdict rule(const Chars& c, std::int32_t layout, int pos, int d) {
    const bool date = zoltrek::isDateLayout(layout);
    const int tensLimit = date ? 3 : 2, fixFrom = date ? 1 : 3;
    switch (pos) {
        case 0:
            if (d > tensLimit)
                return Verdict::Reject;
            return d == tensLimit && digitAt(c, 1) > fixFrom ? Verdict::TensFix : Verdict::Write;
        case 1:
            return digitAt(c, 0) == tensLimit && d > fixFrom ? Verdict::Reject : Verdict::Write;
        case 3:
            return d > (date ? 1 : 5) ? Verdict::Reject : Verdict::Write;
        case 4:
            return date && digitAt(c, 3) == 1 && d > 2 ? Verdict::Reject : Verdict::Write;
        case 6:
            return !date && d > 5 ? Verdict::Reject : Verdict::Write;
        default:
            return Verdict::Write;
    }
}

// What one key down and its character, if it has one, do to the text and the selection.
struct Expected {
    std::string text;
    Selection sel;
};

Expected expectKey(const std::string& text, Selection sel, std::int32_t layout,
                   std::optional<char32_t> typed) {
    Chars c = split(text);
    sel.selectStep(c);
    if (!typed)
        return {text, sel};
    const int p = sel.start;
    if (*typed >= U'0' && *typed <= U'9') {
        const std::string d(1, static_cast<char>(*typed));
        Verdict v = rule(c, layout, p, d[0] - '0');
        if (v == Verdict::TensFix) {
            c[1] = "0";
            c[0] = d;
            sel.set(c, 0, 1);
        }
        if (v != Verdict::Reject && p < zoltrek::lengthLimit(layout) && sel.length == 1) {
            c[p] = d;
            sel.set(c, p + 1, 0);
        }
    }
    sel.selectStep(c);
    return {join(c), sel};
}

char32_t randomCharacter(FuzzedDataProvider& in) {
    constexpr std::array<char32_t, 8> kOthers = {U'\b', 0x7F, U'.', U':',
                                                 U'a',  U'я', U' ', 0x1F600};
    const int pick = in.ConsumeIntegralInRange(0, 17);
    if (pick < 10)
        return U'0' + pick;
    return kOthers[pick - 10];
}

struct Control {
    FakeTextBox box;
    DateTimeCore core{box};
    int changes = 0;
    Control() {
        box.setText(std::string(zoltrek::kDesignText));
        box.core = &core;
        core.onChange = [this] { ++changes; };
    }
    Selection selection() const { return {box.selStart(), box.selLength()}; }
    void requireGuarded(const char* when) const {
        require(core.savedText().empty() || core.text() == core.savedText(), when);
    }
};

void caretKey(FuzzedDataProvider& in, Control& c) {
    const std::string before = c.core.text();
    const int n = static_cast<int>(split(before).size());
    c.box.setSelection(in.ConsumeIntegralInRange(-2, n + 2), in.ConsumeIntegralInRange(-1, 3));
    const Selection placed = c.selection();
    constexpr std::array<Key, 6> kKeys = {Key::End, Key::Home,  Key::Left,
                                          Key::Up,  Key::Right, Key::Down};
    c.core.keyDown(kKeys[in.ConsumeIntegralInRange<std::size_t>(0, kKeys.size() - 1)]);
    require(c.core.text() == before, "a caret key changes no text");
    const Selection after = c.selection();
    require(after.start == placed.start && after.length == placed.length,
            "a caret key leaves the caret to the box");
}

void clickOrFocus(FuzzedDataProvider& in, Control& c) {
    const std::string before = c.core.text();
    const Chars chars = split(before);
    Selection want;
    if (in.ConsumeBool()) {
        c.box.setSelection(in.ConsumeIntegralInRange(0, static_cast<int>(chars.size())), 0);
        want = c.selection();
        c.core.click();
    } else {
        want = c.selection();
        c.core.gotFocus();
    }
    want.selectStep(chars);
    require(c.core.text() == before, "a click or the focus changes no text");
    require(c.box.selStart() == want.start && c.box.selLength() == want.length,
            "a click or the focus selects the character at the caret, past one \":\"");
}

void typeKey(FuzzedDataProvider& in, Control& c, bool& valid) {
    const std::string before = c.core.text();
    // A key without a character, such as Delete or F1, has a key down only.
    std::optional<char32_t> typed;
    if (in.ConsumeIntegralInRange(0, 7) != 0)
        typed = randomCharacter(in);
    const Expected want = expectKey(before, c.selection(), c.core.maskLayout(), typed);

    c.core.keyDown(Key::Other);
    if (typed)
        c.core.keyPress(*typed);

    const std::string after = c.core.text();
    const Chars was = split(before), now = split(after);
    require(now.size() == was.size(), "typing never changes the text's length");
    for (std::size_t i = 0; i < now.size(); ++i) {
        if (now[i] == was[i])
            continue;
        require(digitAt(now, static_cast<int>(i)) >= 0, "typing writes digits only");
        require(static_cast<int>(i) < c.core.lengthLimit(), "typing writes below the length limit");
    }
    require(after == want.text, "the key does what the mask's rules say");
    require(c.box.selStart() == want.sel.start && c.box.selLength() == want.sel.length,
            "the caret lands where the mask's rules say");
    require(c.core.savedText() == after, "an accepted key becomes the saved text");
    if (valid)
        require(withinLimits(after, c.core.maskLayout()), "a valid text keeps its digits' limits");
}

// A deletion, a cut, a paste or a text set past the control: undone once a text is accepted.
void editElsewhere(FuzzedDataProvider& in, Control& c, bool& valid) {
    const std::string before = c.core.text(), saved = c.core.savedText();
    const int changes = c.changes;
    const int n = static_cast<int>(split(before).size());
    const int kind = in.ConsumeIntegralInRange(0, 2);
    std::string edited = before;
    if (kind == 2) {
        edited = randomText(in, 12);
        c.box.setText(edited);
    } else {
        c.box.setSelection(in.ConsumeIntegralInRange(0, n), in.ConsumeIntegralInRange(0, n));
        const std::string pasted = kind == 0 ? "" : randomText(in, 4);
        const Chars chars = split(before);
        const int from = c.box.selStart(), to = from + c.box.selLength();
        edited = join(Chars(chars.begin(), chars.begin() + from)) + pasted +
                 join(Chars(chars.begin() + to, chars.end()));
        c.box.replaceSelection(pasted);
    }
    if (edited == before) {
        require(c.changes == changes, "no change, no onChange");
        return;
    }
    if (saved.empty()) {
        require(c.core.text() == edited && c.changes == changes + 1,
                "before a text is accepted the guard lets a change through, raising onChange");
        valid = withinLimits(edited, c.core.maskLayout());
        return;
    }
    require(c.core.text() == saved, "the guard restores a change that did not come from a key");
    require(c.changes == changes + 2, "an undone change raises onChange twice");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Control c;
    bool valid = false;

    constexpr std::array<std::int32_t, 4> kLayouts = {0, 1, 2, -7};
    const auto pick = in.ConsumeIntegralInRange<std::size_t>(0, kLayouts.size());
    c.core.setMaskLayout(pick < kLayouts.size() ? kLayouts[pick]
                                                : in.ConsumeIntegral<std::int32_t>());
    if (in.ConsumeBool()) {
        valid = in.ConsumeIntegralInRange(0, 3) != 0;
        const std::string text = valid ? validText(in, c.core.maskLayout()) : randomText(in, 12);
        c.core.setText(text);
        require(c.core.text() == text && c.core.savedText() == text,
                "the host's text is shown unchanged and accepted");
        valid = valid || withinLimits(text, c.core.maskLayout());
    }

    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 9)) {
            case 0:
            case 1:
                caretKey(in, c);
                break;
            case 2:
                clickOrFocus(in, c);
                break;
            case 3:
            case 4:
            case 5:
            case 6:
                typeKey(in, c, valid);
                break;
            case 7:
                editElsewhere(in, c, valid);
                break;
            case 8: {
                const std::string text =
                    in.ConsumeBool() ? validText(in, c.core.maskLayout()) : randomText(in, 12);
                c.core.setText(text);
                require(c.core.text() == text && c.core.savedText() == text,
                        "the host's text is shown unchanged and accepted");
                valid = withinLimits(text, c.core.maskLayout());
                break;
            }
            case 9: {
                const std::int32_t layout = in.ConsumeIntegralInRange(-1, 3);
                c.core.setMaskLayout(layout);
                require(
                    static_cast<int>(split(c.core.text()).size()) == zoltrek::lengthLimit(layout),
                    "a new layout fits the text to its length limit");
                valid = withinLimits(c.core.text(), layout);
                break;
            }
        }
        c.requireGuarded("the box holds the saved text once one is accepted");
    }
    return 0;
}
