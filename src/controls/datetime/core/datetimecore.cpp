#include "controls/datetime/core/datetimecore.h"

#include "controls/datetime/core/maskshape.h"
#include "controls/datetime/core/positionrule.h"
#include "controls/datetime/core/utf8text.h"

namespace zoltrek {

namespace {

constexpr char kTextKey[] = "Text";
constexpr char kLayoutKey[] = "Layout";

bool isCaretKey(Key key) {
    return key != Key::Other;
}

}  // namespace

DateTimeCore::DateTimeCore(TextBox& box) : box_(box), layout_(kDefaultLayout) {}

std::string DateTimeCore::text() const {
    return box_.text();
}

void DateTimeCore::setText(const std::string& value) {
    savedText_ = value;
    box_.setText(value);
}

bool DateTimeCore::boxEnabled() const {
    return box_.enabled();
}

void DateTimeCore::setBoxEnabled(bool on) {
    box_.setEnabled(on);
}

std::int32_t DateTimeCore::maskLayout() const {
    return layout_;
}

void DateTimeCore::setMaskLayout(std::int32_t value) {
    layout_ = value;
    const std::string text = box_.text();
    const std::string fitted = fitToLayout(text, value);
    if (fitted != text)
        replaceText(fitted);
}

int DateTimeCore::lengthLimit() const {
    return zoltrek::lengthLimit(layout_);
}

const std::string& DateTimeCore::savedText() const {
    return savedText_;
}

void DateTimeCore::readProperties(const PropertyBag& stored) {
    const std::string text = box_.text();
    const std::string storedText = stored.readText(kTextKey, text);
    if (storedText != text)
        replaceText(storedText);
    setMaskLayout(stored.readInt(kLayoutKey, kDefaultLayout));
}

void DateTimeCore::writeProperties(PropertyBag& stored) const {
    stored.write(kLayoutKey, layout_, kDefaultLayout);
    const std::string text = box_.text();
    stored.write(kTextKey, text, text);
}

void DateTimeCore::gotFocus() {
    selectStep();
}

void DateTimeCore::click() {
    selectStep();
}

void DateTimeCore::keyDown(Key key) {
    if (isCaretKey(key))
        return;
    savedText_ = box_.text();
    selectStep();
}

void DateTimeCore::keyPress(char32_t typed) {
    const bool isDigit = typed >= U'0' && typed <= U'9';
    char digit = isDigit ? static_cast<char>(typed) : '\0';
    const std::string text = box_.text();
    const int pos = box_.selStart();
    if (digit) {
        switch (positionRule(layout_, text, pos, digit - '0')) {
            case DigitVerdict::Reject:
                digit = '\0';
                break;
            case DigitVerdict::TensFix:
                applyTensFix(text, digit);
                break;
            case DigitVerdict::Write:
                break;
        }
    }
    if (digit && pos < lengthLimit() && box_.selLength() == 1) {
        savedText_ = replaceChar(savedText_, pos, digit);
        box_.replaceSelection(std::string(1, digit));
    }
    selectStep();
    savedText_ = box_.text();
}

void DateTimeCore::change() {
    if (!savedText_.empty() && box_.text() != savedText_)
        box_.setText(savedText_);
    if (onChange)
        onChange();
}

void DateTimeCore::selectStep() {
    box_.setSelection(box_.selStart(), 1);
    if (charAt(box_.text(), box_.selStart()) == ":" && box_.selLength() == 1)
        box_.setSelection(box_.selStart() + 1, 1);
}

void DateTimeCore::applyTensFix(std::string text, char digit) {
    text = replaceChar(replaceChar(text, 1, '0'), 0, digit);
    savedText_ = text;
    box_.setText(text);
    box_.setSelection(0, 1);
}

void DateTimeCore::replaceText(const std::string& text) {
    // A text the control adjusts itself is accepted, so the guard must not undo it.
    if (!savedText_.empty())
        savedText_ = text;
    box_.setText(text);
}

}  // namespace zoltrek
