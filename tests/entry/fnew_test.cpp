// The entry dialog, opened from the main window as a person opens it.
#include <QMouseEvent>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <map>

#include "controls/datetime/widget/datetime.h"
#include "journal/journaltexts.h"
#include "mainwindow/windowtest.h"

namespace zoltrek {
namespace {

using namespace testing;
using namespace std::string_literals;
namespace fs = std::filesystem;
using EntryTest = WindowTest;

const std::string kThree = "06.12.26|12345|40.5|25.3|1024.65\r\n01|1|1|1|1\r\n02|2|2|2|2\r\n";

// Pixels from the design's twips; no deletion for a new fill-up; the Tab order; a locked caret.
TEST_F(EntryTest, LaidOutAsDesigned) {
    start(kThree);
    FNew* dialog = openNew();
    expectLayout(dialog, {157, 186}, "Новая заправка", {},
                 "DateTime1 68 12 73 19, Text1 68 36 73 19, Text2 68 60 73 19, Text3 68 84 73 19,"
                 "Text4 68 116 73 19, XpB1 4 156 73 25, XpB2 80 156 73 25, Check1 20 140 13 13,"
                 "Label6 36 140 104 13, Label1 12 40 48 13, Label2 28 16 29 13,"
                 "Label3 24 64 36 13, Label4 12 88 47 13, Label5 24 120 40 13, Line1 17 108 124 1");
    EXPECT_FALSE(child(dialog, "Check1")->isVisible() || child(dialog, "Label6")->isVisible());
    EXPECT_EQ(tabOrder(dialog, 8), (QStringList{"DateTime1", "Text1", "Text2", "Text3", "Text4",
                                                "XpB1", "XpB2", "DateTime1"}));
    QWidget* amount = child(dialog, "Text4");  // locked and empty, it shows its caret alone
    amount->setFocus();
    const QImage shot = amount->grab().toImage();
    int caret = 0;
    for (int x = 0; x < shot.width(); ++x)
        caret += (shot.pixel(x, shot.height() / 2) & RGB_MASK) == 0;
    EXPECT_EQ(caret, 1);
}

// A refused save is told and keeps the dialog as typed; "Отмена" and the close box just leave.
TEST_F(EntryTest, OnlyATakenSaveWrites) {
    start(kThree);
    FNew* dialog = openNew();
    const char* const refusals[][3] = {
        {"no reading", "", "Введены неверные данные!"},
        {"a reading already there", "12345", "Данные об этой заправке были введены ранее!"},
    };
    for (const auto& [name, typed, refusal] : refusals) {
        fill(typed);
        save();
        EXPECT_EQ(std::tuple(host->dialog(), text("Text1"), told().title, told().text),
                  std::tuple(dialog, QString(typed), QString("Ошибка"), QString(refusal)))
            << name;
    }
    fill("90000");                       // a save would take these
    clickButton(child(dialog, "XpB2"));  // "Отмена"
    EXPECT_EQ(host->dialog(), nullptr);
    openEdit(1);
    type("Text3", "99");
    host->dialog()->close();  // the close box
    EXPECT_EQ(readBytes(path), kThree);
}

// A right press edits the selected record, keeping the selection; a second edit refills the dialog.
TEST_F(EntryTest, ARightPressEditsTheSelectedRecord) {
    locale = Locale::of(QLocale("ru_RU"));
    start(kThree);
    clickItem(1, Qt::RightButton);  // with nothing selected, a right press does nothing
    EXPECT_EQ(host->dialog(), nullptr);
    clickItem(2);  // " 2"
    clickItem(0, Qt::RightButton);
    FNew* dialog = host->dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(std::tuple(dialog->windowTitle(), text("Text1"), list()->currentRow()),
              std::tuple(QString("Редактировать"), QString("2"), 2));
    // The platform's whole check box: shadow, dark shadow, light and white frames; the tick.
    auto* check = child<QCheckBox>(dialog, "Check1");
    const auto picture = [check] {
        const QImage image = check->grab().toImage();
        const QPalette c = QApplication::palette();
        const std::map<QRgb, char> letters = {{c.color(QPalette::Mid).rgb(), 's'},
                                              {c.color(QPalette::Shadow).rgb(), 'd'},
                                              {c.color(QPalette::Midlight).rgb(), 'l'},
                                              {c.color(QPalette::Base).rgb(), 'w'},
                                              {c.color(QPalette::Text).rgb(), 'k'}};
        std::string rows;
        for (int y = 0; y < image.height(); ++y, rows += '/')
            for (int x = 0; x < image.width(); ++x)
                rows += letters.contains(image.pixel(x, y)) ? letters.at(image.pixel(x, y)) : '?';
        return rows;
    };
    const std::string top = "ssssssssssssw/sddddddddddlw/sdwwwwwwwwwlw/";
    const std::string bottom = "sdwwwwwwwwwlw/slllllllllllw/wwwwwwwwwwwww/";
    EXPECT_EQ(picture(), top + repeated("sdwwwwwwwwwlw/", 7) + bottom);
    check->setChecked(true);
    EXPECT_EQ(picture(), top +
                             "sdwwwwwwwkwlw/sdwwwwwwkkwlw/sdwkwwwkkkwlw/sdwkkwkkkwwlw/"
                             "sdwkkkkkwwwlw/sdwwkkkwwwwlw/sdwwwkwwwwwlw/" +
                             bottom);
    EXPECT_EQ(openEdit(0), dialog);
    EXPECT_EQ(child<DateTime>(dialog, "DateTime1")->text(), "06.12.26");
    EXPECT_EQ(QStringList({text("Text1"), text("Text2"), text("Text3"), text("Text4")}),
              QStringList({"12345", "40,5", "25,3", "1024,65"}));
    clickButton(child(main.get(), "XpB1"));  // brings the open edit forward, changes nothing
    EXPECT_EQ(host->dialog(), dialog);
    save();  // deletes the record the second edit opened
    EXPECT_EQ(readBytes(path), "01|1|1|1|1\r\n02|2|2|2|2\r\n");
}

// Each kind of save writes only its line in the user's locale, a new date as dd.mm.yy, and unloads.
TEST_F(EntryTest, ASaveChangesOnlyItsLine) {
    const std::string a = "01.11.26|84000|40.50|20.5|800\r\n", b = "15.11.26|84500|35|20,5|735\r\n";
    const std::string full = repeated("d|1|1|1|1\r\n", Journal::kSlots - 1), day = b + "06.12.26|";
    // Slot -1 adds; "km|litres|price" typed, "" keeping a box as shown, none deleting.
    using Case = std::tuple<const char*, const char*, std::string, int, const char*, std::string>;
    const Case cases[] = {
        {"untyped bytes kept", "ru", a + b, 0, "||21", "01.11.26|84000|40.50|21|850,5\r\n" + b},
        {"deleting from a full table", "en", "bad|0|0|0|0\r\n" + full, 0, nullptr, full},
        {"Arabic digits and separator", "ar", b, -1, "٩|٤١٫٥|٢٢٫٣", day + "9|41.5|22.3|925.45\r\n"},
    };
    for (const auto& [name, localeName, journal, slot, typed, after] : cases) {
        SCOPED_TRACE(name);
        locale = Locale::of(QLocale(localeName));
        start(journal);
        QPointer<FNew> dialog = slot < 0 ? openNew() : openEdit(slot);
        const QStringList boxes = QString(typed).split(u'|');
        for (int i = 0; i < boxes.size(); ++i)
            if (!boxes[i].isEmpty())
                type(std::array{"Text1", "Text2", "Text3"}[i], boxes[i]);
        child<QCheckBox>(dialog, "Check1")->setChecked(!typed);
        save();
        EXPECT_TRUE(messages.empty()) << told().text.toStdString();
        EXPECT_EQ(readBytes(path), after);
        EXPECT_EQ(list()->count(), std::count(after.begin(), after.end(), '|') / 4);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(dialog.isNull());  // unloaded: the next opening starts afresh
    }
}

// Another copy holds the journal; nobody may hold the pointer meanwhile, or nothing gets a click,
// and the windows' timers and painting go on. A close that comes meanwhile (not from a click: a
// screen reader's) leaves the dialog to tell how the write ended.
std::atomic<int> ticks;
struct HeldLock : FileOps {
    std::atomic<int> tries = 0, ticksAtFirstTry = 0, ticksAtLastTry = 0;
    std::atomic<QWidget*> grabber = nullptr, dialog = nullptr;
    LockAttempt tryLock(FileHandle) override {
        (++tries == 1 ? ticksAtFirstTry : ticksAtLastTry) = ticks.load();
        grabber = QWidget::mouseGrabber();
        QWidget* closing = dialog;
        QMetaObject::invokeMethod(
            closing, [closing] { closing->close(); }, Qt::QueuedConnection);
        return LockAttempt::Busy;
    }
} heldLock;

class BadJournalTest : public WindowTest {
  protected:
    const std::string kGood = "06.12.26|84512|40|20.5|820\r\n", cars = folder.file("cars");

    std::string failed(int error) { return "«" + path + "»: " + systemReason(error); }
    // Beside the journal, a folder with a file in it and a name a temporary file of it would take.
    void layOut(const std::optional<std::string>& bytes) {  // none: a link to the folder
        messages.clear();
        for (const auto& entry : fs::directory_iterator(folder.path()))
            fs::remove_all(entry.path());
        fs::create_directory(cars);
        writeBytes(cars + "/notes.txt", "mine");
        writeBytes(folder.file(".cars.backup"), "mine too");
        if (bytes)
            writeBytes(path, *bytes);
        else
            fs::create_directory_symlink(cars, path);
    }
    std::map<std::string, std::string> snapshot() const {
        std::map<std::string, std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
            found[entry.path()] = entry.is_regular_file() ? readBytes(entry.path()) : "";
        return found;
    }
    void expectRefused(std::size_t count, const std::string& fault, FNew* dialog) {
        expectTold(count, "Ошибка", QString::fromStdString(fault));
        EXPECT_EQ(host->dialog(), dialog);  // with what was typed
        EXPECT_EQ(text("Text3"), "20");
    }
};

// Told at start-up, not one byte changed; an add goes in where the file can take it, else is told.
TEST_F(BadJournalTest, NoBadJournalLosesAByte) {
    const std::string added = "06.12.26|987654|40|20|800\r\n";
    // The journal, its bytes, pieces of the start-up box and of the refusal, the disk (null: ours).
    using Input =
        std::tuple<const char*, std::optional<std::string>, const char*, std::string, FileOps*>;
    const Input inputs[] = {
        {"NUL bytes", "\0\0\0\r\n"s + kGood, "пропущена: 1.", "", nullptr},
        {"too many bad lines", repeated("06.12.26|84512\r\n", JournalFile::kMaxSkipped + 1),
         "остаток журнала не загружен. Файл не изменён.", "не полностью", nullptr},
        {"a link to a folder", std::nullopt, nullptr, failed(EISDIR), nullptr},
        {"another copy holding it", kGood, nullptr, "другая копия", &heldLock},
    };
    for (const auto& [name, bytes, toldThen, refused, disk] : inputs) {
        SCOPED_TRACE(name);
        layOut(bytes);
        const auto before = snapshot();
        start(std::nullopt, disk ? *disk : FileOps::system());
        const std::size_t toldAtStart = toldThen ? 1 : 0;
        if (toldThen)
            expectTold(1, "Внимание", toldThen);
        ASSERT_EQ(messages.size(), toldAtStart) << told().text.toStdString();
        EXPECT_EQ(snapshot(), before);

        FNew* dialog = openNew();
        heldLock.dialog = dialog;
        fill("987654");
        QWidget* ok = child(dialog, "XpB1");  // the pointer arrives over "ОК", which takes it
        QCursor::setPos(ok->mapToGlobal(ok->rect().center()));
        QMouseEvent arrive(QEvent::MouseMove, ok->rect().center(), QCursor::pos(), Qt::NoButton, {},
                           {});
        QApplication::sendEvent(ok, &arrive);
        ASSERT_EQ(QWidget::mouseGrabber(), ok);
        QTimer clock;
        clock.callOnTimeout([] { ++ticks; });
        clock.start(1);
        save();
        if (!refused.empty()) {
            expectRefused(toldAtStart + 1, refused, dialog);
            EXPECT_EQ(snapshot(), before);
            continue;
        }
        EXPECT_EQ(messages.size(), toldAtStart);
        EXPECT_EQ(readBytes(path), *bytes + added);
        EXPECT_FALSE(list()->findItems(" 987654", Qt::MatchExactly).empty());
    }
    EXPECT_GT(heldLock.tries, 1);
    EXPECT_GT(heldLock.ticksAtLastTry, heldLock.ticksAtFirstTry);
    EXPECT_EQ(heldLock.grabber, nullptr);
}

// An edit the journal can no longer take writes nothing; a record that only moved is followed.
TEST_F(BadJournalTest, AnEditThatCannotBeWrittenChangesNothing) {
    const std::string other = "06.12.26|84600|40|20.5|820\r\n";
    const std::string opened = "06.12.26|84512|40|20.5|8209\r\n";
    // The journal now (empty: a link to a folder), the refusal, what the next save writes.
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"a link to a folder now", "", failed(EISDIR), ""},
        {"the line is gone", kGood + other, "больше нет", ""},
        {"the line moved", other + kGood + opened, "теперь в строке 3",
         other + kGood + "06.12.26|84512|40|21|840\r\n"},
    };
    for (const auto& [name, changed, refusal, afterNextSave] : cases) {
        SCOPED_TRACE(name);
        layOut(kGood + opened);
        start(std::nullopt);
        FNew* dialog = openEdit(1);
        if (changed.empty())
            fs::remove(path), fs::create_directory_symlink(cars, path);
        else
            writeBytes(path, changed);
        const auto before = snapshot();
        type("Text3", "20");
        child<QCheckBox>(dialog, "Check1")->setChecked(changed.empty());  // a delete, an edit
        save();
        expectRefused(1, refusal, dialog);
        EXPECT_EQ(snapshot(), before);
        // A journal changed on disk is reloaded.
        EXPECT_EQ(list()->findItems(" 84600", Qt::MatchExactly).size(), changed.empty() ? 0 : 1);
        if (!afterNextSave.empty()) {
            type("Text3", "21");
            save();
            EXPECT_EQ(host->dialog(), nullptr) << told().text.toStdString();
            EXPECT_EQ(readBytes(path), afterNextSave);
        }
    }
}

}  // namespace
}  // namespace zoltrek
