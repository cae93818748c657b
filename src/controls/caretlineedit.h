#pragma once

#include <QBasicTimer>
#include <QLineEdit>

namespace zoltrek {

// A one-line box that shows its blinking caret while it has the focus, locked or not: Qt hides
// the caret of a read-only box, where the platform's locked boxes keep it.
class CaretLineEdit : public QLineEdit {
  public:
    explicit CaretLineEdit(QWidget* parent = nullptr);

    // Where the character at `position` is drawn, in the box's pixels.
    QRect characterRect(int position) const;

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    // Where the caret's line stands when the caret is at `position`.
    int caretX(int position) const;
    void restartBlink();

    QBasicTimer blink_;
    bool caretShown_ = true;
};

// The entry boxes' look: #E0E0E0 in a plain one-pixel frame; an overstruck box paints its text
// itself, so the style leaves it unpainted.
QString textBoxStyle(bool overstruck = false);

}  // namespace zoltrek
