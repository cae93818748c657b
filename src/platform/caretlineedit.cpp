#include "caretlineedit.h"

#include <QApplication>
#include <QPainter>

namespace zoltrek {

CaretLineEdit::CaretLineEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { restartBlink(); });
}

void CaretLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    restartBlink();
}

void CaretLineEdit::focusOutEvent(QFocusEvent* event) {
    blink_.stop();
    QLineEdit::focusOutEvent(event);
}

void CaretLineEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!isReadOnly() || !hasFocus() || hasSelectedText() || !caretShown_)
        return;
    const QRect around = cursorRect();
    const int x = (around.left() + around.right() + 1) / 2;
    QPainter painter(this);
    // In the text's colour, which an overstruck box leaves transparent in its own palette.
    painter.fillRect(QRect(x, around.top(), 1, around.height()),
                     QApplication::palette().color(QPalette::Text));
}

void CaretLineEdit::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId()) {
        QLineEdit::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    update();
}

void CaretLineEdit::restartBlink() {
    caretShown_ = true;
    const int period = QApplication::cursorFlashTime() / 2;
    if (isReadOnly() && hasFocus() && period > 0)
        blink_.start(period, this);
    update();
}

}  // namespace zoltrek
