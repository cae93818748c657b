#include "controls/datetime/widget/datetimebox.h"

#include <QKeyEvent>

#include "base/digits.h"
#include "controls/caretlineedit.h"
#include "controls/datetime/core/datetimecore.h"
#include "controls/datetime/widget/datetimeaccessible.h"

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

// The platform's one-line box moves its caret with Up and Down as with Left and Right.
Qt::Key sideways(int qtKey) {
    return qtKey == Qt::Key_Up     ? Qt::Key_Left
           : qtKey == Qt::Key_Down ? Qt::Key_Right
                                   : Qt::Key(qtKey);
}

// The host window still closes or accepts on these keys.
bool isWindowKey(int qtKey) {
    return qtKey == Qt::Key_Escape || qtKey == Qt::Key_Return || qtKey == Qt::Key_Enter;
}

}  // namespace

DateTimeBox::DateTimeBox(QWidget* parent) : CaretLineEdit(parent) {
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(dateTimeBoxAccessibleFactory), true);
    setObjectName("Text1");
    setReadOnly(true);
    setAlignment(Qt::AlignCenter);
    setStyleSheet(textBoxStyle());
}

void DateTimeBox::attach(DateTimeCore* core) {
    core_ = core;
}

// Qt selects the whole text when Tab brings the focus; the platform's box keeps its caret, so
// the focus marks the character where the user left it.
void DateTimeBox::focusInEvent(QFocusEvent* event) {
    const int caret = cursorPosition();
    const bool selected = hasSelectedText();
    CaretLineEdit::focusInEvent(event);
    if (!selected)
        setCursorPosition(caret);
    if (core_)
        core_->gotFocus();
}

// Qt drops the selection when the focus goes; the caret stays before the marked character.
void DateTimeBox::focusOutEvent(QFocusEvent* event) {
    const int start = hasSelectedText() ? selectionStart() : cursorPosition();
    CaretLineEdit::focusOutEvent(event);
    if (!hasSelectedText())
        setCursorPosition(start);
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
        QKeyEvent caretKey(event->type(), sideways(event->key()), event->modifiers(), event->text(),
                           event->isAutoRepeat(), event->count());
        QLineEdit::keyPressEvent(&caretKey);
        event->setAccepted(caretKey.isAccepted());
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
