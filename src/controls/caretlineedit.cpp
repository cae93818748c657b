#include "controls/caretlineedit.h"

#include <QApplication>
#include <QPainter>

namespace zoltrek {

CaretLineEdit::CaretLineEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { restartBlink(); });
}

int CaretLineEdit::caretX(int position) const {
    // The box knows where its caret is now; the text's advances give every other place.
    const QRect around = cursorRect();
    const QFontMetrics metrics(font());
    return (around.left() + around.right() + 1) / 2 +
           metrics.horizontalAdvance(text().left(position)) -
           metrics.horizontalAdvance(text().left(cursorPosition()));
}

QRect CaretLineEdit::characterRect(int position) const {
    const int left = caretX(position);
    return {left, cursorRect().top(), caretX(position + 1) - left, QFontMetrics(font()).height()};
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
    QPainter painter(this);
    // In the text's colour, which an overstruck box leaves transparent in its own palette.
    painter.fillRect(QRect(caretX(cursorPosition()), around.top(), 1, around.height()),
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

QString textBoxStyle(bool overstruck) {
    return QStringLiteral("QLineEdit { background-color: #E0E0E0; border: 1px solid #646464;%1 }")
        .arg(overstruck ? QStringLiteral(" color: transparent;") : QString());
}

}  // namespace zoltrek
