#pragma once

#include <QBasicTimer>
#include <QLineEdit>

namespace zoltrek {

class DateTimeCore;

// The control's inner box `Text1`: locked, so it never edits its text by itself; its focus,
// click and keys go to the control's logic, and it draws the caret that Qt hides in a
// read-only box.
class DateTimeBox : public QLineEdit {
    Q_OBJECT

  public:
    explicit DateTimeBox(QWidget* parent);
    void attach(DateTimeCore* core);

  protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    void restartBlink();

    DateTimeCore* core_ = nullptr;
    QBasicTimer blink_;
    bool caretShown_ = true;
};

}  // namespace zoltrek
