// Journals no copy of the program would write, opened by the real windows: the user is told
// what was skipped or left unloaded (and nothing where nothing is wrong), not one byte of the
// file changes, and a new fill-up still goes in where the file can take it; where it cannot,
// an "Ошибка" box says so and nothing is written. The ctest TIMEOUT is the watchdog.
#include <fcntl.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

#include "../journal/badbytes.h"
#include "../journal/tempfolder.h"
#include "entrydialoghost.h"
#include "fnew.h"
#include "journalfile.h"
#include "mainwindow.h"
#include "windowtest.h"

namespace zoltrek {
namespace {

using namespace std::string_literals;
using testing::child;
using testing::junk;
using testing::readBytes;
using testing::repeated;
using testing::TempFolder;
namespace fs = std::filesystem;

const std::string kGood = "06.12.26|84512|40|20.5|820";
// What the dialog writes for today, 987654 km, 40 l at 20.
const std::string kAdded = "06.12.26|987654|40|20|800";

// A disk mounted read-only: every opening for writing is refused.
struct ReadOnlyDisk : FileOps {
    int open(const char* path, int flags, mode_t mode) override {
        if ((flags & O_ACCMODE) != O_RDONLY) {
            errno = EROFS;
            return -1;
        }
        return FileOps::open(path, flags, mode);
    }
};

enum class Kind { File, LinkToFolder, Folder };

struct BadJournal {
    const char* what;
    std::string bytes;
    Kind kind = Kind::File;
    const char* told = nullptr;  // a piece of the start-up "Внимание" box; none when null
    const char* refused = nullptr;  // a piece of the "Ошибка" box the add gives; none when null
    bool readOnly = false;
};

std::vector<BadJournal> badJournals() {
    const std::string bigLine(10 * 1024 * 1024, '7');
    return {
        {"a sound journal", kGood + "\r\n"},
        {"binary junk", junk(1 << 16, 7), Kind::File, "пропущены"},
        {"NUL bytes", "06.12.26|84\0 512|40|20.5|820\r\n\0\0\0\r\n"s + kGood + "\r\n", Kind::File,
         "пропущены: 2."},
        {"the byte 0x98", "0\x98.12.26|84\x98" + "512|40|20.5|820\r\n\x98\x98\r\n"s, Kind::File,
         "пропущены: 2."},
        {"a 10 MB line", bigLine + "\r\n" + kGood + "\r\n", Kind::File, "пропущены: 1."},
        {"a 10 MB reading without a line end", "d|" + bigLine + "|1|1|1"},
        {"a million records", repeated(kGood + "\r\n", 1'000'000), Kind::File, "не больше 101",
         "не больше 101"},
        {"a million malformed lines", repeated("06.12.26|84512\r\n", 1'000'000), Kind::File,
         "слишком много", "не полностью"},
        {"a million empty lines", repeated("\r\n", 1'000'000) + kGood + "\r\n"},
        {"a symbolic link to a folder", "", Kind::LinkToFolder, nullptr, std::strerror(EISDIR)},
        {"a folder", "", Kind::Folder, nullptr, std::strerror(EISDIR)},
        {"NUL bytes on a read-only disk", "06.12.26|84\0 512|40|20.5|820\r\n\0\r\n"s, Kind::File,
         "пропущены: 2.", std::strerror(EROFS), true},
    };
}

// What must still be there, byte for byte, after the windows have had the journal.
struct Snapshot {
    std::string bytes;
    std::vector<std::string> names;  // of a folder standing for the journal, and beside it
};

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class BadJournalTest : public ::testing::Test {
  protected:
    TempFolder folder, elsewhere;
    std::string path = folder.file("zoltrek.dat");
    testing::FakePlatform platform;
    ReadOnlyDisk readOnlyDisk;
    std::unique_ptr<Main> main;
    std::unique_ptr<EntryDialogHost> host;

    // Lays the journal out under its name; a folder gets a file in it, and a file beside it
    // named as a temporary file of that folder would be, which no write may take for its own.
    void layOut(const BadJournal& input) {
        switch (input.kind) {
            case Kind::File:
                testing::writeBytes(path, input.bytes);
                return;
            case Kind::LinkToFolder: {
                const std::string cars = elsewhere.file("cars");
                fs::create_directory(cars);
                testing::writeBytes(cars + "/notes.txt", "mine");
                testing::writeBytes(elsewhere.file(".cars.backup"), "mine too");
                fs::create_directory_symlink(cars, path);
                return;
            }
            case Kind::Folder:
                fs::create_directory(path);
                testing::writeBytes(path + "/notes.txt", "mine");
                return;
        }
    }
    Snapshot snapshot() const {
        Snapshot s;
        if (fs::is_regular_file(path))
            s.bytes = readBytes(path);
        else if (fs::is_directory(path))
            s.names = namesIn(path);
        for (const auto& name : namesIn(elsewhere.path()))
            s.names.push_back("beside: " + name);
        return s;
    }
    void TearDown() override { closeWindows(); }
    // The dialog first: it holds on to the main window.
    void closeWindows() {
        if (host && host->dialog())
            host->dialog()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        host.reset();
        main.reset();
    }
    void start(bool readOnly) {
        FileOps& files = readOnly ? static_cast<FileOps&>(readOnlyDisk) : FileOps::system();
        main = std::make_unique<Main>(QString::fromStdString(path), platform.environment(), files);
        host = std::make_unique<EntryDialogHost>(*main);
        main->setEntryDialogs(host.get());
        main->show();
        QApplication::processEvents();
    }
    // Today, 987654 km, 40 l at 20, then "ОК".
    FNew* addFillUp() {
        testing::clickButton(child(main.get(), "XpB1"));
        FNew* dialog = host->dialog();
        if (!dialog)
            return nullptr;
        const std::pair<const char*, const char*> typed[] = {
            {"Text1", "987654"}, {"Text2", "40"}, {"Text3", "20"}};
        for (const auto& [name, text] : typed)
            QTest::keyClicks(child<QLineEdit>(dialog, name), text);
        testing::clickButton(child(dialog, "XpB1"));
        QApplication::processEvents();
        return dialog;
    }
    int listed() { return child<QListWidget>(main.get(), "List1")->count(); }
    bool listShows(const QString& item) {
        return !child<QListWidget>(main.get(), "List1")->findItems(item, Qt::MatchExactly).empty();
    }
};

TEST_F(BadJournalTest, TheWindowsTellWhatTheyLeftAndChangeNothing) {
    for (const BadJournal& input : badJournals()) {
        SCOPED_TRACE(input.what);
        closeWindows();
        fs::remove_all(path);
        for (const auto& entry : fs::directory_iterator(elsewhere.path()))
            fs::remove_all(entry.path());
        platform.messages.clear();
        layOut(input);
        const Snapshot before = snapshot();
        Journal expected;
        const LoadResult load = JournalFile(path).load(expected);

        start(input.readOnly);
        EXPECT_EQ(listed(), expected.count());
        if (input.told) {
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.messages[0].title, "Внимание");
            EXPECT_EQ(platform.messages[0].icon, MessageIcon::Information);
            EXPECT_TRUE(platform.messages[0].text.contains(input.told))
                << platform.messages[0].text.toStdString();
            EXPECT_TRUE(platform.messages[0].text.contains("Файл не изменён"));
        } else {
            EXPECT_TRUE(platform.messages.empty()) << platform.messages[0].text.toStdString();
        }
        const std::size_t toldAtStart = platform.messages.size();
        EXPECT_EQ(snapshot().bytes, before.bytes);

        FNew* dialog = addFillUp();
        ASSERT_NE(dialog, nullptr);
        const Snapshot after = snapshot();
        if (input.refused) {
            ASSERT_EQ(platform.messages.size(), toldAtStart + 1);
            EXPECT_EQ(platform.messages.back().title, "Ошибка");
            EXPECT_EQ(platform.messages.back().icon, MessageIcon::Critical);
            EXPECT_TRUE(platform.messages.back().text.contains(input.refused))
                << platform.messages.back().text.toStdString();
            EXPECT_EQ(host->dialog(), dialog);  // still open with what was typed
            EXPECT_EQ(after.bytes, before.bytes);
            EXPECT_EQ(after.names, before.names);
            continue;
        }
        EXPECT_EQ(platform.messages.size(), toldAtStart);
        EXPECT_EQ(host->dialog(), nullptr);
        // The old bytes stay as they were; the new line follows on a line of its own.
        ASSERT_GE(after.bytes.size(), before.bytes.size() + kAdded.size() + 2);
        EXPECT_TRUE(after.bytes.starts_with(before.bytes));
        const std::string tail = after.bytes.substr(before.bytes.size());
        EXPECT_TRUE(tail == kAdded + "\r\n" || tail == "\r\n" + kAdded + "\r\n");
        if (!load.leftUnloaded) {
            EXPECT_EQ(listed(), expected.count() + 1);
            EXPECT_TRUE(listShows(" 987654"));
        }
    }
}

// The journal became a link to a folder while an edit was open: the edit is refused, and the
// files beside that folder stay, whatever their names.
TEST_F(BadJournalTest, AnEditThroughALinkToAFolderDeletesNothing) {
    for (const bool remove : {false, true}) {
        SCOPED_TRACE(remove ? "delete" : "edit");
        closeWindows();
        fs::remove_all(path);
        for (const auto& entry : fs::directory_iterator(elsewhere.path()))
            fs::remove_all(entry.path());
        platform.messages.clear();
        testing::writeBytes(path, kGood + "\r\n");
        start(false);
        host->fEdit(main->journal().records[0], main->journal().lines[0]);
        FNew* dialog = host->dialog();
        ASSERT_NE(dialog, nullptr);

        fs::remove(path);
        layOut({"a symbolic link to a folder", "", Kind::LinkToFolder});
        const Snapshot before = snapshot();
        if (remove)
            child<QCheckBox>(dialog, "Check1")->setChecked(true);
        else
            QTest::keyClicks(child<QLineEdit>(dialog, "Text3"), "5");
        testing::clickButton(child(dialog, "XpB1"));
        QApplication::processEvents();

        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].title, "Ошибка");
        EXPECT_TRUE(platform.messages[0].text.contains("не является обычным файлом"))
            << platform.messages[0].text.toStdString();
        EXPECT_EQ(host->dialog(), dialog);
        EXPECT_EQ(snapshot().names, before.names);
    }
}

}  // namespace
}  // namespace zoltrek
