// Journals no copy of the program would write, opened by the real windows: the user is told
// what was skipped or left unloaded, not one byte of the file changes, and a new fill-up still
// goes in where the file can take it; where it cannot, an "Ошибка" box says so and nothing is
// written. The ctest TIMEOUT is the watchdog.
#include <QCheckBox>
#include <QMouseEvent>
#include <algorithm>
#include <cstring>
#include <filesystem>

#include "../journal/badbytes.h"
#include "journalerror.h"
#include "journalfile.h"
#include "windowtest.h"

namespace zoltrek {
namespace {

using namespace std::string_literals;
using testing::readBytes;
using testing::repeated;
namespace fs = std::filesystem;

const std::string kGood = "06.12.26|84512|40|20.5|820";
const std::string kAdded = "06.12.26|987654|40|20|800";  // today, 987654 km, 40 l at 20

struct FullDisk : FileOps {
    ssize_t write(int, const void*, size_t) override { return errno = ENOSPC, -1; }
} fullDisk;

// Another copy holds the journal: every try finds the lock taken. Notes who held the pointer
// while the save waited: nobody may, or other programs would get no click.
struct HeldLock : FileOps {
    int tries = 0;
    QWidget* grabber = nullptr;
    int flock(int, int) override {
        ++tries;
        grabber = QWidget::mouseGrabber();
        return errno = EWOULDBLOCK, -1;
    }
} heldLock;

// What a refusal for a system error says: the journal and the error.
std::string failed(const std::string& path, int error) {
    return "«" + path + "»: " + systemReason(error);
}

enum class Kind { File, LinkToFolder, Folder };

class BadJournalTest : public testing::WindowTest {
  protected:
    testing::TempFolder elsewhere;

    // Lays the journal out under its name, the last one gone; a folder gets a file in it.
    void layOut(Kind kind, const std::string& bytes) {
        closeWindows();
        platform.messages.clear();
        fs::remove_all(path);
        for (const auto& entry : fs::directory_iterator(elsewhere.path()))
            fs::remove_all(entry.path());
        if (kind == Kind::File) {
            testing::writeBytes(path, bytes);
        } else if (kind == Kind::Folder) {
            fs::create_directory(path);
            testing::writeBytes(path + "/notes.txt", "mine");
        } else {
            linkToFolder();
        }
    }
    // Beside the folder, a file named as a temporary file of it would be, which no write may
    // take for its own.
    void linkToFolder() {
        const std::string cars = elsewhere.file("cars");
        fs::create_directory(cars);
        testing::writeBytes(cars + "/notes.txt", "mine");
        testing::writeBytes(elsewhere.file(".cars.backup"), "mine too");
        fs::create_directory_symlink(cars, path);
    }
    // The journal's bytes, or the names in the folder standing for it; and the names beside.
    std::vector<std::string> snapshot() const {
        std::vector<std::string> found = {fs::is_regular_file(path) ? readBytes(path) : ""};
        for (const std::string& folder : {path, elsewhere.path()})
            if (fs::is_directory(folder))
                for (const auto& entry : fs::directory_iterator(folder))
                    found.push_back(folder + ": " + entry.path().filename().string());
        std::sort(found.begin() + 1, found.end());
        return found;
    }
    // The last box is an "Ошибка" that names the fault, and the dialog stays with what was typed.
    void expectRefused(const std::string& fault, FNew* dialog) {
        EXPECT_EQ(told().title, "Ошибка");
        EXPECT_EQ(told().icon, MessageIcon::Critical);
        EXPECT_TRUE(told().text.contains(QString::fromStdString(fault)))
            << told().text.toStdString();
        EXPECT_EQ(host->dialog(), dialog);
        EXPECT_EQ(text("Text3"), "20");
    }
};

TEST_F(BadJournalTest, TheWindowsTellWhatTheyLeftAndChangeNothing) {
    const std::string bigLine(10 * 1024 * 1024, '7');
    const struct {
        const char* what;
        std::string bytes;
        Kind kind = Kind::File;
        const char* told = nullptr;  // a piece of the start-up "Внимание" box; none when null
        std::string refused{};  // a piece of the "Ошибка" box the add gives; none when empty
        FileOps* disk = &FileOps::system();
    } inputs[] = {
        {"binary junk", testing::junk(1 << 16, 7), Kind::File, "пропущены"},
        {"NUL bytes", "06.12.26|84\0 512|40|20.5|820\r\n\0\0\0\r\n"s + kGood + "\r\n", Kind::File,
         "пропущена: 2."},
        {"the byte 0x98", "0\x98.12.26|84\x98" + "512|40|20.5|820\r\n\x98\x98\r\n"s, Kind::File,
         "пропущена: 2."},
        {"a 10 MB line", bigLine + "\r\n" + kGood + "\r\n", Kind::File, "пропущена: 1."},
        {"a million records", repeated(kGood + "\r\n", 1'000'000), Kind::File,
         "не больше 101 заправки", "не больше 101 заправки"},
        {"a million malformed lines", repeated("06.12.26|84512\r\n", 1'000'000), Kind::File,
         "слишком много", "не полностью"},
        {"a symbolic link to a folder", "", Kind::LinkToFolder, nullptr, failed(path, EISDIR)},
        {"a folder", "", Kind::Folder, nullptr, failed(path, EISDIR)},
        {"a full disk", kGood + "\r\n", Kind::File, nullptr, failed(path, ENOSPC), &fullDisk},
        {"a journal another copy holds", kGood + "\r\n", Kind::File, nullptr, "другая копия",
         &heldLock},
    };
    for (const auto& input : inputs) {
        SCOPED_TRACE(input.what);
        layOut(input.kind, input.bytes);
        const std::vector<std::string> before = snapshot();
        Journal expected;
        const LoadResult load = JournalFile(path).load(expected);

        start(std::nullopt, *input.disk);
        EXPECT_EQ(list()->count(), expected.count());
        ASSERT_EQ(platform.messages.size(), input.told ? 1u : 0u) << told().text.toStdString();
        if (input.told) {
            EXPECT_EQ(told().title, "Внимание");
            EXPECT_EQ(told().icon, MessageIcon::Information);
            EXPECT_TRUE(told().text.contains(input.told)) << told().text.toStdString();
            EXPECT_TRUE(told().text.contains("Файл не изменён"));
        }
        const std::size_t toldAtStart = platform.messages.size();
        EXPECT_EQ(snapshot()[0], before[0]);

        FNew* dialog = openNew();
        fill("987654", "40", "20");
        // The pointer arrives over "ОК", which takes it.
        QWidget* ok = testing::child(dialog, "XpB1");
        QMouseEvent arrive(QEvent::MouseMove, ok->rect().center(),
                           ok->mapToGlobal(ok->rect().center()), Qt::NoButton, {}, {});
        QApplication::sendEvent(ok, &arrive);
        ASSERT_EQ(QWidget::mouseGrabber(), ok);
        save();
        const std::vector<std::string> after = snapshot();
        if (!input.refused.empty()) {
            ASSERT_EQ(platform.messages.size(), toldAtStart + 1);
            expectRefused(input.refused, dialog);
            EXPECT_EQ(after, before);
            continue;
        }
        EXPECT_EQ(platform.messages.size(), toldAtStart);
        EXPECT_EQ(host->dialog(), nullptr);
        // The old bytes stay as they were; the new line follows on a line of its own.
        ASSERT_TRUE(after[0].starts_with(before[0]));
        const std::string tail = after[0].substr(before[0].size());
        EXPECT_TRUE(tail == kAdded + "\r\n" || tail == "\r\n" + kAdded + "\r\n");
        if (!load.leftUnloaded) {
            EXPECT_FALSE(list()->findItems(" 987654", Qt::MatchExactly).empty());
        }
    }
    EXPECT_GT(heldLock.tries, 1);
    EXPECT_EQ(heldLock.grabber, nullptr);
}

// An edit or a delete the journal cannot take is refused and changes nothing on disk: where the
// journal became a link to a folder while the edit was open (the files beside that folder stay,
// whatever their names), or changed on disk (the list is reloaded). When the record only moved,
// the dialog follows it, and the next save changes it where it now stands.
TEST_F(BadJournalTest, AnEditThatCannotBeWrittenChangesNothing) {
    const std::string other = "06.12.26|84600|40|20.5|820\r\n", opened = kGood + "9\r\n";
    const struct {
        const char* what;
        std::string changed;  // empty: the journal becomes a link to a folder
        std::string refusal, afterNextSave;
    } cases[] = {
        {"a link, delete", "", failed(path, EISDIR), ""},
        {"gone, edit", kGood + "\r\n" + other, "больше нет", ""},
        {"moved, edit", other + kGood + "\r\n" + opened, "теперь в строке 3",
         other + kGood + "\r\n" + "06.12.26|84512|40|21|840\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        layOut(Kind::File, kGood + "\r\n" + opened);
        start(std::nullopt);
        FNew* dialog = openEdit(1);
        if (c.changed.empty()) {
            fs::remove(path);
            linkToFolder();
        } else {
            testing::writeBytes(path, c.changed);
        }
        const std::vector<std::string> before = snapshot();
        type("Text3", "20");
        testing::child<QCheckBox>(dialog, "Check1")->setChecked(c.changed.empty());
        save();
        ASSERT_EQ(platform.messages.size(), 1u);
        expectRefused(c.refusal, dialog);
        EXPECT_EQ(snapshot(), before);
        if (!c.changed.empty()) {
            EXPECT_FALSE(list()->findItems(" 84600", Qt::MatchExactly).empty());  // reloaded
        }
        if (!c.afterNextSave.empty()) {
            type("Text3", "21");
            save();
            EXPECT_EQ(host->dialog(), nullptr) << told().text.toStdString();
            EXPECT_EQ(testing::readBytes(path), c.afterNextSave);
        }
    }
}

}  // namespace
}  // namespace zoltrek
