#pragma once

#include "controls/caretlineedit.h"

namespace zoltrek {

class DateTimeCore;

// The control's inner box `Text1`: locked, so it never edits its text by itself, yet showing
// its caret; its focus, click and keys go to the control's logic.
class DateTimeBox : public CaretLineEdit {
    Q_OBJECT

  public:
    explicit DateTimeBox(QWidget* parent);
    void attach(DateTimeCore* core);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    DateTimeCore* core_ = nullptr;
};

}  // namespace zoltrek
