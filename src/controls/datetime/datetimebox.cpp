#include "datetimebox.h"

#include <QKeyEvent>

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

DateTimeBox::DateTimeBox(QWidget* parent) : CaretLineEdit(parent) {
    setObjectName("Text1");
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(textBoxStyle());
}

void DateTimeBox::attach(DateTimeCore* core) {
    core_ = core;
}

void DateTimeBox::focusInEvent(QFocusEvent* event) {
    CaretLineEdit::focusInEvent(event);
    if (core_)
        core_->gotFocus();
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

}  // namespace zoltrek
