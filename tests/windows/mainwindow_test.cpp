#include "mainwindow.h"

#include <QLabel>
#include <QMessageBox>
#include <QScrollBar>
#include <QTimer>
#include <cstring>
#include <map>

#include "../journal/badbytes.h"
#include "messages.h"
#include "resources.h"
#include "windowtest.h"

namespace zoltrek {
namespace {

using testing::child;

const std::string kTwoLines = "01.11.26|84000|40|20|800\r\n15.11.26|84500|35|21|735\r\n";

class MainTest : public testing::WindowTest {
  protected:
    QStringList details() {
        QStringList texts;
        for (const char* name : {"i1", "i2", "i3", "i4", "i5", "i6"})
            texts << child<QLabel>(main.get(), name)->text();
        return texts;
    }
};

TEST_F(MainTest, EveryControlStandsWhereTheDesignPutsItInTabOrderAndTheClockTicks) {
    platform.locale.shortDateFormat = "dd.MM.yyyy";
    platform.locale.timeFormat = "H:mm:ss";
    start(kTwoLines);
    EXPECT_EQ(main->size(), QSize(229, 201));
    EXPECT_EQ(main->minimumSize(), main->maximumSize());
    EXPECT_EQ(main->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint),
              Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(main->windowTitle(), "Zoltrek Calculator");

    // Pixels worked out by hand from the design's twips (15 to a pixel); children of the two
    // panels sit inside the panels' borders (1 pixel flat, 2 pixels sunken).
    const std::map<std::string, QRect> expected = {
        {"XpB1", {76, 8, 145, 25}},       {"XpB2", {76, 36, 145, 25}},
        {"List1", {4, 8, 65, 171}},       {"Picture1", {76, 68, 145, 110}},
        {"Picture2", {188, 184, 41, 17}}, {"Label9", {0, 184, 192, 17}},
        {"i1", {129, 73, 85, 13}},        {"i2", {129, 89, 85, 13}},
        {"i3", {129, 105, 85, 13}},       {"i4", {129, 121, 85, 13}},
        {"i5", {137, 141, 77, 13}},       {"i6", {125, 157, 93, 13}},
        {"Label7", {81, 141, 53, 13}},    {"Label5", {89, 157, 39, 13}},
        {"Label1", {81, 89, 48, 13}},     {"Label2", {97, 73, 29, 13}},
        {"Label3", {93, 105, 36, 13}},    {"Label4", {81, 121, 47, 13}},
        {"Line1", {93, 137, 112, 1}},     {"Label6", {194, 186, 28, 13}},
    };
    for (const auto& [name, rect] : expected)
        EXPECT_EQ(testing::inWindow(child(main.get(), name.c_str())), rect) << name;
    EXPECT_EQ(child(main.get(), "Label6")->cursor().hotSpot(), QPoint(5, 0));  // the hand
    EXPECT_EQ(child(main.get(), "Label6")->toolTip(), "О программе");
    // The background covers the client area and runs on below it.
    const QRect bg = testing::inWindow(child(main.get(), "BG"));
    EXPECT_EQ(bg.topLeft(), QPoint(0, 0));
    EXPECT_TRUE(bg.height() > 201 && bg.width() >= 229);

    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{"XpB1", "List1", "Picture1", "XpB2", "Picture2", "XpB1"}));
    // Every second, in the user's formats.
    QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(main.get(), "Label9")->text(),
                              QString("Сегодня 06.12.2026, 5:35:39"), 3000);
}

// The gradient is stretched as the old system stretched pictures: each painted row is a row of
// the picture, taken in proportion, never a blend of two.
TEST_F(MainTest, BackgroundRowsAreThePictureRowsInProportion) {
    start(kTwoLines);
    QWidget* bg = child(main.get(), "BG");
    const QImage painted = bg->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = backgroundPicture().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(painted.height(), bg->height());
    const int rows = picture.height(), height = painted.height();
    for (int y = 0; y < height; ++y) {
        const int source = (2 * y + 1) * rows / (2 * height);  // the row under this row's centre
        QList<QRgb> near;
        for (int r = std::max(0, source - 1); r <= std::min(rows - 1, source + 1); ++r)
            near << picture.pixel(0, r);
        for (int x : {0, painted.width() / 2, painted.width() - 1})
            EXPECT_TRUE(near.contains(painted.pixel(x, y))) << x << ", " << y;
    }
}

// " 100000" sorts before " 99999", but each item stands for its own line; the figures come in
// the user's decimal separator, or with "." where the journal could not read it back, and a
// date that looks like markup is shown as the characters it holds, in the panel and the report.
TEST_F(MainTest, DetailsOfTheClickedItemsOwnRecord) {
    const std::pair<const char*, const char*> prices[] = {
        {"ru_RU", "20,5 руб"}, {"ar_EG", "20.5 руб"}, {"fa_IR", "20.5 руб"}};
    for (const auto& [name, price] : prices) {
        SCOPED_TRACE(name);
        platform.locale = Locale::of(QLocale(name));
        start("01.11.26|99999|40|20|800\r\n<b>15.11.26</b>|100000|35|20.5|735\r\n");
        clickItem(0);
        EXPECT_EQ(details(), (QStringList{"<b>15.11.26</b>", "100000", "35 л", price, "1 км",
                                          "4000 л/100км"}));
    }
    const QLabel* date = child<QLabel>(main.get(), "i1");
    EXPECT_GE(date->sizeHint().width(), date->fontMetrics().horizontalAdvance(date->text()) - 1);
    clickItem(1);  // the first fill-up has nothing before it
    EXPECT_EQ(details(), QStringList(6, QString()));
    QTest::keyClick(list(), Qt::Key_Up);  // the keyboard shows the new selection too
    EXPECT_EQ(details()[0], "<b>15.11.26</b>");

    const Message report = statisticsMessage(main->journal(), platform.locale);
    int lines = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        const QLabel* text = child<QLabel>(box, "qt_msgbox_label");
        EXPECT_EQ(text->text(), report.text);
        lines = text->sizeHint().height() / text->fontMetrics().lineSpacing();
        box->accept();
    });
    showMessageBox(main.get(), report);
    EXPECT_EQ(lines, report.text.count(u'\n') + 1);
}

// The user's own formats, without the time zone or what stood around it, in the digits 0-9.
TEST(ClockText, TheUsersFormatsWithoutTheTimeZone) {
    const QDateTime now(QDate(2026, 12, 6), QTime(17, 35, 40));
    const std::pair<const char*, const char*> clocks[] = {
        {"ru_RU", "06.12.2026, 17:35:40"}, {"en_US", "12/6/26, 5:35:40 PM"},
        {"es_ES", "6/12/26, 17:35:40"},    {"zh_TW", "2026/12/6, 下午5:35:40"},
        {"be_BY", "6.12.26, 17:35:40"},    {"ar_EG", "6/12/2026, 5:35:40 م"},
        {"fa_IR", "2026/12/6, 17:35:40"},  {"bg_BG", "6.12.26 г., 17:35:40 ч."},
        {"C", "6 Dec 2026, 17:35:40"},     {"fr_CA", "2026-12-06, 17 h 35 min 40 s"},
    };
    for (const auto& [name, clock] : clocks)
        EXPECT_EQ(clockText(now, Locale::of(QLocale(name))), QStringLiteral("Сегодня ") + clock)
            << name;
    const std::pair<const char*, const char*> formats[] = {
        {"'at' HH:mm:ss [t]", "'at' HH:mm:ss"},  // a quoted t is no zone
        {"t HH:mm:ss (t)", "HH:mm:ss"},
        {"HH:mm (tttt) ss", "HH:mm ss"},
    };
    for (const auto& [format, clean] : formats)
        EXPECT_EQ(withoutTimeZone(format), clean) << format;
}

TEST_F(MainTest, AReloadKeepsTheDetailsAndTheHintComesWithItemsAndAScrollBarWithTheFourteenth) {
    const QString hint = "Правая кнопка мыши для редактирования";
    start(std::nullopt);  // without a journal everything is empty, and nothing is told
    EXPECT_EQ(details(), QStringList(6, QString()));
    EXPECT_EQ(list()->toolTip(), "");
    EXPECT_TRUE(platform.messages.empty());

    testing::writeBytes(path, "01.11.26|9500|1|1|1\r\n15.11.26|10200|1|1|1\r\nc|0.5|1|1|1\r\n");
    main->UpList();
    EXPECT_EQ(list()->toolTip(), hint);
    clickItem(1);  // " 10200", in text order
    testing::writeBytes(path, "");
    main->UpList();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(details()[0], "15.11.26");
    EXPECT_EQ(list()->toolTip(), "");
    for (int count : {13, 14}) {
        testing::writeBytes(path, testing::repeated("d|1|1|1|1\r\n", count));
        main->UpList();
        QApplication::processEvents();
        EXPECT_EQ(list()->verticalScrollBar()->isVisible(), count == 14) << count << " items";
    }
    std::remove(path.c_str());  // an absent file changes nothing at all
    main->UpList();
    EXPECT_EQ(list()->count(), 14);
    EXPECT_EQ(list()->toolTip(), hint);
}

// Fails every read once switched on.
struct UnreadableDisk : FileOps {
    bool failing = false;
    ssize_t read(int fd, void* buf, size_t count) override {
        return failing ? (errno = EIO, -1) : FileOps::read(fd, buf, count);
    }
};

TEST_F(MainTest, SkippedLinesAreToldOnceTheStatisticsOnRequestAndAFailedReadAtOnce) {
    static UnreadableDisk disk;  // outlives the window
    disk.failing = false;
    start(
        "01.11.26|84000|40|20|800\r\njunk\r\n\r\n15.11.26|84500|35|21|735\r\nmore junk\r\n"
        "30.11.26|84950|30|22|660\r\n",
        disk);
    QTRY_COMPARE(platform.messages.size(), 1u);
    EXPECT_EQ(told().title, "Внимание");
    EXPECT_TRUE(told().text.contains("пропущены: 2, 5.")) << told().text.toStdString();
    main->UpList();  // a reload tells nothing again
    QApplication::processEvents();
    EXPECT_EQ(platform.messages.size(), 1u);

    testing::clickButton(child(main.get(), "XpB2"));
    ASSERT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(told().title, "Статистика");
    EXPECT_EQ(told().icon, MessageIcon::Information);
    EXPECT_TRUE(
        told().text.startsWith("За период с 01.11.26 по 30.11.26\r\n\r\nПройдено - 950 км"));

    disk.failing = true;
    main->UpList();
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_EQ(told().title, "Ошибка");
    EXPECT_EQ(told().icon, MessageIcon::Critical);
    EXPECT_TRUE(told().text.contains(QString::fromStdString(path)));
    EXPECT_TRUE(told().text.contains("ошибка ввода-вывода"));
    EXPECT_EQ(list()->count(), 3);  // the list is kept

    // A reload that leaves lines out (another copy added them) says so.
    disk.failing = false;
    testing::writeBytes(path, testing::repeated("d|1|1|1|1\r\n", Journal::kSlots + 1));
    main->UpList();
    ASSERT_EQ(platform.messages.size(), 4u);
    EXPECT_EQ(told().title, "Внимание");
    EXPECT_TRUE(told().text.contains("не больше 101 заправки")) << told().text.toStdString();
}

}  // namespace
}  // namespace zoltrek
