// The main window: its design, its list and details, its clock and its boxes.
#include <QMenu>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>

#include <filesystem>

#include "mainwindow/messages.h"
#include "mainwindow/windowtest.h"
#include "platform/appearance.h"
#include "platform/text.h"
#include "resources/resources.h"

namespace zoltrek {
namespace {

using namespace testing;
using MainTest = WindowTest;

// Pixels from the design's twips, the design's Tab order, a background stretched, never blended.
TEST_F(MainTest, LooksAsDesigned) {
    start(kTwoLines);
    expectLayout(main.get(), {229, 201}, "Zoltrek Calculator", Qt::WindowMinimizeButtonHint,
                 "XpB1 76 8 145 25, XpB2 76 36 145 25, List1 4 8 65 171, Picture1 76 68 145 110,"
                 "Picture2 188 184 41 17, Label9 0 184 192 17, i1 129 73 85 13, i2 129 89 85 13,"
                 "i3 129 105 85 13, i4 129 121 85 13, i5 137 141 77 13, i6 125 157 93 13,"
                 "Label7 81 141 53 13, Label5 89 157 39 13, Label1 81 89 48 13,"
                 "Label2 97 73 29 13, Label3 93 105 36 13, Label4 81 121 47 13,"
                 "Line1 93 137 112 1, Label6 194 186 28 13");
    QWidget* link = child(main.get(), "Label6");
    EXPECT_EQ(link->cursor().hotSpot(), QPoint(5, 0));  // the hand
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(tabOrder(main.get(), 6),
              (QStringList{"XpB1", "List1", "Picture1", "XpB2", "Picture2", "XpB1"}));
    const QImage bg = child(main.get(), "BG")->grab().toImage();
    const QImage pic = backgroundPicture().toImage();
    const int x = bg.width() / 2, y = bg.height() / 2;  // a middle row is the picture's under it
    EXPECT_EQ(bg.pixel(x, 0) & RGB_MASK, 0xfafafau);    // the picture's top row, its lightest
    EXPECT_EQ(bg.pixel(x, bg.height() - 1) & RGB_MASK, 0xa6a6a6u);  // its bottom row, its darkest
    EXPECT_EQ(bg.pixel(x, y), pic.pixel(0, (2 * y + 1) * pic.height() / (2 * bg.height())));
}

// " 100000" sorts first yet is its own line; the date's bytes show as characters, "<b>" too.
TEST_F(MainTest, TheDetailsAreTheSelectedItemsOwnRecord) {
    locale = Locale::of(QLocale("ru_RU"));  // the user's comma
    start("01.11.26|99999|40|20|800\r\n<b>\xCF\xED 15.11.26</b>|100000|35|20.5|735\r\n");
    clickItem(0);
    const QRect selected = list()->visualItemRect(list()->item(0));  // a flat fill behind the text
    EXPECT_EQ(coloursOf(list()->viewport()->grab(selected).toImage()),
              (std::set<QRgb>{0x3399ff, 0xffffff}));
    EXPECT_EQ(details(), (QStringList{"<b>Пн 15.11.26</b>", "100000", "35 л", "20,5 руб", "1 км",
                                      "4000 л/100км"}));
    const QLabel* date = child<QLabel>(main.get(), "i1");
    EXPECT_GE(date->sizeHint().width(), date->fontMetrics().horizontalAdvance(date->text()) - 1);
    clickItem(1);  // the first fill-up has nothing before it
    EXPECT_EQ(details(), QStringList(6, QString()));
    QTest::keyClick(list(), Qt::Key_Up);
    EXPECT_EQ(details()[0], "<b>Пн 15.11.26</b>");
}

// The real box shows the report as plain text, every line of it, over a Russian "ОК"; the
// toolkit's menus are Russian too.
TEST_F(MainTest, TheStatisticsBoxShowsEveryLine) {
    start("01.11.26|99999|40|20|800\r\n<b>15.11.26</b>|100000|35|20.5|735\r\n");
    const Message report = statisticsMessage(main->journal(), locale);
    std::tuple<Qt::TextFormat, QString, QString, int> shown;
    QTimer::singleShot(0, [&] {
        for (QWidget* window : QApplication::topLevelWidgets())  // whatever it is, it goes
            if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
                const auto* text = child<QLabel>(box, "qt_msgbox_label");
                shown = {text->textFormat(), text->text(), box->buttons().value(0)->text(),
                         text->sizeHint().height() / text->fontMetrics().lineSpacing()};
                box->done(0);
            }
    });
    showMessageBox(main.get(), report);
    EXPECT_EQ(shown,
              std::tuple(Qt::PlainText, report.text, QString("ОК"), report.text.count(u'\n') + 1));
    QLineEdit box;  // the menu's parent
    EXPECT_EQ(box.createStandardContextMenu()->actions().value(0)->text(),
              "&Отменить действие\tCtrl+Z");
    EXPECT_EQ(QScrollBar::tr("Scroll here"), "Прокрутить сюда");
}

// The user's own formats in the digits 0-9, without direction marks or the time zone.
TEST_F(MainTest, TheClockShowsTheUsersFormatsWithoutTheTimeZone) {
    start(kTwoLines);
    QMetaObject::invokeMethod(child<QTimer>(main.get(), "Timer1"), "timeout");  // a tick
    EXPECT_EQ(child<QLabel>(main.get(), "Label9")->text(), "Сегодня 06.12.2026, 5:35:39");
    EXPECT_EQ(clockText(now, Locale::of(QLocale::c())), "Сегодня 6 Dec 2026, 05:35:39");
    EXPECT_EQ(withPlainDigits(QString::fromUtf8("\u061C٦/١٢/٢٠٢٦ \u200F٥:٣٥ ૭")),
              "6/12/2026 5:35 7");
    // A quoted t is no zone; the glue goes at either end; a space stays between two fields.
    EXPECT_EQ(std::tuple(withoutTimeZone("'at' HH:mm:ss [t]"), withoutTimeZone("t HH:mm:ss (t)"),
                         withoutTimeZone("HH:mm (tttt) ss")),
              std::tuple("'at' HH:mm:ss", "HH:mm:ss", "HH:mm ss"));
}

// Skipped lines are told once, at start-up; a reload tells only a failure, keeping the list; an
// emptied journal empties the list, keeping the details; one another copy filled is told.
TEST_F(MainTest, AReloadTellsOnlyAFailureAndKeepsTheDetails) {
    start(
        "01.11.26|84000|40|20|800\r\njunk\r\n\r\n15.11.26|84500|35|21|735\r\nmore junk\r\n"
        "30.11.26|84950|30|22|660\r\n");
    QTRY_COMPARE(messages.size(), 1u);
    expectTold(1, "Внимание", "пропущены: 2, 5.");
    main->UpList();
    QApplication::processEvents();
    EXPECT_EQ(messages.size(), 1u);
    clickButton(child(main.get(), "XpB2"));
    expectTold(2, "Статистика", "За период с 01.11.26 по 30.11.26\r\n\r\nПройдено - 950 км");
    std::filesystem::remove(path);
    std::filesystem::create_symlink(path, path);  // cannot be read
    main->UpList();
    expectTold(3, "Ошибка", QString::fromStdString(path));
    EXPECT_EQ(std::tuple(list()->count(), list()->toolTip()),
              std::tuple(3, QString("Правая кнопка мыши для редактирования")));
    clickItem(1);  // " 84500"
    std::filesystem::remove(path);
    writeBytes(path, "");
    main->UpList();
    EXPECT_EQ(std::tuple(list()->count(), details()[0], list()->toolTip()),
              std::tuple(0, QString("15.11.26"), QString()));
    writeBytes(path, repeated("d|1|1|1|1\r\n", Journal::kSlots + 1));
    main->UpList();
    expectTold(4, "Внимание", "не больше 101 заправки");
    EXPECT_TRUE(told().text.startsWith("Программа показывает"));  // no line was skipped
}

// Beside the scroll bar too, " 100000" is whole, a pixel in, and drawn unlike " 100001".
TEST_F(MainTest, TheLongestReadingIsWholeBesideTheScrollBar) {
    for (int count : {13, 14}) {
        std::string lines;
        for (int i = 0; i < count; ++i)
            lines += "d|" + std::to_string(100000 + i) + "|1|1|1\r\n";
        start(lines);
        EXPECT_EQ(list()->verticalScrollBar()->isVisible(), count == 14) << count << " items";
        const QImage rows = list()->viewport()->grab().toImage();
        EXPECT_NE(rows.copy(0, 0, rows.width(), 13), rows.copy(0, 13, rows.width(), 13)) << count;
        QRect ink;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < rows.width(); ++x)
                ink |= qGray(rows.pixel(x, y)) < 128 ? QRect(x, y, 1, 1) : QRect();
        EXPECT_TRUE(ink.left() == 6 && ink.right() < rows.width() - 1)
            << ink.left() << " " << ink.right();
    }
}

}  // namespace
}  // namespace zoltrek
