// Journals no copy of the program would write: junk, NUL bytes, a byte without a character,
// huge lines, a million lines, links, folders, a pipe and a device under the journal's name.
// None may crash or hang the load (the ctest TIMEOUT is the watchdog), the result says what
// was skipped, no write goes where no regular file is, and not one byte changes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "badbytes.h"
#include "journalfile.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
namespace fs = std::filesystem;
using enum LoadResult::Status;
using namespace std::string_literals;

const std::string kGood = "06.12.26|84512|40|20.5|820";
enum Kind { File, LinkToFile, LinkToFolder, Dangling, Folder, LinkLoop, Fifo, Device };

struct BadInput {
    const char* what;
    std::string bytes;  // what the journal (or the file a link points to) holds
    Kind kind;
    LoadResult::Status status;
    int records;  // -1: any number, for junk
    std::size_t skipped;
    bool leftUnloaded;
    std::vector<std::size_t> skippedLines = {};
};

std::vector<BadInput> badInputs() {
    const std::string big(10 * 1024 * 1024, '7');
    const std::string longest = "d|" + std::string(JournalFile::kMaxLine - 8, '7') + "|1|1|1";
    const std::string nul = "06.12.26|84\0 512|40|20.5|820\r\n\0\0\0\r\n"s + kGood + "\r\n";
    // The load stops at the thousandth malformed line: the good line after them stays out.
    const std::string malformed =
        kGood + "\r\n" + repeated("06.12.26|84512\r\n", 1'000'000) + kGood + "\r\n";
    const std::vector<std::size_t> tenFrom2 = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    const std::string x98 =
        "0\x98.12.26|84\x98"
        "512|40|20.5|820\r\n\x98\x98\r\n";
    return {
        {"binary junk", junk(1 << 16), File, Loaded, -1, 0, false},
        {"NUL bytes", nul, File, Loaded, 2, 1, false, {2}},
        {"the byte 0x98", x98, File, Loaded, 1, 1, false, {2}},
        {"a 10 MB line, no fields", big + "\r\n" + kGood + "\r\n", File, Loaded, 1, 1, false, {1}},
        // A line longer than any the program writes is no record, and is never held whole.
        {"a 10 MB reading", "d|" + big + "|1|1|1\r\n" + kGood, File, Loaded, 1, 1, false, {1}},
        {"a 10 MB line, lone CR", "d|" + big + "|1|1|1\r" + kGood, File, Loaded, 1, 1, false, {1}},
        {"the longest line",
         longest + "\n" + longest + "7\r\n" + kGood,
         File,
         Loaded,
         2,
         1,
         false,
         {2}},
        {"a million records", repeated(kGood + "\r\n", 1'000'000), File, Loaded, 101, 0, true},
        // Empty lines after a full journal leave nothing unloaded.
        {"a full journal", repeated(kGood + "\r\n", 101) + "\r\n\r\n", File, Loaded, 101, 0, false},
        {"a million malformed lines", malformed, File, Loaded, 1, 1000, true, tenFrom2},
        {"a million empty lines", repeated("\r\n", 1'000'000) + kGood, File, Loaded, 1, 0, false},
        {"a million line feeds",
         std::string(1'000'000, '\n') + kGood + "\njunk\n",
         File,
         Loaded,
         1,
         1,
         false,
         {1'000'002}},
        {"a link to a file", kGood + "\r\n", LinkToFile, Loaded, 1, 0, false},
        {"a link to a folder", "", LinkToFolder, Absent, 0, 0, false},
        {"a dangling link", "", Dangling, Absent, 0, 0, false},
        {"a folder", "", Folder, Absent, 0, 0, false},
        {"a link to itself", "", LinkLoop, Failed, 0, 0, false},
        {"a named pipe", "", Fifo, Absent, 0, 0, false},
        {"a link to a device", "", Device, Absent, 0, 0, false},
    };
}

// Lays the input out under the journal's name; returns the file whose bytes must not change.
std::string layOut(Kind kind, const std::string& bytes, const TempFolder& folder,
                   const TempFolder& elsewhere) {
    const std::string path = folder.file("zoltrek.dat"), target = elsewhere.file("car.log");
    if (kind == LinkToFile)
        writeBytes(target, bytes);
    // One for each Kind, in its order.
    const std::function<void()> make[] = {
        [&] { writeBytes(path, bytes); },
        [&] { fs::create_symlink(target, path); },
        [&] { fs::create_directory_symlink(elsewhere.path(), path); },
        [&] { fs::create_symlink(target, path); },
        [&] { fs::create_directory(path); },
        [&] { fs::create_symlink(path, path); },
        [&] { ::mkfifo(path.c_str(), 0600); },
        [&] { fs::create_symlink("/dev/zero", path); },
    };
    make[kind]();
    return kind == File ? path : kind == LinkToFile ? target : "";
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename().string());
    return names;
}

// Beside the load, a write to what is no regular file is refused with a message.
TEST(BadInput, TheLoadSaysWhatItSkippedAndChangesNothing) {
    for (const auto& input : badInputs()) {
        SCOPED_TRACE(input.what);
        TempFolder folder, elsewhere;
        const std::string path = folder.file("zoltrek.dat");
        const std::string kept = layOut(input.kind, input.bytes, folder, elsewhere);
        const auto namesBefore = namesIn(folder.path()),
                   elsewhereBefore = namesIn(elsewhere.path());
        Journal journal;
        journal.records[0].fDate = "before";
        JournalFile file(path);
        const LoadResult r = file.load(journal);
        EXPECT_EQ(r.status, input.status);
        EXPECT_LE(r.skippedCount, input.records < 0 ? JournalFile::kMaxSkipped : input.skipped);
        EXPECT_GE(r.skippedCount, input.records < 0 ? 0 : input.skipped);
        EXPECT_EQ(r.leftUnloaded, input.leftUnloaded);
        if (!input.skippedLines.empty()) {
            EXPECT_EQ(r.skippedLines, input.skippedLines);
        }
        if (input.status == Loaded && input.records >= 0) {
            EXPECT_EQ(journal.count(), input.records);
        } else if (input.status != Loaded) {
            EXPECT_EQ(journal.records[0].fDate, "before") << "table untouched";
        }
        if (input.status == Failed) {
            EXPECT_NE(r.error.message().find(path), std::string::npos);
        }
        if (input.kind != File && input.kind != LinkToFile && input.kind != Dangling) {
            const JournalError append = file.append(kGood);
            EXPECT_NE(append.message().find(path), std::string::npos) << "append refused";
            EXPECT_TRUE(file.replaceLine(LineRef{0, kGood}, "x|1|1|1|1")) << "edit refused";
        }
        if (!kept.empty()) {
            EXPECT_TRUE(readBytes(kept) == input.bytes) << "bytes changed";
        }
        EXPECT_EQ(namesIn(folder.path()), namesBefore);
        EXPECT_EQ(namesIn(elsewhere.path()), elsewhereBefore);
        if (input.kind == Folder) {
            EXPECT_TRUE(fs::is_empty(path));
        }
    }
}

}  // namespace
}  // namespace zoltrek
