#pragma once

#include <string>

namespace zoltrek {

// What the date control needs of its inner single-line box. Positions count characters.
// After every change of its text, also one made through this interface, the box calls the
// control's `change` handler.
class TextBox {
  public:
    virtual ~TextBox() = default;

    virtual std::string text() const = 0;
    // Replaces the whole text, shown unchanged whatever its length, caret at 0.
    virtual void setText(const std::string& text) = 0;

    // The selection's start is the caret when nothing is selected.
    virtual int selStart() const = 0;
    virtual int selLength() const = 0;
    // The start is kept within the text and the selection ends at the text's end at most.
    virtual void setSelection(int start, int length) = 0;
    // Works while the box is locked; the caret ends after the new text.
    virtual void replaceSelection(const std::string& text) = 0;

    virtual bool enabled() const = 0;
    virtual void setEnabled(bool on) = 0;
};

}  // namespace zoltrek
