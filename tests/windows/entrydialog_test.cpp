#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QTest>
#include <cstring>
#include <filesystem>
#include <map>

#include "../journal/tempfolder.h"
#include "datetime.h"
#include "entrydialoghost.h"
#include "fnew.h"
#include "mainwindow.h"
#include "windowtest.h"
#include "xpb.h"

namespace zoltrek {
namespace {

using testing::child;
using testing::inWindow;
using testing::readBytes;

const std::string kTwoLines = "01.11.26|84000|40|20|800\r\n15.11.26|84500|35|21|735\r\n";

class EntryTest : public ::testing::Test {
  protected:
    testing::TempFolder folder;
    std::string path = folder.file("zoltrek.dat");
    testing::FakePlatform platform;
    std::unique_ptr<Main> main;
    std::unique_ptr<EntryDialogHost> host;

    void start(const std::string* journal, FileOps& files = FileOps::system()) {
        if (journal)
            testing::writeBytes(path, *journal);
        main = std::make_unique<Main>(QString::fromStdString(path), platform.environment(), files);
        host = std::make_unique<EntryDialogHost>(*main);
        main->setEntryDialogs(host.get());
        main->show();
    }
    void start(const std::string& journal) { start(&journal); }

    FNew* openNew() {
        testing::clickButton(child(main.get(), "XpB1"));
        return host->dialog();
    }
    FNew* openEdit(int slot) {
        host->fEdit(main->journal().records[slot], main->journal().lines[slot]);
        return host->dialog();
    }
    static QLineEdit* box(FNew* dialog, const char* name) { return child<QLineEdit>(dialog, name); }
    static void type(FNew* dialog, const char* name, const QString& text) {
        box(dialog, name)->clear();
        QTest::keyClicks(box(dialog, name), text);
    }
    void fill(FNew* dialog, const QString& km, const QString& litres, const QString& price) {
        type(dialog, "Text1", km);
        type(dialog, "Text2", litres);
        type(dialog, "Text3", price);
    }
    // Clicks "ОК" and lets a closing dialog go.
    void save(FNew* dialog) {
        testing::clickButton(child(dialog, "XpB1"));
        QApplication::processEvents();
    }
    QStringList titles() const {
        QStringList out;
        for (const auto& m : platform.messages)
            out << m.title + ": " + m.text;
        return out;
    }
};

TEST_F(EntryTest, LayoutAndTabOrder) {
    start(kTwoLines);
    FNew* dialog = openNew();
    ASSERT_NE(dialog, nullptr);
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
        EXPECT_EQ(inWindow(child(dialog, name.c_str())), rect) << name;
    EXPECT_EQ(child<XpB>(dialog, "XpB1")->Caption(),
              QString::fromUtf8("\u041E\u041A"));  // Cyrillic

    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QStringList visited;
    for (int i = 0; i < 8; ++i) {
        QWidget* focus = QApplication::focusWidget();
        visited << (child<DateTime>(dialog, "DateTime1")->isAncestorOf(focus)
                        ? "DateTime1"
                        : focus->objectName());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, (QStringList{"DateTime1", "Text1", "Text2", "Text3", "Text4", "XpB1", "XpB2",
                                    "DateTime1"}));
    EXPECT_FALSE(child(dialog, "Check1")->isVisible());
    EXPECT_FALSE(child(dialog, "Label6")->isVisible());
}

TEST_F(EntryTest, TodayWithoutTheCentury) {
    platform.now = QDateTime(QDate(2020, 12, 20), QTime(10, 0));
    start(kTwoLines);
    EXPECT_EQ(child<DateTime>(openNew(), "DateTime1")->Text(), "20.12.20");
}

TEST_F(EntryTest, TheAmountIsCutToCents) {
    start(kTwoLines);
    FNew* dialog = openNew();
    const std::tuple<const char*, const char*, const char*> cases[] = {{"2", "1.15", "2.29"},
                                                                       {"20.5", "3.3", "67.64"},
                                                                       {"0.001", "1", "0"},
                                                                       {"1e300", "1e300", ""}};
    for (const auto& [litres, price, amount] : cases) {
        type(dialog, "Text2", litres);
        type(dialog, "Text3", price);
        EXPECT_EQ(box(dialog, "Text4")->text(), amount) << litres << " x " << price;
    }
    type(dialog, "Text4", "999");  // the amount box takes no typing
    EXPECT_EQ(box(dialog, "Text4")->text(), "");
}

TEST_F(EntryTest, BadNumbersAreRefusedAndNothingIsWritten) {
    start(kTwoLines);
    FNew* dialog = openNew();
    for (const char* field : {"Text1", "Text2", "Text3"}) {
        for (const char* bad : {"", "0", "-5", "abc", "12|5", "1e999"}) {
            fill(dialog, "90000", "40", "20");
            type(dialog, field, bad);
            save(dialog);
            ASSERT_EQ(host->dialog(), dialog) << field << "=" << bad;
            ASSERT_FALSE(platform.messages.empty());
            EXPECT_EQ(platform.messages.back().title, "Ошибка");
            EXPECT_EQ(platform.messages.back().text, "Введены неверные данные!")
                << field << "=" << bad;
        }
    }
    EXPECT_EQ(readBytes(path), kTwoLines);
}

TEST_F(EntryTest, ANewFillUpIsAppendedAndTheListReloads) {
    platform.locale.decimalSeparator = u',';
    start(kTwoLines);
    FNew* dialog = openNew();
    QPointer<FNew> watch(dialog);
    type(dialog, "Text1", "85000");
    type(dialog, "Text2", "20,5");
    type(dialog, "Text3", "3,3");
    save(dialog);
    EXPECT_TRUE(platform.messages.empty()) << titles().join("\n").toStdString();
    EXPECT_EQ(readBytes(path), kTwoLines + "06.12.26|85000|20,5|3,3|67,64\r\n");
    EXPECT_EQ(child<QListWidget>(main.get(), "List1")->count(), 3);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());  // unloaded: the next opening starts afresh
    EXPECT_EQ(openNew()->windowTitle(), "Новая заправка");
}

TEST_F(EntryTest, TheFirstFillUpCreatesTheFile) {
    start(nullptr);
    FNew* dialog = openNew();
    fill(dialog, "1000", "0.001", "1");
    save(dialog);
    EXPECT_EQ(readBytes(path), "06.12.26|1000|0.001|1|0\r\n");
}

TEST_F(EntryTest, ARepeatedReadingIsRefusedForANewFillUpOnly) {
    start("01.11.26|1000|40|20|800\r\n15.11.26|1500|35|21|735\r\n");
    FNew* dialog = openNew();
    for (const char* reading : {"1000", "1000.0", "1 000"}) {
        fill(dialog, reading, "40", "20");
        save(dialog);
        EXPECT_EQ(platform.messages.back().text, "Данные об этой заправке были введены ранее!")
            << reading;
    }
    dialog->close();
    QApplication::processEvents();
    // An edit may take another record's reading.
    dialog = openEdit(1);
    type(dialog, "Text1", "1000");
    save(dialog);
    EXPECT_EQ(readBytes(path), "01.11.26|1000|40|20|800\r\n15.11.26|1000|35|21|735\r\n");
}

TEST_F(EntryTest, CancelAndTheCloseBoxWriteNothing) {
    start(kTwoLines);
    FNew* dialog = openNew();
    fill(dialog, "90000", "40", "20");
    testing::clickButton(child(dialog, "XpB2"));
    QApplication::processEvents();
    EXPECT_EQ(host->dialog(), nullptr);
    dialog = openEdit(1);
    type(dialog, "Text3", "99");
    dialog->close();
    QApplication::processEvents();
    EXPECT_EQ(readBytes(path), kTwoLines);
}

TEST_F(EntryTest, EditShowsTheRecordAndARightPressOpensTheSelectedOne) {
    start("06.12.26|12345|40.5|25.3|1024.65\r\n01|1|1|1|1\r\n02|2|2|2|2\r\n");
    auto* list = child<QListWidget>(main.get(), "List1");
    list->setCurrentRow(2);  // " 2"
    QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                      list->visualItemRect(list->item(0)).center());
    FNew* dialog = host->dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(box(dialog, "Text1")->text(), "2");
    EXPECT_EQ(list->currentRow(), 2);

    dialog = openEdit(0);
    EXPECT_EQ(dialog->windowTitle(), "Редактировать");
    EXPECT_TRUE(dialog->EditMode());
    EXPECT_EQ(child<DateTime>(dialog, "DateTime1")->Text(), "06.12.26");
    EXPECT_EQ(box(dialog, "Text1")->text(), "12345");
    EXPECT_EQ(box(dialog, "Text2")->text(), "40.5");
    EXPECT_EQ(box(dialog, "Text3")->text(), "25.3");
    EXPECT_EQ(box(dialog, "Text4")->text(), "1024.65");  // the stored amount, not 1024.65 computed
    EXPECT_TRUE(child(dialog, "Check1")->isVisible());
}

TEST_F(EntryTest, ASecondEditRefillsTheOpenDialogAndKeepsTheTick) {
    start(kTwoLines);
    FNew* dialog = openEdit(1);
    child<QCheckBox>(dialog, "Check1")->setChecked(true);
    EXPECT_EQ(openEdit(0), dialog);
    EXPECT_EQ(box(dialog, "Text1")->text(), "84000");
    EXPECT_TRUE(child<QCheckBox>(dialog, "Check1")->isChecked());
    // The new-fill-up button brings the open edit forward and changes nothing.
    testing::clickButton(child(main.get(), "XpB1"));
    EXPECT_EQ(host->dialog(), dialog);
    EXPECT_TRUE(dialog->EditMode());
    save(dialog);  // deletes record 0
    EXPECT_EQ(readBytes(path), "15.11.26|84500|35|21|735\r\n");
}

TEST_F(EntryTest, EditAndDeleteChangeOnlyTheirLineInEitherLocale) {
    struct Case {
        QChar separator;
        std::string journal;
        int slot;
        const char* price;  // nullptr: delete
        std::string after;
    };
    const std::string a = "01.11.26|84000|40.50|20.5|800\r\n", b = "15.11.26|84500|35|20,5|735\r\n",
                      c = "30.11.26|84950|30|22|660";
    const Case cases[] = {
        {u'.', a + b + c, 1, "21", a + "15.11.26|84500|35|21|735\r\n" + c},
        {u',', a + b + c, 0, "21", "01.11.26|84000|40.50|21|850,5\r\n" + b + c},
        {u',', a + b + c, 2, nullptr, a + b},
        {u'.', a + b + c, 0, nullptr, b + c},
        {u'.', a + a + b, 1, "19",
         a + "01.11.26|84000|40.50|19|769.5\r\n" + b},  // the second copy only
    };
    for (const auto& t : cases) {
        platform.locale.decimalSeparator = t.separator;
        start(t.journal);
        FNew* dialog = openEdit(t.slot);
        if (t.price)
            type(dialog, "Text3", t.price);
        else
            child<QCheckBox>(dialog, "Check1")->setChecked(true);
        save(dialog);
        EXPECT_EQ(readBytes(path), t.after) << titles().join("\n").toStdString();
        EXPECT_EQ(host->dialog(), nullptr);
        EXPECT_EQ(main->journal().count(), std::count(t.after.begin(), t.after.end(), '|') / 4);
    }
}

TEST_F(EntryTest, AnEditOfALineThatChangedOnDiskWritesNothing) {
    start(kTwoLines);
    FNew* dialog = openEdit(1);
    type(dialog, "Text3", "30");
    const std::string changed = "01.11.26|84000|40|20|800\r\n15.11.26|84600|35|21|735\r\n";
    testing::writeBytes(path, changed);
    save(dialog);
    EXPECT_EQ(readBytes(path), changed);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Ошибка");
    EXPECT_TRUE(platform.messages[0].text.contains("изменился на диске"));
    EXPECT_EQ(host->dialog(), dialog);  // still open with what was typed
    EXPECT_EQ(box(dialog, "Text3")->text(), "30");
    EXPECT_EQ(main->journal().records[1].fKm, 84600);  // the list was reloaded
}

TEST_F(EntryTest, AFullJournalTakesNoNewFillUpButStillEdits) {
    std::string lines;
    for (int i = 0; i < Journal::kSlots; ++i)
        lines += "d|" + std::to_string(1000 + i) + "|1|1|1\r\n";
    start(lines);
    FNew* dialog = openNew();
    fill(dialog, "5000", "40", "20");
    save(dialog);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_TRUE(platform.messages[0].text.contains("101"));
    EXPECT_EQ(readBytes(path), lines);
    dialog->close();
    QApplication::processEvents();
    dialog = openEdit(100);
    child<QCheckBox>(dialog, "Check1")->setChecked(true);
    save(dialog);
    EXPECT_EQ(main->journal().count(), 100);
}

TEST_F(EntryTest, AJournalLoadedOnlyInPartTakesNoNewFillUp) {
    std::string lines = "d|1000|1|1|1\r\n";
    for (int i = 0; i < 1001; ++i)
        lines += "junk\r\n";
    start(lines);
    FNew* dialog = openNew();
    fill(dialog, "5000", "40", "20");
    save(dialog);
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.back().title, "Ошибка");
    EXPECT_TRUE(platform.messages.back().text.contains("не полностью"));
    EXPECT_EQ(readBytes(path), lines);
}

// Fails every write once switched on, as a full disk does.
struct FullDisk : FileOps {
    ssize_t write(int, const void*, size_t) override {
        errno = ENOSPC;
        return -1;
    }
};

TEST_F(EntryTest, AFailedWriteIsReportedAndTheDialogKeepsWhatWasTyped) {
    FullDisk disk;
    start(&kTwoLines, disk);
    FNew* dialog = openNew();
    fill(dialog, "90000", "40", "20");
    save(dialog);
    dialog = host->dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(box(dialog, "Text1")->text(), "90000");
    dialog->close();
    QApplication::processEvents();
    dialog = openEdit(1);
    type(dialog, "Text3", "30");
    save(dialog);
    ASSERT_EQ(platform.messages.size(), 2u);
    for (const auto& m : platform.messages) {
        EXPECT_EQ(m.title, "Ошибка");
        EXPECT_TRUE(m.text.contains(QString::fromStdString(path)));
        EXPECT_TRUE(m.text.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))));
    }
    EXPECT_EQ(host->dialog(), dialog);
    EXPECT_EQ(readBytes(path), kTwoLines);
}

TEST_F(EntryTest, AJournalThatIsAFolderIsReported) {
    std::filesystem::create_directory(path);
    start(nullptr);
    FNew* dialog = openNew();
    fill(dialog, "90000", "40", "20");
    save(dialog);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].title, "Ошибка");
    EXPECT_TRUE(platform.messages[0].text.contains(QString::fromStdString(path)));
    EXPECT_EQ(host->dialog(), dialog);
    EXPECT_TRUE(std::filesystem::is_empty(path));
}

}  // namespace
}  // namespace zoltrek
