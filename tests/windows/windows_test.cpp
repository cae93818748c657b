// The real windows on a fixed clock and locale; message boxes and the browser are only recorded.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>

#include "../journal/badbytes.h"
#include "../journal/tempfolder.h"
#include "about.h"
#include "appearance.h"
#include "datetime.h"
#include "entrydialoghost.h"
#include "fnew.h"
#include "journalerror.h"
#include "mainwindow.h"
#include "maker.h"
#include "messages.h"
#include "resources.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zoltrek {
namespace {

using namespace std::string_literals;
using testing::readBytes;
using testing::repeated;
using testing::writeBytes;
namespace fs = std::filesystem;

const std::string kTwoLines = "01.11.26|84000|40|20|800\r\n15.11.26|84500|35|21|735\r\n";

template <typename T = QWidget>
T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

class WindowTest : public ::testing::Test {
  protected:
    testing::TempFolder folder;
    std::string path = folder.file("zoltrek.dat");
    std::vector<Message> messages;
    std::vector<QUrl> openedUrls;
    QDateTime now{QDate(2026, 12, 6), QTime(5, 35, 39)};
    Locale locale;
    std::unique_ptr<Main> main;
    std::unique_ptr<EntryDialogHost> host;

    void TearDown() override { closeWindows(); }
    // The dialog first: it holds on to the main window.
    void closeWindows() {
        if (host && host->dialog())
            host->dialog()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        host.reset();
        main.reset();
    }
    // Shows the main window over the journal, written first unless none.
    void start(const std::optional<std::string>& journal, FileOps& files = FileOps::system()) {
        closeWindows();
        if (journal)
            writeBytes(path, *journal);
        const Environment env{locale, [this] { return now; },
                              [this](QWidget*, const Message& m) { messages.push_back(m); },
                              [this](const QUrl& url) { return openedUrls.push_back(url), false; }};
        main = std::make_unique<Main>(path, env, files);
        main->journalFile().setLockWait(std::chrono::milliseconds(100));  // a busy journal
        host = std::make_unique<EntryDialogHost>(*main);
        main->setEntryDialogs(host.get());
        main->show();
        QApplication::processEvents();
    }

    static QRect inWindow(const QWidget* w) { return {w->mapTo(w->window(), QPoint()), w->size()}; }
    // Fixed size, centred, title, title-bar buttons, "name left top width height" of each control
    // in the client area, and the background from the corner over the whole frame.
    static void expectLayout(QWidget* w, QSize size, const char* title, Qt::WindowFlags buttons,
                             const char* rects) {
        EXPECT_TRUE(w->size() == size && w->minimumSize() == w->maximumSize());
        const QPoint offCentre =
            w->frameGeometry().center() - w->screen()->availableGeometry().center();
        EXPECT_LE(offCentre.manhattanLength(), 1) << offCentre.x() << ", " << offCentre.y();
        EXPECT_EQ(w->windowTitle(), title);
        EXPECT_EQ(w->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint),
                  buttons);
        for (const QString& rect : QString(rects).split(u',')) {
            const QStringList f = rect.split(u' ', Qt::SkipEmptyParts);
            EXPECT_EQ(inWindow(child(w, qPrintable(f[0]))),
                      QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt()))
                << qPrintable(rect);
        }
        const QRect bg = inWindow(child(w, "BG"));
        EXPECT_TRUE(bg.topLeft().isNull() && bg.height() > size.height() &&
                    bg.width() >= size.width());
    }
    // The controls the Tab key visits from the focused one; a control's inner part stands for it.
    static QStringList tabOrder(QWidget* window, int steps) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QStringList visited;
        for (int i = 0; i < steps; ++i) {
            QWidget* control = QApplication::focusWidget();
            while (control && control->parentWidget() != window)
                control = control->parentWidget();
            visited << (control ? control->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return visited;
    }
    // A person's click: the pointer arrives the platform's way (so the button sees it), and leaves.
    static void clickButton(QWidget* button) {
        QCursor::setPos(button->mapToGlobal(button->rect().center()));
        QCoreApplication::processEvents();
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
        QCoreApplication::processEvents();
    }

    QListWidget* list() { return child<QListWidget>(main.get(), "List1"); }
    void clickItem(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list()->viewport(), button, {},
                          list()->visualItemRect(list()->item(row)).center());
    }
    QStringList details() {
        QStringList texts;
        for (const char* name : {"i1", "i2", "i3", "i4", "i5", "i6"})
            texts << child<QLabel>(main.get(), name)->text();
        return texts;
    }
    FNew* openNew() { return clickButton(child(main.get(), "XpB1")), host->dialog(); }
    FNew* openEdit(int slot) {
        host->fEdit(main->journal().records[slot], main->journal().lines[slot]);
        return host->dialog();
    }
    QString text(const char* box) { return child<QLineEdit>(host->dialog(), box)->text(); }
    // Replaces a box's text in the open dialog by typing, on any keyboard layout.
    void type(const char* box, const QString& text) {
        auto* edit = child<QLineEdit>(host->dialog(), box);
        edit->clear();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, c, Qt::NoModifier);
    }
    void fill(const QString& km, const QString& litres, const QString& price) {
        type("Text1", km), type("Text2", litres), type("Text3", price);
    }
    // Clicks "ОК" and lets a closing dialog go.
    void save() { clickButton(child(host->dialog(), "XpB1")), QApplication::processEvents(); }
    Message told() const { return messages.empty() ? Message{} : messages.back(); }
    // The count-th box is the last: its title, the icon that goes with it, a piece of its text.
    void expectTold(std::size_t count, const QString& title, const QString& piece) {
        ASSERT_EQ(messages.size(), count) << told().text.toStdString();
        EXPECT_EQ(told().title, title);
        EXPECT_EQ(told().icon,
                  title == "Ошибка" ? MessageIcon::Critical : MessageIcon::Information);
        EXPECT_TRUE(told().text.contains(piece)) << told().text.toStdString();
    }
};

using MainTest = WindowTest;
using EntryTest = WindowTest;

// Pixels from the design's twips (15 to a pixel), inside the panels' borders; About's are pixels.
TEST_F(MainTest, LayoutTabOrderClockBackgroundAndTheAboutWindow) {
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
    QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(main.get(), "Label9")->text(),
                              QString("Сегодня 06.12.2026, 5:35:39"), 3000);

    // Stretched as the old system stretched pictures: each row a picture row, never a blend.
    const QImage painted =
        child(main.get(), "BG")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = backgroundPicture().toImage().convertToFormat(QImage::Format_RGB32);
    const int rows = picture.height(), height = painted.height();
    for (int y = 0; y < height; ++y) {
        const int source = (2 * y + 1) * rows / (2 * height);  // the row under this row's centre
        QList<QRgb> near;
        for (int r = std::max(0, source - 1); r <= std::min(rows - 1, source + 1); ++r)
            near << picture.pixel(0, r);
        EXPECT_TRUE(near.contains(painted.pixel(painted.width() / 2, y))) << y;
    }

    // Each click opens a new About window; a browser that fails to start changes nothing.
    main->setWindowIcon(programIcon());  // not the application's
    for (unsigned opening = 1; opening <= 2; ++opening) {
        QTest::mouseClick(link, Qt::LeftButton);
        QPointer<About> about = qobject_cast<About*>(QApplication::activeModalWidget());
        ASSERT_TRUE(about && QTest::qWaitForWindowExposed(about));
        expectLayout(about, {154, 242}, "О программе", {},
                     "XpB1 8 212 137 25, Label3 8 136 137 65, Label8 8 8 142 24, Line2 80 36 68 1,"
                     "Label7 20 28 55 13, Label5 20 96 119 13, Line1 4 36 12 1,"
                     "Label2 20 64 114 33, Label1 60 48 40 13");
        EXPECT_EQ(about->windowIcon().cacheKey(), main->windowIcon().cacheKey());
        EXPECT_EQ(child<QLabel>(about.data(), "Label7")->text(), "Версия 1.1");
        QWidget* site = child(about.data(), "Label6");  // as wide as the address, in the window
        EXPECT_EQ(inWindow(site).topLeft(), QPoint(24, 112));
        EXPECT_TRUE(site->height() == 13 && inWindow(site).right() <= 153);
        EXPECT_GE(site->width(), QFontMetrics(site->font()).horizontalAdvance(maker::kWebAddress));
        QTest::mouseClick(site, Qt::LeftButton);
        ASSERT_EQ(openedUrls.size(), opening);
        EXPECT_EQ(openedUrls.back(), QUrl(maker::kWebAddress));
        EXPECT_TRUE(about->isVisible());
        clickButton(child(about.data(), "XpB1"));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(about.isNull());
    }
}

// " 100000" sorts first yet stands for its own line; "." stands in for a separator the journal
// cannot hold; "<b>" shows as its characters, in the panel and in the real box.
TEST_F(MainTest, DetailsOfTheSelectedItemsOwnRecordAndTheReport) {
    const std::pair<const char*, const char*> prices[] = {
        {"ru_RU", "20,5 руб"}, {"ar_EG", "20.5 руб"}, {"fa_IR", "20.5 руб"}};
    for (const auto& [name, price] : prices) {
        locale = Locale::of(QLocale(name));
        start("01.11.26|99999|40|20|800\r\n<b>15.11.26</b>|100000|35|20.5|735\r\n");
        clickItem(0);
        EXPECT_EQ(details(),
                  (QStringList{"<b>15.11.26</b>", "100000", "35 л", price, "1 км", "4000 л/100км"}))
            << name;
    }
    const QLabel* date = child<QLabel>(main.get(), "i1");
    EXPECT_GE(date->sizeHint().width(), date->fontMetrics().horizontalAdvance(date->text()) - 1);
    clickItem(1);  // the first fill-up has nothing before it
    EXPECT_EQ(details(), QStringList(6, QString()));
    QTest::keyClick(list(), Qt::Key_Up);
    EXPECT_EQ(details()[0], "<b>15.11.26</b>");

    const Message report = statisticsMessage(main->journal(), locale);
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
TEST(MainClock, TheUsersFormatsWithoutTheTimeZone) {
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

// Fails every read once switched on.
struct UnreadableDisk : FileOps {
    bool failing = false;
    ssize_t read(int fd, void* buf, size_t count) override {
        return failing ? (errno = EIO, -1) : FileOps::read(fd, buf, count);
    }
} unreadableDisk;

// What a reload keeps and tells, and what comes with the number of items.
TEST_F(MainTest, ReloadsKeepTheDetailsAndTellWhatWentWrong) {
    const QString hint = "Правая кнопка мыши для редактирования";
    start(
        "01.11.26|84000|40|20|800\r\njunk\r\n\r\n15.11.26|84500|35|21|735\r\nmore junk\r\n"
        "30.11.26|84950|30|22|660\r\n",
        unreadableDisk);
    QTRY_COMPARE(messages.size(), 1u);
    expectTold(1, "Внимание", "пропущены: 2, 5.");
    main->UpList();  // a reload tells nothing again
    QApplication::processEvents();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(list()->toolTip(), hint);
    clickButton(child(main.get(), "XpB2"));
    expectTold(2, "Статистика", "За период с 01.11.26 по 30.11.26\r\n\r\nПройдено - 950 км");

    clickItem(1);  // " 84500"
    unreadableDisk.failing = true;
    main->UpList();
    unreadableDisk.failing = false;
    expectTold(3, "Ошибка", QString::fromStdString(path));
    EXPECT_EQ(list()->count(), 3);  // the list is kept
    writeBytes(path, "");
    main->UpList();
    EXPECT_EQ(list()->count(), 0);
    EXPECT_EQ(details()[0], "15.11.26");
    EXPECT_EQ(list()->toolTip(), "");
    for (int count : {13, 14}) {
        writeBytes(path, repeated("d|1|1|1|1\r\n", count));
        main->UpList();
        QApplication::processEvents();
        EXPECT_EQ(list()->verticalScrollBar()->isVisible(), count == 14) << count << " items";
    }
    EXPECT_EQ(list()->toolTip(), hint);
    // Another copy added lines this one cannot show.
    writeBytes(path, repeated("d|1|1|1|1\r\n", Journal::kSlots + 1));
    main->UpList();
    expectTold(4, "Внимание", "не больше 101 заправки");
    EXPECT_TRUE(told().text.startsWith("Программа показывает"));  // no line was skipped
}

// Today in the date box's shape in any locale; then the wiring of the core's rules and edits.
TEST_F(EntryTest, LayoutTodayTheAmountRefusalsWaysOutAndEdits) {
    const std::string journal = "06.12.26|12345|40.5|25.3|1024.65\r\n01|1|1|1|1\r\n02|2|2|2|2\r\n";
    now = QDateTime(QDate(2020, 12, 20), QTime(10, 0));
    for (const char* name : {"C", "en_US", "ja_JP", "ar_EG", "ru_RU"}) {
        locale = Locale::of(QLocale(name));
        start(journal);
        EXPECT_EQ(child<DateTime>(openNew(), "DateTime1")->text(), "20.12.20") << name;
    }
    FNew* dialog = host->dialog();
    expectLayout(dialog, {157, 186}, "Новая заправка", {},
                 "DateTime1 68 12 73 19, Text1 68 36 73 19, Text2 68 60 73 19, Text3 68 84 73 19,"
                 "Text4 68 116 73 19, XpB1 4 156 73 25, XpB2 80 156 73 25, Check1 20 140 13 13,"
                 "Label6 36 140 104 13, Label1 12 40 48 13, Label2 28 16 29 13,"
                 "Label3 24 64 36 13, Label4 12 88 47 13, Label5 24 120 40 13, Line1 17 108 124 1");
    EXPECT_FALSE(child(dialog, "Check1")->isVisible() || child(dialog, "Label6")->isVisible());
    EXPECT_EQ(tabOrder(dialog, 8), (QStringList{"DateTime1", "Text1", "Text2", "Text3", "Text4",
                                                "XpB1", "XpB2", "DateTime1"}));

    type("Text2", "20,5");
    type("Text3", "3,3");
    EXPECT_EQ(text("Text4"), "67,64");
    const char* const refusals[][3] = {
        {"Text1", "", "Введены неверные данные!"},
        {"Text3", "12|5", "Введены неверные данные!"},
        {"Text1", "12345", "Данные об этой заправке были введены ранее!"},
    };
    for (const auto& [box, typed, refusal] : refusals) {
        fill("90000", "40", "20");
        type(box, typed);
        save();
        ASSERT_EQ(host->dialog(), dialog);
        EXPECT_EQ(told().title, "Ошибка");
        EXPECT_EQ(told().text, refusal) << typed;
    }
    fill("90000", "40", "20");
    clickButton(child(dialog, "XpB2"));  // "Отмена"
    EXPECT_EQ(host->dialog(), nullptr);
    openEdit(1);
    type("Text3", "99");
    host->dialog()->close();  // the close box
    EXPECT_EQ(readBytes(path), journal);

    clickItem(1, Qt::RightButton);  // with nothing selected, a right press does nothing
    EXPECT_EQ(host->dialog(), nullptr);
    clickItem(2);  // " 2"
    clickItem(0, Qt::RightButton);
    ASSERT_NE(dialog = host->dialog(), nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Редактировать");
    EXPECT_EQ(text("Text1"), "2");
    EXPECT_EQ(list()->currentRow(), 2);
    child<QCheckBox>(dialog, "Check1")->setChecked(true);
    // A second edit refills the open dialog; the amount is the stored one, never worked out again.
    EXPECT_EQ(openEdit(0), dialog);
    EXPECT_EQ(child<DateTime>(dialog, "DateTime1")->text(), "06.12.26");
    EXPECT_EQ(QStringList({text("Text1"), text("Text2"), text("Text3"), text("Text4")}),
              QStringList({"12345", "40,5", "25,3", "1024,65"}));
    clickButton(child(main.get(), "XpB1"));  // brings the open edit forward, changes nothing
    EXPECT_EQ(host->dialog(), dialog);
    save();  // deletes the record the second edit opened
    EXPECT_EQ(readBytes(path), "01|1|1|1|1\r\n02|2|2|2|2\r\n");
}

// Each kind of save goes through the dialog, which then unloads; the bytes are the core's.
TEST_F(EntryTest, ASaveChangesOnlyItsLine) {
    const std::string a = "01.11.26|84000|40.50|20.5|800\r\n", b = "15.11.26|84500|35|20,5|735\r\n";
    const std::string full = repeated("d|1|1|1|1\r\n", Journal::kSlots - 1);
    // Locale, journal, slot (-1: new), "km|litres|price" typed ("": as shown, null: delete), after.
    const std::tuple<const char*, std::string, int, const char*, std::string> cases[] = {
        {"ru_RU", kTwoLines, -1, "85000|20,5|3,3", kTwoLines + "06.12.26|85000|20,5|3,3|67,64\r\n"},
        {"ru_RU", a + b, 0, "||21", "01.11.26|84000|40.50|21|850,5\r\n" + b},
        {"en_US", "bad|0|0|0|0\r\n" + full, 0, nullptr, full},  // full; whatever the boxes hold
        {"en_US", "x|1|1|1|1\ny|2|2|2|2\n", 1, "||22", "x|1|1|1|1\ny|2|2|22|44\n"},
        {"en_US", "x|1|1|1|1\ry|2|2|2|2\rz|3|3|3|3", 1, "||9", "x|1|1|1|1\ry|2|2|9|18\rz|3|3|3|3"},
        {"en_US", "x|1|1|1|1\r\ny|2|2|2|2\nz|3|3|3|3\r", 0, nullptr, "y|2|2|2|2\nz|3|3|3|3\r"},
        {"fa_IR", a + b, 0, "|41|", "01.11.26|84000|41|20.5|840.5\r\n" + b},
        {"ar_EG", kTwoLines, -1, "٨٥٤٠٠|٤١٫٥|٢٢٫٣",
         kTwoLines + "06.12.26|85400|41.5|22.3|925.45\r\n"},
    };
    for (const auto& [name, journal, slot, typed, after] : cases) {
        SCOPED_TRACE(after);
        locale = Locale::of(QLocale(name));
        std::remove(path.c_str());
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

struct FullDisk : FileOps {
    ssize_t write(int, const void*, size_t) override { return errno = ENOSPC, -1; }
} fullDisk;

// Another copy holds the journal; nobody may hold the pointer meanwhile, or nothing gets a click.
struct HeldLock : FileOps {
    int tries = 0;
    QWidget* grabber = nullptr;
    int flock(int, int) override {
        ++tries;
        grabber = QWidget::mouseGrabber();
        return errno = EWOULDBLOCK, -1;
    }
} heldLock;

enum class Kind { File, Folder, LinkToFolder };

class BadJournalTest : public WindowTest {
  protected:
    const std::string kGood = "06.12.26|84512|40|20.5|820\r\n", cars = folder.file("cars");

    std::string failed(int error) { return "«" + path + "»: " + systemReason(error); }
    // Beside the journal, a folder with a file in it and a name a temporary file of it would take.
    void layOut(Kind kind, const std::string& bytes) {
        closeWindows();
        messages.clear();
        for (const auto& entry : fs::directory_iterator(folder.path()))
            fs::remove_all(entry.path());
        fs::create_directory(cars);
        writeBytes(cars + "/notes.txt", "mine");
        writeBytes(folder.file(".cars.backup"), "mine too");
        if (kind == Kind::File)
            writeBytes(path, bytes);
        else if (kind == Kind::Folder)
            fs::rename(cars, path);
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
TEST_F(BadJournalTest, TheWindowsTellWhatTheyLeftAndChangeNothing) {
    const std::string added = "06.12.26|987654|40|20|800\r\n";
    // The journal, its bytes, pieces of the start-up box and of the refusal, the disk (null: ours).
    const std::tuple<Kind, std::string, const char*, std::string, FileOps*> inputs[] = {
        {Kind::File, "06.12.26|84\0 512|40|20.5|820\r\n\0\0\0\r\n"s + kGood,
         "пропущена: 2. Файл не изменён.", "", nullptr},
        {Kind::File, testing::junk(1 << 16, 7), "и ещё", "", nullptr},
        {Kind::File, repeated("06.12.26|84512\r\n", JournalFile::kMaxSkipped + 1),
         "остаток журнала не загружен. Файл не изменён.", "не полностью", nullptr},
        {Kind::LinkToFolder, "", nullptr, failed(EISDIR), nullptr},
        {Kind::Folder, "", nullptr, failed(EISDIR), nullptr},
        {Kind::File, kGood, nullptr, failed(ENOSPC), &fullDisk},
        {Kind::File, kGood, nullptr, "другая копия", &heldLock},
    };
    for (const auto& [kind, bytes, toldThen, refused, disk] : inputs) {
        SCOPED_TRACE(refused + (toldThen ? toldThen : ""));
        layOut(kind, bytes);
        const auto before = snapshot();
        start(std::nullopt, disk ? *disk : FileOps::system());
        const std::size_t toldAtStart = toldThen ? 1 : 0;
        if (toldThen)
            expectTold(1, "Внимание", toldThen);
        ASSERT_EQ(messages.size(), toldAtStart) << told().text.toStdString();
        EXPECT_EQ(snapshot(), before);

        FNew* dialog = openNew();
        fill("987654", "40", "20");
        QWidget* ok = child(dialog, "XpB1");  // the pointer arrives over "ОК", which takes it
        QMouseEvent arrive(QEvent::MouseMove, ok->rect().center(),
                           ok->mapToGlobal(ok->rect().center()), Qt::NoButton, {}, {});
        QApplication::sendEvent(ok, &arrive);
        ASSERT_EQ(QWidget::mouseGrabber(), ok);
        save();
        if (!refused.empty()) {
            expectRefused(toldAtStart + 1, refused, dialog);
            EXPECT_EQ(snapshot(), before);
            continue;
        }
        EXPECT_EQ(messages.size(), toldAtStart);
        const std::string after = readBytes(path);  // the old bytes, the new line on its own
        ASSERT_TRUE(after.starts_with(bytes));
        EXPECT_TRUE(after.substr(bytes.size()) == added ||
                    after.substr(bytes.size()) == "\r\n" + added);
        EXPECT_FALSE(list()->findItems(" 987654", Qt::MatchExactly).empty());
    }
    EXPECT_GT(heldLock.tries, 1);
    EXPECT_EQ(heldLock.grabber, nullptr);
}

// An edit the journal can no longer take writes nothing; a record that only moved is followed.
TEST_F(BadJournalTest, AnEditThatCannotBeWrittenChangesNothing) {
    const std::string other = "06.12.26|84600|40|20.5|820\r\n";
    const std::string opened = "06.12.26|84512|40|20.5|8209\r\n";
    // The journal now (empty: a link to a folder), the refusal, what the next save writes.
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"", failed(EISDIR), ""},
        {kGood + other, "больше нет", ""},
        {other + kGood + opened, "теперь в строке 3",
         other + kGood + "06.12.26|84512|40|21|840\r\n"},
    };
    for (const auto& [changed, refusal, afterNextSave] : cases) {
        SCOPED_TRACE(refusal);
        layOut(Kind::File, kGood + opened);
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

// The windows need an application with the program's fonts and colours.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    zoltrek::setUpApplication(app);
    return RUN_ALL_TESTS();
}
