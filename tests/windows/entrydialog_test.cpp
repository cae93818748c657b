#include <QCheckBox>
#include <QPointer>
#include <map>

#include "../journal/badbytes.h"
#include "datetime.h"
#include "windowtest.h"
#include "xpb.h"

namespace zoltrek {
namespace {

using testing::child;
using testing::readBytes;

const std::string kTwoLines = "01.11.26|84000|40|20|800\r\n15.11.26|84500|35|21|735\r\n";

using EntryTest = testing::WindowTest;

TEST_F(EntryTest, LayoutTabOrderAndToday) {
    // Today in the box's own shape, whatever the user's date format and digits.
    platform.now = QDateTime(QDate(2020, 12, 20), QTime(10, 0));
    for (const char* name : {"C", "en_US", "ja_JP", "ar_EG", "ru_RU"}) {
        platform.locale = Locale::of(QLocale(name));
        start(kTwoLines);
        ASSERT_NE(openNew(), nullptr);
        EXPECT_EQ(child<DateTime>(host->dialog(), "DateTime1")->Text(), "20.12.20") << name;
    }
    FNew* dialog = host->dialog();
    EXPECT_EQ(dialog->size(), QSize(157, 186));
    EXPECT_FALSE(dialog->windowFlags() &
                 (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(dialog->windowTitle(), "Новая заправка");
    const std::map<std::string, QRect> expected = {
        {"DateTime1", {68, 12, 73, 19}}, {"Text1", {68, 36, 73, 19}},
        {"Text2", {68, 60, 73, 19}},     {"Text3", {68, 84, 73, 19}},
        {"Text4", {68, 116, 73, 19}},    {"XpB1", {4, 156, 73, 25}},
        {"XpB2", {80, 156, 73, 25}},     {"Check1", {20, 140, 13, 13}},
        {"Label6", {36, 140, 104, 13}},  {"Label1", {12, 40, 48, 13}},
        {"Label2", {28, 16, 29, 13}},    {"Label3", {24, 64, 36, 13}},
        {"Label4", {12, 88, 47, 13}},    {"Label5", {24, 120, 40, 13}},
        {"Line1", {17, 108, 124, 1}},
    };
    for (const auto& [name, rect] : expected)
        EXPECT_EQ(testing::inWindow(child(dialog, name.c_str())), rect) << name;
    EXPECT_EQ(child<XpB>(dialog, "XpB1")->Caption(), "\u041E\u041A");  // Cyrillic
    EXPECT_FALSE(child(dialog, "Check1")->isVisible() || child(dialog, "Label6")->isVisible());

    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        QWidget* focus = QApplication::focusWidget();
        const bool inDate = child(dialog, "DateTime1")->isAncestorOf(focus);
        visited << (inDate ? "DateTime1" : focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{"DateTime1", "Text1", "Text2", "Text3", "Text4", "XpB1", "XpB2",
                                    "DateTime1"}));
}

// The rules themselves are the core's (AmountText, EntryIsValid, Srav); this is their wiring.
TEST_F(EntryTest, TheAmountFollowsTheNumbersAndRefusedOrCancelledEntriesWriteNothing) {
    platform.locale.decimalSeparator = u',';
    start(kTwoLines);
    FNew* dialog = openNew();
    type("Text2", "20,5");
    type("Text3", "3,3");
    EXPECT_EQ(text("Text4"), "67,64");
    type("Text4", "999");  // the amount box takes no typing
    EXPECT_EQ(text("Text4"), "");

    const char* const refusals[][3] = {
        {"Text1", "", "Введены неверные данные!"},
        {"Text2", "-5", "Введены неверные данные!"},
        {"Text3", "12|5", "Введены неверные данные!"},
        {"Text1", "84500", "Данные об этой заправке были введены ранее!"},  // a new one's only
    };
    for (const auto& [box, typed, refusal] : refusals) {
        SCOPED_TRACE(std::string(box) + "=" + typed);
        fill("90000", "40", "20");
        type(box, typed);
        save();
        ASSERT_EQ(host->dialog(), dialog);
        EXPECT_EQ(told().title, "Ошибка");
        EXPECT_EQ(told().text, refusal);
    }
    fill("90000", "40", "20");
    testing::clickButton(child(dialog, "XpB2"));  // "Отмена"
    QApplication::processEvents();
    EXPECT_EQ(host->dialog(), nullptr);
    openEdit(1);
    type("Text3", "99");
    host->dialog()->close();  // the close box
    QApplication::processEvents();
    EXPECT_EQ(readBytes(path), kTwoLines);
}

// The bytes of the other lines and of the unchanged fields are the core's (EditAndDelete...,
// EditedLine); here each kind of save goes through in either locale.
TEST_F(EntryTest, ASaveChangesOnlyItsLineInEitherLocale) {
    const std::string a = "01.11.26|84000|40.50|20.5|800\r\n", b = "15.11.26|84500|35|20,5|735\r\n",
                      c = "30.11.26|84950|30|22|660";
    const std::string full = testing::repeated("d|1|1|1|1\r\n", Journal::kSlots);
    const std::string lfLast = "30.11.26|84950|30|22|660\n";
    const std::string lf = "01.11.26|84000|40|20|800\n15.11.26|84500|35|21|735\n" + lfLast;
    const struct Case {
        const char* locale;
        std::optional<std::string> journal;  // none: no file yet
        int slot;                            // -1: a new fill-up
        const char* typed;  // "reading|litres|price", an empty part left as shown; null: deleted
        std::string after;
    } cases[] = {
        {"ru_RU", kTwoLines, -1, "85000|20,5|3,3", kTwoLines + "06.12.26|85000|20,5|3,3|67,64\r\n"},
        {"en_US", std::nullopt, -1, "1000|0.001|1", "06.12.26|1000|0.001|1|0\r\n"},
        {"ru_RU", a + b + c, 0, "||21", "01.11.26|84000|40.50|21|850,5\r\n" + b + c},
        {"en_US", a + b + c, 2, nullptr, a + b},
        // An edit may take another record's reading.
        {"en_US", kTwoLines, 1, "84000||",
         "01.11.26|84000|40|20|800\r\n15.11.26|84000|35|21|735\r\n"},
        {"en_US", full, 100, nullptr, full.substr(0, full.rfind("d|"))},  // a full journal edits
        // Lines ended the Linux way, the old Mac way, or mixed keep their own ends.
        {"en_US", lf, 1, "||22", "01.11.26|84000|40|20|800\n15.11.26|84500|35|22|770\n" + lfLast},
        {"en_US", lf, 2, nullptr, lf.substr(0, lf.size() - lfLast.size())},
        {"en_US", lf, -1, "85000|40|20", lf + "06.12.26|85000|40|20|800\r\n"},
        {"en_US", "x|1|1|1|1\ry|2|2|2|2\rz|3|3|3|3", 1, "||9", "x|1|1|1|1\ry|2|2|9|18\rz|3|3|3|3"},
        {"en_US", "x|1|1|1|1\r\ny|2|2|2|2\nz|3|3|3|3\r", 0, nullptr, "y|2|2|2|2\nz|3|3|3|3\r"},
        // Where the user's separator would not read back, numbers are written with ".".
        {"ar_EG", kTwoLines, -1, "85400|41.5|22.3",
         kTwoLines + "06.12.26|85400|41.5|22.3|925.45\r\n"},
        {"fa_IR", a + b, 0, "|41|", "01.11.26|84000|41|20.5|840.5\r\n" + b},
        {"ar_EG", kTwoLines, -1, "٨٥٤٠٠|٤١٫٥|٢٢٫٣",
         kTwoLines + "06.12.26|85400|41.5|22.3|925.45\r\n"},
        // A deletion goes through whatever the boxes hold: a reading of 0 no save would take.
        {"en_US", "bad|0|0|0|0\r\n" + kTwoLines, 0, nullptr, kTwoLines},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.after);
        platform.locale = Locale::of(QLocale(t.locale));
        std::remove(path.c_str());
        start(t.journal);
        QPointer<FNew> dialog = t.slot < 0 ? openNew() : openEdit(t.slot);
        const QStringList typed = QString(t.typed).split(u'|');
        for (int i = 0; i < typed.size(); ++i)
            if (!typed[i].isEmpty())
                type(std::array{"Text1", "Text2", "Text3"}[i], typed[i]);
        child<QCheckBox>(dialog, "Check1")->setChecked(!t.typed);
        save();
        EXPECT_TRUE(platform.messages.empty()) << told().text.toStdString();
        EXPECT_EQ(readBytes(path), t.after);
        EXPECT_EQ(list()->count(), std::count(t.after.begin(), t.after.end(), '|') / 4);
        EXPECT_EQ(host->dialog(), nullptr);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isNull());  // unloaded: the next opening starts afresh
        EXPECT_EQ(openNew()->windowTitle(), "Новая заправка");
    }
}

TEST_F(EntryTest, ARightPressEditsTheSelectedRecordAndASecondEditRefillsTheDialog) {
    platform.locale.decimalSeparator = u',';  // the numbers are shown in the user's separator
    start("06.12.26|12345|40.5|25.3|1024.65\r\n01|1|1|1|1\r\n02|2|2|2|2\r\n");
    clickItem(1);  // " 12345": a left press edits nothing
    EXPECT_EQ(host->dialog(), nullptr);
    list()->clearSelection();
    clickItem(1, Qt::RightButton);  // with nothing selected, a right press does nothing
    EXPECT_EQ(host->dialog(), nullptr);
    clickItem(2);  // " 2"
    clickItem(0, Qt::RightButton);
    ASSERT_NE(host->dialog(), nullptr);
    EXPECT_EQ(text("Text1"), "2");
    EXPECT_EQ(list()->currentRow(), 2);
    child<QCheckBox>(host->dialog(), "Check1")->setChecked(true);
    save();
    EXPECT_EQ(readBytes(path), "06.12.26|12345|40.5|25.3|1024.65\r\n01|1|1|1|1\r\n");

    FNew* dialog = openEdit(0);
    EXPECT_EQ(dialog->windowTitle(), "Редактировать");
    EXPECT_EQ(child<DateTime>(dialog, "DateTime1")->Text(), "06.12.26");
    // The amount is the stored one, never worked out again.
    EXPECT_EQ(QStringList({text("Text1"), text("Text2"), text("Text3"), text("Text4")}),
              QStringList({"12345", "40,5", "25,3", "1024,65"}));
    EXPECT_TRUE(child(dialog, "Check1")->isVisible());
    child<QCheckBox>(dialog, "Check1")->setChecked(true);
    EXPECT_EQ(openEdit(1), dialog);
    EXPECT_EQ(text("Text1"), "1");
    EXPECT_TRUE(child<QCheckBox>(dialog, "Check1")->isChecked());
    // The new-fill-up button brings the open edit forward and changes nothing.
    testing::clickButton(child(main.get(), "XpB1"));
    EXPECT_EQ(host->dialog(), dialog);
    EXPECT_TRUE(dialog->EditMode());
    save();
    EXPECT_EQ(readBytes(path), "06.12.26|12345|40.5|25.3|1024.65\r\n");
}

}  // namespace
}  // namespace zoltrek
