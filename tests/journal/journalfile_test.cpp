#include "journalfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "tempfolder.h"

namespace zoltrek {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

std::string record(int km) {
    return "d|" + std::to_string(km) + "|1|1|1";
}

std::string records(int from, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += record(from + i) + "\r\n";
    return text;
}

class JournalFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string path = folder.file("zoltrek.dat");
    JournalFile file{path};
    Journal journal;

    LoadResult loadBytes(const std::string& bytes) {
        writeBytes(path, bytes);
        return file.load(journal);
    }
    std::vector<double> readings() const {
        std::vector<double> out;
        for (int i = 0; i < journal.count(); ++i)
            out.push_back(journal.records[i].fKm);
        return out;
    }
    std::vector<std::size_t> lineIndices() const {
        std::vector<std::size_t> out;
        for (int i = 0; i < journal.count(); ++i)
            out.push_back(journal.lines[i].index);
        return out;
    }
};

TEST_F(JournalFileTest, LoadSplitsLinesAndPassesOverWhatItCannotStore) {
    struct Case {
        std::string bytes;
        std::vector<double> readings;
        std::vector<std::size_t> lines;
        std::vector<std::size_t> skipped;
        bool leftUnloaded;
    };
    const Case cases[] = {
        {"", {}, {}, {}, false},
        {"06.12.26|84512|40|20.5|820\r\n", {84512}, {0}, {}, false},
        {record(1) + "\r\n" + record(2), {1, 2}, {0, 1}, {}, false},       // no final line end
        {record(1) + "\r" + record(2) + "\r", {1, 2}, {0, 1}, {}, false},  // lone CR ends a line
        {record(1) + "\n" + record(2) + "\r\n", {1}, {0}, {}, false},      // lone LF does not
        {"\r\n\r\n" + record(5) + "\r\n\r\n", {5}, {2}, {}, false},        // empty lines, silently
        {record(1) + "\r\n06.12.26|84512|40|20.5\r\njunk\r\n" + record(4),
         {1, 4},
         {0, 3},
         {2, 3},
         false},
        {records(0, 101) + "\r\n\r\n", std::vector<double>(), {}, {}, false},
        {records(0, 102), std::vector<double>(), {}, {}, true},
    };
    for (const auto& c : cases) {
        const auto r = loadBytes(c.bytes);
        ASSERT_EQ(r.status, LoadResult::Status::Loaded);
        if (c.bytes.size() > 1000) {
            EXPECT_EQ(journal.count(), 101);
            EXPECT_EQ(journal.records[100].fKm, 100);
        } else {
            EXPECT_EQ(readings(), c.readings) << c.bytes;
            EXPECT_EQ(lineIndices(), c.lines) << c.bytes;
        }
        EXPECT_EQ(r.skippedLines, c.skipped) << c.bytes;
        EXPECT_EQ(r.skippedCount, c.skipped.size()) << c.bytes;
        EXPECT_EQ(r.leftUnloaded, c.leftUnloaded) << c.bytes;
    }
}

TEST_F(JournalFileTest, LoadKeepsEachLinesExactBytes) {
    loadBytes("06.12.26|84512|40.50|20,5|820\r\n" + record(1) + "\n" + record(2) + "\r");
    ASSERT_EQ(journal.count(), 2);
    EXPECT_EQ(journal.lines[0], (LineRef{0, "06.12.26|84512|40.50|20,5|820"}));
    EXPECT_EQ(journal.lines[1], (LineRef{1, record(1) + "\n" + record(2)}));
}

TEST_F(JournalFileTest, LoadStopsAfterAThousandMalformedLines) {
    std::string bytes;
    for (int i = 0; i < 1001; ++i)
        bytes += "junk\r\n";
    const auto r = loadBytes(record(7) + "\r\n" + bytes + record(8) + "\r\n");
    EXPECT_EQ(readings(), std::vector<double>{7});
    EXPECT_EQ(r.skippedCount, 1000u);
    EXPECT_EQ(r.skippedLines, (std::vector<std::size_t>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_TRUE(r.leftUnloaded);
}

TEST_F(JournalFileTest, AnAbsentJournalLeavesTheTableAsItWas) {
    loadBytes(record(1) + "\r\n");
    std::filesystem::rename(path, folder.file("ZOLTREK.DAT"));
    EXPECT_EQ(file.load(journal).status, LoadResult::Status::Absent);
    std::filesystem::create_directory(path);
    EXPECT_EQ(file.load(journal).status, LoadResult::Status::Absent);
    EXPECT_EQ(readings(), std::vector<double>{1});
}

TEST_F(JournalFileTest, AppendAddsOneLineWithItsLineEnd) {
    struct Case {
        std::string before, after;
    };
    const std::string line = "06.12.26|84512|40|20.5|820";
    const Case cases[] = {
        {"", line + "\r\n"},
        {"a\r\n", "a\r\n" + line + "\r\n"},
        {"a", "a\r\n" + line + "\r\n"},  // the new line never glues onto the last one
        {"a\r", "a\r" + line + "\r\n"},
        {"a\n", "a\n\r\n" + line + "\r\n"},
    };
    for (const auto& c : cases) {
        writeBytes(path, c.before);
        EXPECT_FALSE(file.append(line));
        EXPECT_EQ(readBytes(path), c.after) << c.before;
    }
    std::filesystem::remove(path);
    EXPECT_FALSE(file.append(line));
    EXPECT_EQ(readBytes(path), line + "\r\n");
}

TEST_F(JournalFileTest, LineBreaksInANewLineAreRefused) {
    writeBytes(path, "a\r\n");
    loadBytes(record(1) + "\r\n");
    for (const char* bad : {"x\ry", "x\ny", "x\r\n"}) {
        EXPECT_EQ(file.append(bad).kind, JournalError::Kind::BadLine);
        EXPECT_EQ(file.replaceLine(journal.lines[0], bad).kind, JournalError::Kind::BadLine);
    }
    EXPECT_EQ(readBytes(path), record(1) + "\r\n");
}

TEST_F(JournalFileTest, EditAndDeleteTouchOnlyTheirLine) {
    struct Case {
        std::string before;
        int slot;
        const char* replacement;  // nullptr deletes
        std::string after;
    };
    const std::string a = record(1), b = record(2), c = record(3);
    const Case cases[] = {
        {a + "\r\n" + b + "\r\n" + c + "\r\n", 1, "NEW|2|2|2|2",
         a + "\r\nNEW|2|2|2|2\r\n" + c + "\r\n"},
        {a + "\r\n" + b + "\r\n", 0, nullptr, b + "\r\n"},                   // the first line
        {a + "\r\n" + b + "\r\n" + c, 2, nullptr, a + "\r\n" + b + "\r\n"},  // last, no line end
        {a + "\r\n" + b, 1, "X|9|9|9|9", a + "\r\nX|9|9|9|9"},
        {a + "\r" + b + "\r\n", 0, "X|9|9|9|9", "X|9|9|9|9\r" + b + "\r\n"},  // its own line end
        {a + "\r\n" + a + "\r\n" + a + "\r\n", 1, "X|9|9|9|9",
         a + "\r\nX|9|9|9|9\r\n" + a + "\r\n"},
        {a + "\r\n" + a + "\r\n", 1, nullptr, a + "\r\n"},
        {"junk\r\n\r\n" + a + "\r\n", 0, nullptr, "junk\r\n\r\n"},
        {a + "\n" + b + "\r\n" + c + "\r\n", 1, nullptr, a + "\n" + b + "\r\n"},
        {a + "\r\n", 0, nullptr, ""},
    };
    for (const auto& t : cases) {
        loadBytes(t.before);
        ASSERT_GT(journal.count(), t.slot) << t.before;
        const LineRef& line = journal.lines[t.slot];
        const JournalError error =
            t.replacement ? file.replaceLine(line, t.replacement) : file.removeLine(line);
        EXPECT_FALSE(error) << error.message();
        EXPECT_EQ(readBytes(path), t.after) << t.before;
    }
    // Nothing is left beside the journal.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(JournalFileTest, AFileChangedSinceTheLoadIsNotWritten) {
    const std::string a = record(1), b = record(2);
    const std::pair<std::string, std::string> changes[] = {
        {"another copy edited the line", a + "\r\n" + record(9) + "\r\n"},
        {"a line was inserted before it", record(0) + "\r\n" + a + "\r\n" + b + "\r\n"},
        {"the line was deleted", a + "\r\n"},
    };
    for (const auto& [what, changed] : changes) {
        loadBytes(a + "\r\n" + b + "\r\n");
        writeBytes(path, changed);
        EXPECT_EQ(file.replaceLine(journal.lines[1], "X|1|1|1|1").kind,
                  JournalError::Kind::ChangedOnDisk)
            << what;
        EXPECT_EQ(file.removeLine(journal.lines[1]).kind, JournalError::Kind::ChangedOnDisk)
            << what;
        EXPECT_EQ(readBytes(path), changed) << what;
    }
    loadBytes(a + "\r\n");
    std::filesystem::remove(path);
    EXPECT_EQ(file.removeLine(journal.lines[0]).kind, JournalError::Kind::ChangedOnDisk);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(JournalFileTest, ALineAddedByAnotherCopyAfterTheLoadIsKept) {
    loadBytes(record(1) + "\r\n");
    writeBytes(path, record(1) + "\r\n" + record(2) + "\r\n");
    EXPECT_FALSE(file.replaceLine(journal.lines[0], "X|1|1|1|1"));
    EXPECT_EQ(readBytes(path), "X|1|1|1|1\r\n" + record(2) + "\r\n");
}

TEST_F(JournalFileTest, RewriteKeepsTheModeAndReplacesTheTargetOfALink) {
    TempFolder elsewhere;
    const std::string target = elsewhere.file("car.log");
    writeBytes(target, record(1) + "\r\n" + record(2) + "\r\n");
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink(target, path);

    ASSERT_EQ(file.load(journal).status, LoadResult::Status::Loaded);
    EXPECT_FALSE(file.removeLine(journal.lines[0]));
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(readBytes(target), record(2) + "\r\n");
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_FALSE(file.append(record(3)));
    EXPECT_EQ(readBytes(target), record(2) + "\r\n" + record(3) + "\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(elsewhere.path()), {}), 1);
}

TEST_F(JournalFileTest, ATemporaryFileLeftByAKilledRunIsRemovedByTheNextWrite) {
    writeBytes(path, record(1) + "\r\n");
    writeBytes(folder.file(".zoltrek.dat.Ab3xYz"), "half of a rewr");
    writeBytes(folder.file(".zoltrek.dat.old"), "not ours");
    writeBytes(folder.file("zoltrek.dat.Ab3xYz"), "not ours either");
    EXPECT_FALSE(file.append(record(2)));
    EXPECT_FALSE(std::filesystem::exists(folder.file(".zoltrek.dat.Ab3xYz")));
    EXPECT_TRUE(std::filesystem::exists(folder.file(".zoltrek.dat.old")));
    EXPECT_TRUE(std::filesystem::exists(folder.file("zoltrek.dat.Ab3xYz")));
}

TEST_F(JournalFileTest, AJournalThatIsAFolderIsReportedAndLeftAlone) {
    std::filesystem::create_directory(path);
    const JournalError error = file.append(record(1));
    ASSERT_TRUE(error);
    EXPECT_NE(error.message().find(path), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(std::filesystem::is_empty(path));
}

// Fails the nth call (from 1) of one kind of system call with a given errno.
class FaultyOps : public FileOps {
  public:
    enum Call {
        Open,
        Write,
        Fdatasync,
        Fsync,
        Fchmod,
        Rename,
        Close,
        Flock,
        Read,
        Pread,
        Fstat,
        Lstat,
        RealPath,
        Unlink,
        Ftruncate,
    };
    FaultyOps(Call call, int nth, int err) : call_(call), nth_(nth), err_(err) {}

    int open(const char* p, int f, mode_t m) override {
        return fail(Open) ? -1 : FileOps::open(p, f, m);
    }
    ssize_t read(int fd, void* b, size_t n) override {
        return fail(Read) ? -1 : FileOps::read(fd, b, n);
    }
    ssize_t write(int fd, const void* b, size_t n) override {
        if (call_ == Write && count_[Write] + 1 == nth_ && n > 1) {
            ++count_[Write];
            return FileOps::write(fd, b, n / 2);  // a short write; the next one fails
        }
        return fail(Write) ? -1 : FileOps::write(fd, b, n);
    }
    int fdatasync(int fd) override { return fail(Fdatasync) ? -1 : FileOps::fdatasync(fd); }
    int fsync(int fd) override { return fail(Fsync) ? -1 : FileOps::fsync(fd); }
    int fchmod(int fd, mode_t m) override { return fail(Fchmod) ? -1 : FileOps::fchmod(fd, m); }
    int rename(const char* a, const char* b) override {
        return fail(Rename) ? -1 : FileOps::rename(a, b);
    }
    int close(int fd) override {
        const bool failing = fail(Close);
        FileOps::close(fd);  // the descriptor is gone whatever close says
        return failing ? -1 : 0;
    }
    int flock(int fd, int op) override { return fail(Flock) ? -1 : FileOps::flock(fd, op); }
    ssize_t pread(int fd, void* b, size_t n, off_t at) override {
        return fail(Pread) ? -1 : FileOps::pread(fd, b, n, at);
    }
    int fstat(int fd, struct stat* st) override {
        return fail(Fstat) ? -1 : FileOps::fstat(fd, st);
    }
    int lstat(const char* p, struct stat* st) override {
        return fail(Lstat) ? -1 : FileOps::lstat(p, st);
    }
    std::string realPath(const char* p) override {
        return fail(RealPath) ? std::string() : FileOps::realPath(p);
    }
    int unlink(const char* p) override { return fail(Unlink) ? -1 : FileOps::unlink(p); }
    int ftruncate(int fd, off_t n) override {
        return fail(Ftruncate) ? -1 : FileOps::ftruncate(fd, n);
    }

  private:
    // Each fault strikes once; a short write comes first and the write after it fails.
    bool fail(Call call) {
        if (call != call_ || ++count_[call] != nth_ + (call == Write ? 1 : 0))
            return false;
        errno = err_;
        return true;
    }
    Call call_;
    int nth_, err_;
    std::map<Call, int> count_;
};

TEST_F(JournalFileTest, EveryFailingCallLeavesTheOldBytes) {
    enum Op { Append, Edit, Delete };
    struct Case {
        Op op;
        FaultyOps::Call call;
        int nth;
        int err;
    };
    const Case cases[] = {
        {Append, FaultyOps::Open, 1, EACCES},  {Append, FaultyOps::Flock, 1, ENOLCK},
        {Append, FaultyOps::Open, 2, EACCES},  {Append, FaultyOps::Write, 1, ENOSPC},
        {Append, FaultyOps::Write, 1, EIO},    {Append, FaultyOps::Fdatasync, 1, EIO},
        {Edit, FaultyOps::Open, 2, EACCES},    {Edit, FaultyOps::Read, 1, EIO},
        {Edit, FaultyOps::Open, 3, EROFS},     {Edit, FaultyOps::Write, 1, ENOSPC},
        {Edit, FaultyOps::Write, 1, EDQUOT},   {Edit, FaultyOps::Fdatasync, 1, EIO},
        {Edit, FaultyOps::Fchmod, 1, EPERM},   {Edit, FaultyOps::Close, 2, EIO},
        {Edit, FaultyOps::Rename, 1, EACCES},  {Delete, FaultyOps::Write, 1, ENOSPC},
        {Delete, FaultyOps::Rename, 1, EBUSY}, {Delete, FaultyOps::Fdatasync, 1, EIO},
        {Append, FaultyOps::Pread, 1, EIO},    {Append, FaultyOps::Fstat, 1, EIO},
        {Edit, FaultyOps::Fstat, 1, EIO},
    };
    const std::string before =
        record(1) + "\r\n" + std::string(200000, 'x') + "|1|1|1|1\r\n" + record(3);
    for (const auto& c : cases) {
        loadBytes(before);
        FaultyOps ops(c.call, c.nth, c.err);
        JournalFile faulty(path, ops);
        const JournalError error = c.op == Append ? faulty.append(record(4))
                                   : c.op == Edit ? faulty.replaceLine(journal.lines[1], record(5))
                                                  : faulty.removeLine(journal.lines[1]);
        const std::string what =
            std::to_string(c.op) + "/" + std::to_string(c.call) + "/" + std::to_string(c.nth);
        EXPECT_EQ(error.kind, JournalError::Kind::System) << what;
        EXPECT_EQ(error.err, c.err) << what;
        EXPECT_FALSE(error.committed || error.damaged) << what << error.message();
        EXPECT_NE(error.message().find(path), std::string::npos) << what;
        EXPECT_NE(error.message().find(std::strerror(c.err)), std::string::npos) << what;
        EXPECT_TRUE(readBytes(path) == before) << what;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1) << what;
    }
}

TEST_F(JournalFileTest, AFailedFirstAppendLeavesNoFile) {
    FaultyOps ops(FaultyOps::Write, 1, ENOSPC);
    JournalFile faulty(path, ops);
    EXPECT_EQ(faulty.append(record(1)).err, ENOSPC);
    EXPECT_FALSE(std::filesystem::exists(path));
}

// A first append whose sync fails and whose created file cannot be removed must not claim
// that the journal is as it was: the line may be in it.
TEST_F(JournalFileTest, AFirstAppendThatCannotBeUndoneSaysSo) {
    struct SyncAndUnlinkFail : FileOps {
        int fdatasync(int) override { return errno = EIO, -1; }
        int unlink(const char*) override { return errno = EACCES, -1; }
    } ops;
    const JournalError error = JournalFile(path, ops).append(record(1));
    EXPECT_EQ(error.err, EIO);
    EXPECT_TRUE(error.damaged);
    EXPECT_EQ(error.message().find("не изменён"), std::string::npos) << error.message();
}

TEST_F(JournalFileTest, AFolderSyncFailingAfterTheRenameSaysTheChangeIsMade) {
    loadBytes(record(1) + "\r\n" + record(2) + "\r\n");
    FaultyOps ops(FaultyOps::Fsync, 1, EIO);
    JournalFile faulty(path, ops);
    const JournalError error = faulty.removeLine(journal.lines[0]);
    EXPECT_TRUE(error.committed);
    EXPECT_EQ(readBytes(path), record(2) + "\r\n");
}

TEST_F(JournalFileTest, AReadFailureLeavesTheTableAsItWas) {
    loadBytes(record(1) + "\r\n");
    writeBytes(path, record(2) + "\r\n");
    FaultyOps ops(FaultyOps::Read, 1, EIO);
    const LoadResult r = JournalFile(path, ops).load(journal);
    EXPECT_EQ(r.status, LoadResult::Status::Failed);
    EXPECT_EQ(r.error.err, EIO);
    EXPECT_EQ(readings(), std::vector<double>{1});
}

TEST_F(JournalFileTest, ALinkThatCannotBeFollowedIsNotReplacedByAFile) {
    TempFolder elsewhere;
    const std::string target = elsewhere.file("car.log");
    const std::string before = record(1) + "\r\n" + record(2) + "\r\n";
    writeBytes(target, before);
    std::filesystem::create_symlink(target, path);
    ASSERT_EQ(file.load(journal).status, LoadResult::Status::Loaded);
    FaultyOps ops(FaultyOps::RealPath, 1, EACCES);
    const JournalError error = JournalFile(path, ops).removeLine(journal.lines[0]);
    EXPECT_EQ(error.err, EACCES);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(readBytes(target), before);
}

TEST_F(JournalFileTest, AFailedFirstAppendThroughADanglingLinkKeepsTheLink) {
    TempFolder elsewhere;
    const std::string target = elsewhere.file("car.log");
    std::filesystem::create_symlink(target, path);
    FaultyOps ops(FaultyOps::Write, 1, ENOSPC);
    EXPECT_EQ(JournalFile(path, ops).append(record(1)).err, ENOSPC);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_FALSE(file.append(record(1)));
    EXPECT_EQ(readBytes(target), record(1) + "\r\n");
}

TEST_F(JournalFileTest, AFolderSyncFailingAfterAFirstAppendSaysTheLineIsWritten) {
    FaultyOps ops(FaultyOps::Fsync, 1, EIO);
    const JournalError error = JournalFile(path, ops).append(record(1));
    EXPECT_EQ(error.err, EIO);
    EXPECT_TRUE(error.committed);
    EXPECT_EQ(readBytes(path), record(1) + "\r\n");
}

TEST_F(JournalFileTest, AnAppendThatCannotBeUndoneSaysSo) {
    const std::string before = record(1) + "\r\n";
    writeBytes(path, before);
    // Every sync fails, and so does the truncation that would take the line back.
    struct FailingSync : FaultyOps {
        using FaultyOps::FaultyOps;
        int fdatasync(int) override { return errno = EIO, -1; }
    } failing(FaultyOps::Ftruncate, 1, EIO);
    const JournalError error = JournalFile(path, failing).append(record(2));
    EXPECT_EQ(error.err, EIO);
    EXPECT_TRUE(error.damaged);
    EXPECT_NE(error.message().find("недописанным"), std::string::npos);
}

}  // namespace
}  // namespace zoltrek
