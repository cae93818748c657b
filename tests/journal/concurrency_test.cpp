// Two copies of the program add, edit and delete their own records in one journal at once.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>

#include "journalfile.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

constexpr int kAdds = 20, kEdits = 10, kDeletes = 5;

// Record k of a copy: its date names it, its reading is unique.
std::string date(int copy, int k) {
    return "P" + std::to_string(copy) + "-" + std::to_string(k);
}
std::string line(int copy, int k, const char* suffix = "") {
    return date(copy, k) + suffix + "|" + std::to_string(copy * 1000 + k) + "|1|1|1";
}

// Finds the record by its date and changes it, loading again whenever the other copy changed
// the file in between.
bool changeRecord(JournalFile& file, const std::string& date, const std::string* replacement) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        Journal journal;
        if (file.load(journal).status != LoadResult::Status::Loaded)
            return false;
        int slot = -1;
        for (int i = 0; i < journal.count(); ++i)
            slot = journal.records[i].fDate == date ? i : slot;
        if (slot < 0)
            return false;
        const JournalError error = replacement ? file.replaceLine(journal.lines[slot], *replacement)
                                               : file.removeLine(journal.lines[slot]);
        if (error.kind != JournalError::Kind::ChangedOnDisk)
            return !error;
    }
    return false;
}

int copyOfTheProgram(const std::string& path, int copy, int startFd) {
    char go;
    if (::read(startFd, &go, 1) != 1)
        return 2;
    JournalFile file(path);
    for (int k = 0; k < kAdds; ++k)
        if (file.append(line(copy, k)))
            return 3;
    for (int k = 0; k < kEdits; ++k) {
        const std::string edited = line(copy, k, "e");
        if (!changeRecord(file, date(copy, k), &edited))
            return 4;
    }
    for (int k = kEdits; k < kEdits + kDeletes; ++k)
        if (!changeRecord(file, date(copy, k), nullptr))
            return 5;
    return 0;
}

// One copy reaches the journal through a link in another folder, as a copy installed elsewhere
// would: the lock must be the file's own folder's for both.
TEST(TwoCopies, NeitherLosesTheOthersLines) {
    testing::TempFolder folder, elsewhere;
    const std::string path = folder.file("zoltrek.dat"), link = elsewhere.file("zoltrek.dat");
    testing::writeBytes(path, "");
    std::filesystem::create_symlink(path, link);
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t pids[2];
    for (int copy = 0; copy < 2; ++copy)
        if ((pids[copy] = ::fork()) == 0)
            ::_exit(copyOfTheProgram(copy == 0 ? path : link, copy, start[0]));
    ASSERT_EQ(::write(start[1], "go", 2), 2);  // both start at once
    for (int copy = 0; copy < 2; ++copy) {
        int status = 0;
        ::waitpid(pids[copy], &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << "copy " << copy << " status " << status;
    }
    ::close(start[0]);
    ::close(start[1]);

    std::multiset<std::string> want, got;
    for (int copy = 0; copy < 2; ++copy)
        for (int k = 0; k < kAdds; ++k)
            if (k < kEdits || k >= kEdits + kDeletes)
                want.insert(line(copy, k, k < kEdits ? "e" : ""));
    Journal journal;
    JournalFile(path).load(journal);
    for (int i = 0; i < journal.count(); ++i)
        got.insert(journal.lines[i].bytes);
    EXPECT_EQ(got, want);
    const std::string bytes = testing::readBytes(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), static_cast<long>(want.size()));
}

// Both copies loaded the same journal and add a fill-up at the same moment: the last one the
// table can show, or one reading typed in both. The checks under the lock let exactly one in.
TEST(TwoCopies, OnlyOneAddsTheLastRecordOrARepeatedReading) {
    for (const bool sameReading : {false, true}) {
        SCOPED_TRACE(sameReading ? "one reading" : "the 101st record");
        testing::TempFolder folder;
        const std::string path = folder.file("zoltrek.dat");
        const int before = sameReading ? 1 : Journal::kSlots - 1;
        std::string text;
        for (int k = 0; k < before; ++k)
            text += line(9, k) + "\r\n";
        testing::writeBytes(path, text);
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        pid_t pids[2];
        for (int copy = 0; copy < 2; ++copy) {
            if ((pids[copy] = ::fork()) == 0) {
                char go;
                if (::read(start[0], &go, 1) != 1)
                    ::_exit(99);
                const std::string reading = sameReading ? "5000" : std::to_string(copy * 1000);
                const JournalError error =
                    JournalFile(path).add("new|" + reading + "|1|1|1", reading);
                ::_exit(static_cast<int>(error.kind));
            }
        }
        ASSERT_EQ(::write(start[1], "go", 2), 2);
        std::multiset<int> outcomes;
        for (pid_t pid : pids) {
            int status = 0;
            ::waitpid(pid, &status, 0);
            outcomes.insert(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        }
        ::close(start[0]);
        ::close(start[1]);
        const auto refused = sameReading ? JournalError::Kind::Duplicate : JournalError::Kind::Full;
        EXPECT_EQ(outcomes, (std::multiset<int>{0, static_cast<int>(refused)}));
        Journal journal;
        const LoadResult load = JournalFile(path).load(journal);
        EXPECT_EQ(journal.count(), before + 1);
        EXPECT_FALSE(load.leftUnloaded);
    }
}

}  // namespace
}  // namespace zoltrek
