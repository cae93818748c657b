#pragma once

#include <algorithm>
#include <string>
#include <utility>

#include "controls/datetime/core/datetimecore.h"
#include "controls/datetime/core/textbox.h"
#include "controls/datetime/core/utf8text.h"

namespace zoltrek {

// A box in memory: positions count characters, and every change of its text reaches the core.
struct FakeTextBox : TextBox {
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { start_ = length_ = 0, assign(text); }
    int selStart() const override { return start_; }
    int selLength() const override { return length_; }
    void setSelection(int start, int length) override {
        start_ = std::clamp(start, 0, charCount(text_));
        length_ = std::clamp(length, 0, charCount(text_) - start_);
    }
    void replaceSelection(const std::string& text) override {
        const auto from = byteOffset(text_, start_), to = byteOffset(text_, start_ + length_);
        start_ += charCount(text), length_ = 0;
        assign(text_.substr(0, from) + text + text_.substr(to));
    }
    bool enabled() const override { return on; }
    void setEnabled(bool value) override { on = value; }
    void assign(const std::string& text) {
        if (std::exchange(text_, text) != text && core)
            core->change();
    }

    DateTimeCore* core = nullptr;
    bool on = true;
    std::string text_;
    int start_ = 0, length_ = 0;
};

}  // namespace zoltrek
