#include "controls/datetime/widget/datetime.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDialog>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

namespace zoltrek {
namespace {

// A dialog laid out like the entry dialog: a text box, then the date control.
struct Window {
    QDialog dialog;
    QLineEdit* before = new QLineEdit(&dialog);
    DateTime* date;
    QLineEdit* box;

    Window(const QString& text, std::int32_t layout, bool focused) {
        date = new DateTime(PropertyBag{{"Layout", layout}}, QRect(68, 12, 73, 40), &dialog);
        box = date->findChild<QLineEdit*>("Text1");
        date->setText(text);
        (focused ? static_cast<QWidget*>(date) : before)->setFocus();
        dialog.show();
        dialog.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
};

// A digit of any script types that digit; Home and the arrows move the caret as the box does, Up
// left and Down right, selecting nothing; a deletion, a letter or a change past the control edits
// nothing; Escape is left to the dialog.
TEST(DateTimeWidget, TypingArrowsAndEscape) {
    Window w("03:59:00", 2, true);
    QTest::sendKeyEvent(QTest::Click, w.box, Qt::Key_unknown, QChar(0x0661), {});  // Arabic 1
    EXPECT_EQ(std::tuple(w.date->text(), w.box->selectionStart(), w.box->selectedText()),
              std::tuple(QString("13:59:00"), 1, QString("3")));
    for (Qt::Key key : {Qt::Key_Home, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up})
        QTest::keyClick(w.box, key);
    EXPECT_EQ(std::pair(w.box->cursorPosition(), w.box->hasSelectedText()), std::pair(2, false));
    QSignalSpy changes(w.date, &DateTime::onChange);
    QTest::keyClick(w.box, Qt::Key_Backspace), QTest::keyClick(w.box, Qt::Key_A);
    EXPECT_EQ(std::pair(w.date->text(), changes.count()), std::pair(QString("13:59:00"), 0ll));
    w.box->setText("31.12.99");
    EXPECT_EQ(std::pair(w.date->text(), changes.count()), std::pair(QString("13:59:00"), 2ll));
    QTest::keyClick(w.box, Qt::Key_Escape);
    EXPECT_FALSE(w.dialog.isVisible());
}

// Screen readers find each character where it is drawn; the focus and a click select the
// character at the caret, where Tab finds it again; a text set is shown whole, the caret at 0.
TEST(DateTimeWidget, CharactersSelectionAndLongText) {
    Window w("06.12.26", 0, false);
    const QImage shot = w.box->grab().toImage();
    int left = shot.width(), right = 0;  // the text's ink, inside the frame
    for (int y = 2; y < shot.height() - 2; ++y)
        for (int x = 2; x < shot.width() - 2; ++x)
            if (qGray(shot.pixel(x, y)) < 50)
                left = std::min(left, x), right = std::max(right, x);
    auto* text = QAccessible::queryAccessibleInterface(w.box)->textInterface();
    const QRect first = text->characterRect(0), last = text->characterRect(7);
    const int origin = w.box->mapToGlobal(QPoint()).x();
    EXPECT_TRUE(first.left() <= origin + left && origin + left <= first.right()) << first.left();
    EXPECT_TRUE(last.left() <= origin + right && origin + right <= last.right()) << last.right();
    EXPECT_EQ(std::pair(text->offsetAtPoint(first.center()), text->offsetAtPoint(last.center())),
              std::pair(0, 7));
    QTest::keyClick(w.before, Qt::Key_Tab);
    ASSERT_TRUE(w.box->hasFocus());
    EXPECT_EQ(w.box->selectedText(), "0");
    int x = 0;  // the first place that puts the caret before the fourth character
    while (x < w.box->width() && w.box->cursorPositionAt(QPoint(x, 9)) != 3)
        ++x;
    QTest::mouseClick(w.box, Qt::LeftButton, {}, QPoint(x, 9));
    EXPECT_EQ(w.box->selectedText(), "1");
    w.before->setFocus();
    QTest::keyClick(w.before, Qt::Key_Tab);
    EXPECT_EQ(std::pair(w.box->selectionStart(), w.box->selectedText()),
              std::pair(3, QString("1")));
    const QString longText = "2026-12-06 Пн " + QString(40000, '7');
    w.date->setText(longText);
    EXPECT_EQ(std::pair(w.date->text(), w.box->cursorPosition()), std::pair(longText, 0));
}

}  // namespace
}  // namespace zoltrek
