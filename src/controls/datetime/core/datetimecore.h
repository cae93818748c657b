#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "controls/datetime/core/textbox.h"
#include "controls/propertybag.h"

namespace zoltrek {

// Key codes 35 to 40, which the box keeps for moving its caret, and every other key.
enum class Key { End, Home, Left, Up, Right, Down, Other };

// The date entry control without its toolkit: the digit mask typed over one character at a
// time, and the guard that holds the box to the last accepted text.
class DateTimeCore {
  public:
    explicit DateTimeCore(TextBox& box);

    std::string text() const;
    void setText(const std::string& value);
    bool boxEnabled() const;
    void setBoxEnabled(bool on);
    std::int32_t maskLayout() const;
    void setMaskLayout(std::int32_t value);

    int lengthLimit() const;
    const std::string& savedText() const;

    // Reads "Text" then "Layout"; writes "Layout" then "Text" (which is never stored).
    void readProperties(const PropertyBag& stored);
    void writeProperties(PropertyBag& stored) const;

    // The box's events.
    void gotFocus();
    void click();
    void keyDown(Key key);
    void keyPress(char32_t typed);
    void change();

    // Raised at the end of every change of the box's text.
    std::function<void()> onChange;

  private:
    void selectStep();
    void applyTensFix(std::string text, char digit);
    void replaceText(const std::string& text);

    TextBox& box_;
    std::int32_t layout_;
    std::string savedText_;
};

}  // namespace zoltrek
