#pragma once

#include <QLineEdit>

#include "controls/datetime/core/textbox.h"

namespace zoltrek {

// The inner box as the control's logic sees it: a QLineEdit counted in characters, whose
// text is set without Qt's length cap and with the caret at 0.
class LineEditTextBox : public TextBox {
  public:
    explicit LineEditTextBox(QLineEdit& edit);

    std::string text() const override;
    void setText(const std::string& text) override;
    int selStart() const override;
    int selLength() const override;
    void setSelection(int start, int length) override;
    void replaceSelection(const std::string& text) override;
    bool enabled() const override;
    void setEnabled(bool on) override;

  private:
    QLineEdit& edit_;
};

}  // namespace zoltrek
