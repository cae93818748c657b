#include "controls/datetime/widget/lineedittextbox.h"

#include <algorithm>
#include <limits>

namespace zoltrek {

namespace {

// The second half of a surrogate pair is no character of its own.
bool continues(const QString& s, qsizetype i) {
    return i > 0 && i < s.size() && s.at(i).isLowSurrogate() && s.at(i - 1).isHighSurrogate();
}

int toCharPos(const QString& s, qsizetype unit) {
    int pos = 0;
    for (qsizetype i = 0; i < unit && i < s.size(); ++i)
        if (!continues(s, i))
            ++pos;
    return pos;
}

int toUnitPos(const QString& s, int pos) {
    qsizetype i = 0;
    for (int seen = 0; i < s.size(); ++i) {
        if (continues(s, i))
            continue;
        if (seen++ == pos)
            break;
    }
    return static_cast<int>(i);
}

}  // namespace

LineEditTextBox::LineEditTextBox(QLineEdit& edit) : edit_(edit) {
    edit_.setMaxLength(std::numeric_limits<int>::max());
}

std::string LineEditTextBox::text() const {
    return edit_.text().toStdString();
}

void LineEditTextBox::setText(const std::string& text) {
    edit_.setText(QString::fromStdString(text));
    edit_.setCursorPosition(0);
}

int LineEditTextBox::selStart() const {
    const QString s = edit_.text();
    return toCharPos(s, edit_.hasSelectedText() ? edit_.selectionStart() : edit_.cursorPosition());
}

int LineEditTextBox::selLength() const {
    if (!edit_.hasSelectedText())
        return 0;
    const QString s = edit_.text();
    return toCharPos(s, edit_.selectionEnd()) - toCharPos(s, edit_.selectionStart());
}

void LineEditTextBox::setSelection(int start, int length) {
    const QString s = edit_.text();
    const int begin = toUnitPos(s, std::max(start, 0));
    const int end = toUnitPos(s, std::max(start, 0) + std::max(length, 0));
    if (end > begin)
        edit_.setSelection(begin, end - begin);
    else
        edit_.setCursorPosition(begin);
}

void LineEditTextBox::replaceSelection(const std::string& text) {
    edit_.insert(QString::fromStdString(text));
}

bool LineEditTextBox::enabled() const {
    return edit_.isEnabled();
}

void LineEditTextBox::setEnabled(bool on) {
    edit_.setEnabled(on);
}

}  // namespace zoltrek
