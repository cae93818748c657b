// Journals no copy of the program would write: junk, NUL bytes, a byte without a character,
// huge lines, a million lines, links, folders, a pipe and a device under the journal's name.
// None may crash or hang the load (the ctest TIMEOUT is the watchdog), the result says what
// was skipped, and not one byte changes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <random>

#include "badbytes.h"
#include "codepage.h"
#include "journalfile.h"
#include "numbers.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

using testing::junk;
using testing::readBytes;
using testing::repeated;
using testing::TempFolder;
using testing::writeBytes;
using Status = LoadResult::Status;
using namespace std::string_literals;

const std::string kGood = "06.12.26|84512|40|20.5|820";

struct BadInput {
    const char* what;
    std::string bytes;  // what the journal (or the file a link points to) holds
    enum Kind { File, LinkToFile, LinkToFolder, Dangling, Folder, LinkLoop, Fifo, Device } kind;
    Status status;
    int records;  // -1: any number, for junk
    std::size_t skipped;
    bool leftUnloaded;
    std::vector<std::size_t> skippedLines = {};
};

std::vector<BadInput> badInputs() {
    const std::string big(10 * 1024 * 1024, '7');
    return {
        {"binary junk", junk(1 << 16), BadInput::File, Status::Loaded, -1, 0, false},
        {"NUL bytes",
         "06.12.26|84\0 512|40|20.5|820\r\n\0\0\0\r\n"s + kGood + "\r\n",
         BadInput::File,
         Status::Loaded,
         2,
         1,
         false,
         {2}},
        {"the byte 0x98",
         "0\x98.12.26|84\x98"
         "512|40|20.5|820\r\n\x98\x98\r\n",
         BadInput::File,
         Status::Loaded,
         1,
         1,
         false,
         {2}},
        {"a 10 MB line without fields",
         big + "\r\n" + kGood + "\r\n",
         BadInput::File,
         Status::Loaded,
         1,
         1,
         false,
         {1}},
        {"a 10 MB reading", "d|" + big + "|1|1|1\r\n" + kGood, BadInput::File, Status::Loaded, 2, 0,
         false},
        {"a 10 MB line ending in a lone CR", "d|" + big + "|1|1|1\r" + kGood, BadInput::File,
         Status::Loaded, 2, 0, false},
        {"a million records", repeated(kGood + "\r\n", 1'000'000), BadInput::File, Status::Loaded,
         101, 0, true},
        {"a million malformed lines",
         repeated("06.12.26|84512\r\n", 1'000'000),
         BadInput::File,
         Status::Loaded,
         0,
         1000,
         true,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"a million empty lines", repeated("\r\n", 1'000'000) + kGood, BadInput::File,
         Status::Loaded, 1, 0, false},
        {"a million line feeds",
         std::string(1'000'000, '\n'),
         BadInput::File,
         Status::Loaded,
         0,
         1,
         false,
         {1}},
        {"a link to a file", kGood + "\r\n", BadInput::LinkToFile, Status::Loaded, 1, 0, false},
        {"a link to a folder", "", BadInput::LinkToFolder, Status::Absent, 0, 0, false},
        {"a dangling link", "", BadInput::Dangling, Status::Absent, 0, 0, false},
        {"a folder", "", BadInput::Folder, Status::Absent, 0, 0, false},
        {"a link to itself", "", BadInput::LinkLoop, Status::Failed, 0, 0, false},
        {"a named pipe", "", BadInput::Fifo, Status::Absent, 0, 0, false},
        {"a link to a device", "", BadInput::Device, Status::Absent, 0, 0, false},
    };
}

// Lays the input out under the journal's name; returns the file whose bytes must not change.
std::string layOut(const BadInput& input, const TempFolder& folder, const TempFolder& elsewhere) {
    const std::string path = folder.file("zoltrek.dat"), target = elsewhere.file("car.log");
    switch (input.kind) {
        case BadInput::File:
            writeBytes(path, input.bytes);
            return path;
        case BadInput::LinkToFile:
            writeBytes(target, input.bytes);
            std::filesystem::create_symlink(target, path);
            return target;
        case BadInput::LinkToFolder:
            std::filesystem::create_directory_symlink(elsewhere.path(), path);
            return {};
        case BadInput::Dangling:
            std::filesystem::create_symlink(target, path);
            return {};
        case BadInput::Folder:
            std::filesystem::create_directory(path);
            return {};
        case BadInput::LinkLoop:
            std::filesystem::create_symlink(path, path);
            return {};
        case BadInput::Fifo:
            ::mkfifo(path.c_str(), 0600);
            return {};
        case BadInput::Device:
            std::filesystem::create_symlink("/dev/zero", path);
            return {};
    }
    return {};
}

TEST(BadInput, TheLoadSaysWhatItSkippedAndChangesNothing) {
    for (const auto& input : badInputs()) {
        TempFolder folder, elsewhere;
        const std::string kept = layOut(input, folder, elsewhere);
        const auto listing = [&] {
            std::vector<std::string> names;
            for (const auto& e : std::filesystem::directory_iterator(folder.path()))
                names.push_back(e.path().filename().string());
            return names;
        };
        const auto namesBefore = listing();

        Journal journal;
        journal.records[0].fDate = "before";
        const LoadResult r = JournalFile(folder.file("zoltrek.dat")).load(journal);
        EXPECT_EQ(r.status, input.status) << input.what;
        if (input.records >= 0) {
            EXPECT_EQ(r.skippedCount, input.skipped) << input.what;
        } else {
            EXPECT_LE(r.skippedCount, JournalFile::kMaxSkipped) << input.what;
        }
        EXPECT_EQ(r.leftUnloaded, input.leftUnloaded) << input.what;
        if (!input.skippedLines.empty()) {
            EXPECT_EQ(r.skippedLines, input.skippedLines) << input.what;
        }
        if (input.status == Status::Loaded) {
            if (input.records >= 0) {
                EXPECT_EQ(journal.count(), input.records) << input.what;
            }
        } else {
            EXPECT_EQ(journal.records[0].fDate, "before") << input.what << ": table untouched";
        }
        if (input.status == Status::Failed) {
            EXPECT_NE(r.error.message().find(folder.file("zoltrek.dat")), std::string::npos);
        }
        if (!kept.empty()) {
            EXPECT_TRUE(readBytes(kept) == input.bytes) << input.what << ": bytes changed";
        }
        EXPECT_EQ(listing(), namesBefore) << input.what;
    }
}

TEST(BadInput, OddBytesStayInTheRecordAsTheyWere) {
    TempFolder folder;
    const std::string path = folder.file("zoltrek.dat");
    writeBytes(path, "0\x98.12.26|84\0 512|40|20.5|820\r\n"s);
    Journal journal;
    ASSERT_EQ(JournalFile(path).load(journal).status, Status::Loaded);
    ASSERT_EQ(journal.count(), 1);
    EXPECT_EQ(journal.records[0].fDate, "0\x98.12.26");
    EXPECT_EQ(journal.records[0].fKm, 84);  // a NUL ends the number like any other byte
    EXPECT_EQ(journal.lines[0].bytes.size(), 28u);
    EXPECT_EQ(fromCp1251(journal.records[0].fDate), "0\xEF\xBF\xBD.12.26");
}

TEST(BadInput, AHugeReadingHasNoValueToShow) {
    TempFolder folder;
    const std::string path = folder.file("zoltrek.dat");
    writeBytes(path, "d|" + std::string(400, '9') + "|1|1|1\r\n");
    Journal journal;
    JournalFile(path).load(journal);
    ASSERT_EQ(journal.count(), 1);
    EXPECT_EQ(NumToListText(journal.records[0].fKm), " \x97");
}

// Writing to what is not a regular file is refused with a message, and nothing changes.
TEST(BadInput, WritesToWhatIsNoFileAreRefused) {
    const BadInput::Kind kinds[] = {BadInput::LinkToFolder, BadInput::Folder, BadInput::Fifo,
                                    BadInput::Device, BadInput::LinkLoop};
    for (const auto kind : kinds) {
        TempFolder folder, elsewhere;
        layOut({"", "", kind, Status::Absent, 0, 0, false}, folder, elsewhere);
        const std::string path = folder.file("zoltrek.dat");
        JournalFile file(path);
        const JournalError append = file.append(kGood);
        EXPECT_TRUE(append) << kind;
        EXPECT_NE(append.message().find(path), std::string::npos) << kind;
        const JournalError edit = file.replaceLine(LineRef{0, kGood}, "x|1|1|1|1");
        EXPECT_TRUE(edit) << kind;
        EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path())) << kind;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << kind;
    }
}

}  // namespace
}  // namespace zoltrek
