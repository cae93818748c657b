#include "datetimebox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

#include "datetimecore.h"
#include "text.h"
#include "windowkit.h"

namespace zoltrek {

namespace {

Key keyOf(int qtKey) {
    switch (qtKey) {
        case Qt::Key_End:
            return Key::End;
        case Qt::Key_Home:
            return Key::Home;
        case Qt::Key_Left:
            return Key::Left;
        case Qt::Key_Up:
            return Key::Up;
        case Qt::Key_Right:
            return Key::Right;
        case Qt::Key_Down:
            return Key::Down;
        default:
            return Key::Other;
    }
}

// The host window still closes or accepts on these keys.
bool isWindowKey(int qtKey) {
    return qtKey == Qt::Key_Escape || qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter;
}

}  // namespace

DateTimeBox::DateTimeBox(QWidget* parent) : QLineEdit(parent) {
    setObjectName("Text1");
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(textBoxStyle());
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { restartBlink(); });
}

void DateTimeBox::attach(DateTimeCore* core) {
    core_ = core;
}

void DateTimeBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    restartBlink();
    if (core_)
        core_->gotFocus();
}

void DateTimeBox::focusOutEvent(QFocusEvent* event) {
    blink_.stop();
    QLineEdit::focusOutEvent(event);
}

void DateTimeBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (core_ && event->button() == Qt::LeftButton)
        core_->click();
}

void DateTimeBox::keyPressEvent(QKeyEvent* event) {
    if (!core_) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const Key key = keyOf(event->key());
    core_->keyDown(key);
    if (key != Key::Other) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QList<uint> typed = event->text().toUcs4();
    if (!typed.isEmpty()) {
        // A digit of any script is that digit: an Arabic keyboard types "١" for 1.
        core_->keyPress(plainDigit(typed.first()));
    }
    event->setAccepted(!typed.isEmpty() && !isWindowKey(event->key()));
}

void DateTimeBox::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!hasFocus() || hasSelectedText() || !caretShown_)
        return;
    const QRect around = cursorRect();
    const int x = (around.left() + around.right() + 1) / 2;
    QPainter painter(this);
    painter.fillRect(QRect(x, around.top(), 1, around.height()), palette().text());
}

void DateTimeBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blink_.timerId()) {
        QLineEdit::timerEvent(event);
        return;
    }
    caretShown_ = !caretShown_;
    update();
}

void DateTimeBox::restartBlink() {
    caretShown_ = true;
    const int period = QApplication::cursorFlashTime() / 2;
    if (hasFocus() && period > 0)
        blink_.start(period, this);
    update();
}

}  // namespace zoltrek
