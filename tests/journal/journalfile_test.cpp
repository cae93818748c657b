#include "journalfile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
namespace fs = std::filesystem;
using Status = LoadResult::Status;
using Kind = JournalError::Kind;

std::string record(int km) {
    return "d|" + std::to_string(km) + "|1|1|1";
}

std::string records(int from, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += record(from + i) + "\r\n";
    return text;
}

template <typename T>
std::vector<T> upTo(int count) {
    std::vector<T> out;
    for (int i = 0; i < count; ++i)
        out.push_back(static_cast<T>(i));
    return out;
}

long entriesIn(const std::string& folder) {
    return std::distance(fs::directory_iterator(folder), {});
}

// Fails the nth call (from 1) of one kind of system call with a given errno, once; a write is
// first cut short and the one after it fails. With everySync, every fdatasync fails with EIO.
class FaultyOps : public FileOps {
    using S = FileOps;

  public:
    FaultyOps(std::string call, int nth, int err, bool everySync = false)
        : call_(std::move(call)), nth_(nth), err_(err), everySync_(everySync) {}

    int open(const char* p, int f, mode_t m) override {
        return hit("open") ? -1 : S::open(p, f, m);
    }
    ssize_t read(int fd, void* b, size_t n) override {
        return hit("read") ? -1 : S::read(fd, b, n);
    }
    ssize_t pread(int fd, void* b, size_t n, off_t at) override {
        return hit("pread") ? -1 : S::pread(fd, b, n, at);
    }
    ssize_t write(int fd, const void* b, size_t n) override {
        if (call_ == "write" && count_["write"] + 1 == nth_ && n > 1)
            return ++count_["write"], S::write(fd, b, n / 2);
        return hit("write") ? -1 : S::write(fd, b, n);
    }
    int fstat(int fd, struct stat* st) override { return hit("fstat") ? -1 : S::fstat(fd, st); }
    int fdatasync(int fd) override { return hit("fdatasync") ? -1 : S::fdatasync(fd); }
    int fsync(int fd) override { return hit("fsync") ? -1 : S::fsync(fd); }
    int ftruncate(int fd, off_t n) override { return hit("ftruncate") ? -1 : S::ftruncate(fd, n); }
    int fchmod(int fd, mode_t m) override { return hit("fchmod") ? -1 : S::fchmod(fd, m); }
    int flock(int fd, int op) override { return hit("flock") ? -1 : S::flock(fd, op); }
    int rename(const char* a, const char* b) override {
        return hit("rename") ? -1 : S::rename(a, b);
    }
    int unlink(const char* p) override { return hit("unlink") ? -1 : S::unlink(p); }
    int close(int fd) override {
        const int result = S::close(fd);  // the descriptor is gone whatever close says
        return hit("close") ? -1 : result;
    }
    std::string realPath(const char* p) override { return hit("realPath") ? "" : S::realPath(p); }

  private:
    bool hit(const std::string& call) {
        if (everySync_ && call == "fdatasync")
            return errno = EIO, true;
        if (call != call_ || ++count_[call] != nth_ + (call == "write" ? 1 : 0))
            return false;
        errno = err_;
        return true;
    }
    std::string call_;
    int nth_, err_;
    bool everySync_;
    std::map<std::string, int> count_;
};

class JournalFileTest : public ::testing::Test {
  protected:
    TempFolder folder, elsewhere;
    std::string path = folder.file("zoltrek.dat"), target = elsewhere.file("car.log");
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
};

TEST_F(JournalFileTest, LoadSplitsLinesAndPassesOverWhatItCannotStore) {
    struct Case {
        std::string bytes;
        std::vector<double> readings;
        std::vector<std::size_t> lines;
        std::vector<std::size_t> skipped;
        bool leftUnloaded;
    };
    const std::string twoBad = record(1) + "\r\n06.12.26|84512|40|20.5\r\njunk\r\n" + record(4);
    const Case cases[] = {
        {"", {}, {}, {}, false},
        {"06.12.26|84512|40|20.5|820\r\n", {84512}, {0}, {}, false},
        {record(1) + "\r\n" + record(2), {1, 2}, {0, 1}, {}, false},       // no final line end
        {record(1) + "\r" + record(2) + "\r", {1, 2}, {0, 1}, {}, false},  // lone CR ends a line
        {record(1) + "\n" + record(2) + "\r\n", {1}, {0}, {}, false},      // lone LF does not
        {"\r\n\r\n" + record(5) + "\r\n\r\n", {5}, {2}, {}, false},        // empty lines, silently
        {twoBad, {1, 4}, {0, 3}, {2, 3}, false},
        {records(0, 101) + "\r\n\r\n", upTo<double>(101), upTo<std::size_t>(101), {}, false},
        {records(0, 102), upTo<double>(101), upTo<std::size_t>(101), {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 100));
        const auto r = loadBytes(c.bytes);
        ASSERT_EQ(r.status, Status::Loaded);
        EXPECT_EQ(readings(), c.readings);
        std::vector<std::size_t> lines;
        for (int i = 0; i < journal.count(); ++i)
            lines.push_back(journal.lines[i].index);
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(r.skippedLines, c.skipped);
        EXPECT_EQ(r.skippedCount, c.skipped.size());
        EXPECT_EQ(r.leftUnloaded, c.leftUnloaded);
    }
    // Each line keeps its exact bytes.
    loadBytes("06.12.26|84512|40.50|20,5|820\r\n" + record(1) + "\n" + record(2) + "\r");
    ASSERT_EQ(journal.count(), 2);
    EXPECT_EQ(journal.lines[0], (LineRef{0, "06.12.26|84512|40.50|20,5|820"}));
    EXPECT_EQ(journal.lines[1], (LineRef{1, record(1) + "\n" + record(2)}));
}

TEST_F(JournalFileTest, AnAbsentOrUnreadableJournalLeavesTheTableAsItWas) {
    loadBytes(record(1) + "\r\n");
    fs::rename(path, folder.file("ZOLTREK.DAT"));
    EXPECT_EQ(file.load(journal).status, Status::Absent);
    fs::create_directory(path);
    EXPECT_EQ(file.load(journal).status, Status::Absent);
    fs::remove(path);
    writeBytes(path, record(2) + "\r\n");
    FaultyOps ops("read", 1, EIO);
    const LoadResult r = JournalFile(path, ops).load(journal);
    EXPECT_EQ(r.status, Status::Failed);
    EXPECT_EQ(r.error.err, EIO);
    EXPECT_EQ(readings(), std::vector<double>{1});
}

TEST_F(JournalFileTest, AppendAddsOneLineWithItsLineEnd) {
    const std::string line = "06.12.26|84512|40|20.5|820";
    const std::pair<std::string, std::string> cases[] = {
        {"", line + "\r\n"},
        {"a\r\n", "a\r\n" + line + "\r\n"},
        {"a", "a\r\n" + line + "\r\n"},  // the new line never glues onto the last one
        {"a\r", "a\r" + line + "\r\n"},
        {"a\n", "a\n\r\n" + line + "\r\n"},
    };
    for (const auto& [before, after] : cases) {
        writeBytes(path, before);
        EXPECT_FALSE(file.append(line));
        EXPECT_EQ(readBytes(path), after) << before;
    }
    fs::remove(path);
    EXPECT_FALSE(file.append(line));
    EXPECT_EQ(readBytes(path), line + "\r\n");
}

TEST_F(JournalFileTest, LineBreaksInANewLineAreRefused) {
    loadBytes(record(1) + "\r\n");
    for (const char* bad : {"x\ry", "x\ny", "x\r\n"}) {
        EXPECT_EQ(file.append(bad).kind, Kind::BadLine);
        EXPECT_EQ(file.replaceLine(journal.lines[0], bad).kind, Kind::BadLine);
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
    const std::string a = record(1), b = record(2), c = record(3), x = "X|9|9|9|9";
    const std::string A = a + "\r\n", B = b + "\r\n", C = c + "\r\n", X = x + "\r\n";
    const Case cases[] = {
        {A + B + C, 1, x.c_str(), A + X + C},
        {A + B, 0, nullptr, B},          // the first line
        {A + B + c, 2, nullptr, A + B},  // the last, without a line end
        {A + b, 1, x.c_str(), A + x},
        {a + "\r" + B, 0, x.c_str(), x + "\r" + B},  // its own line end
        {A + A + A, 1, x.c_str(), A + X + A},
        {A + A, 1, nullptr, A},
        {"junk\r\n\r\n" + A, 0, nullptr, "junk\r\n\r\n"},
        {a + "\n" + B + C, 1, nullptr, a + "\n" + B},
        {A, 0, nullptr, ""},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.before);
        loadBytes(t.before);
        ASSERT_GT(journal.count(), t.slot);
        const LineRef& line = journal.lines[t.slot];
        const JournalError error =
            t.replacement ? file.replaceLine(line, t.replacement) : file.removeLine(line);
        EXPECT_FALSE(error) << error.message();
        EXPECT_EQ(readBytes(path), t.after);
    }
    EXPECT_EQ(entriesIn(folder.path()), 1);  // nothing is left beside the journal
}

TEST_F(JournalFileTest, AFileChangedSinceTheLoadIsNotWritten) {
    const std::string A = record(1) + "\r\n", B = record(2) + "\r\n";
    const std::pair<std::string, std::string> changes[] = {
        {"another copy edited the line", A + record(9) + "\r\n"},
        {"a line was inserted before it", record(0) + "\r\n" + A + B},
        {"the line was deleted", A},
    };
    for (const auto& [what, changed] : changes) {
        SCOPED_TRACE(what);
        loadBytes(A + B);
        writeBytes(path, changed);
        EXPECT_EQ(file.replaceLine(journal.lines[1], "X|1|1|1|1").kind, Kind::ChangedOnDisk);
        EXPECT_EQ(file.removeLine(journal.lines[1]).kind, Kind::ChangedOnDisk);
        EXPECT_EQ(readBytes(path), changed);
    }
    loadBytes(A);
    fs::remove(path);
    EXPECT_EQ(file.removeLine(journal.lines[0]).kind, Kind::ChangedOnDisk);
    EXPECT_FALSE(fs::exists(path));
    // A line another copy added after the load is kept.
    loadBytes(A);
    writeBytes(path, A + B);
    EXPECT_FALSE(file.replaceLine(journal.lines[0], "X|1|1|1|1"));
    EXPECT_EQ(readBytes(path), "X|1|1|1|1\r\n" + B);
}

TEST_F(JournalFileTest, RewriteKeepsTheModeAndReplacesTheTargetOfALink) {
    writeBytes(target, record(1) + "\r\n" + record(2) + "\r\n");
    ::chmod(target.c_str(), 0640);
    fs::create_symlink(target, path);
    ASSERT_EQ(file.load(journal).status, Status::Loaded);
    EXPECT_FALSE(file.removeLine(journal.lines[0]));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readBytes(target), record(2) + "\r\n");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_FALSE(file.append(record(3)));
    EXPECT_EQ(readBytes(target), record(2) + "\r\n" + record(3) + "\r\n");
    EXPECT_EQ(entriesIn(elsewhere.path()), 1);
}

TEST_F(JournalFileTest, ATemporaryFileLeftByAKilledRunIsRemovedByTheNextWrite) {
    writeBytes(path, record(1) + "\r\n");
    const char* const names[] = {".zoltrek.dat.Ab3xYz", ".zoltrek.dat.old", "zoltrek.dat.Ab3xYz"};
    for (const char* name : names)
        writeBytes(folder.file(name), "half of a rewr");
    EXPECT_FALSE(file.append(record(2)));
    EXPECT_FALSE(fs::exists(folder.file(names[0])));
    EXPECT_TRUE(fs::exists(folder.file(names[1])));  // not ours
    EXPECT_TRUE(fs::exists(folder.file(names[2])));
}

TEST_F(JournalFileTest, EveryFailingCallLeavesTheOldBytes) {
    enum Op { Append, Edit, Delete };
    struct Case {
        Op op;
        const char* call;
        int nth, err;
    };
    const Case cases[] = {
        {Append, "open", 1, EACCES},  {Append, "flock", 1, ENOLCK}, {Append, "open", 2, EACCES},
        {Append, "write", 1, ENOSPC}, {Append, "write", 1, EIO},    {Append, "fdatasync", 1, EIO},
        {Edit, "open", 2, EACCES},    {Edit, "read", 1, EIO},       {Edit, "open", 3, EROFS},
        {Edit, "write", 1, ENOSPC},   {Edit, "write", 1, EDQUOT},   {Edit, "fdatasync", 1, EIO},
        {Edit, "fchmod", 1, EPERM},   {Edit, "close", 2, EIO},      {Edit, "rename", 1, EACCES},
        {Delete, "write", 1, ENOSPC}, {Delete, "rename", 1, EBUSY}, {Delete, "fdatasync", 1, EIO},
        {Append, "pread", 1, EIO},    {Append, "fstat", 1, EIO},    {Edit, "fstat", 1, EIO},
    };
    const std::string before =
        record(1) + "\r\n" + std::string(200000, 'x') + "|1|1|1|1\r\n" + record(3);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.op) + " " + c.call + " #" + std::to_string(c.nth));
        loadBytes(before);
        FaultyOps ops(c.call, c.nth, c.err);
        JournalFile faulty(path, ops);
        const JournalError error = c.op == Append ? faulty.append(record(4))
                                   : c.op == Edit ? faulty.replaceLine(journal.lines[1], record(5))
                                                  : faulty.removeLine(journal.lines[1]);
        EXPECT_EQ(error.kind, Kind::System);
        EXPECT_EQ(error.err, c.err);
        EXPECT_FALSE(error.committed || error.damaged) << error.message();
        EXPECT_NE(error.message().find(path), std::string::npos);
        EXPECT_NE(error.message().find(std::strerror(c.err)), std::string::npos);
        EXPECT_TRUE(readBytes(path) == before);
        EXPECT_EQ(entriesIn(folder.path()), 1);
    }
}

// Where the old bytes cannot simply stay (no file yet, a link, a failure after the change),
// the error says whether the change is made or the file may be damaged, and the next write works.
TEST_F(JournalFileTest, FailuresAroundANewFileALinkOrTheCommitSayWhatTheJournalHolds) {
    enum Start { NoFile, TwoLines, Link, DanglingLink };
    enum Says { Unchanged, Committed, Damaged };  // and the journal holds the old, the new, any
    struct Case {
        Start start;
        bool remove;  // the first line; otherwise an append
        FaultyOps ops;
        int err;
        Says says;
    };
    using F = FaultyOps;
    const Case cases[] = {
        {NoFile, false, F("write", 1, ENOSPC), ENOSPC, Unchanged},
        {NoFile, false, F("unlink", 1, EACCES, true), EIO, Damaged},  // the sync and its undo
        {NoFile, false, F("fsync", 1, EIO), EIO, Committed},          // the folder's
        {TwoLines, true, F("fsync", 1, EIO), EIO, Committed},
        {TwoLines, false, F("ftruncate", 1, EIO, true), EIO, Damaged},
        {Link, true, F("realPath", 1, EACCES), EACCES, Unchanged},
        {DanglingLink, false, F("write", 1, ENOSPC), ENOSPC, Unchanged},
    };
    const std::string two = record(1) + "\r\n" + record(2) + "\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE("row " + std::to_string(&c - cases));
        fs::remove(path);
        fs::remove(target);
        const bool linked = c.start == Link || c.start == DanglingLink;
        const bool hasFile = c.start == TwoLines || c.start == Link;
        const std::string& journalPath = linked ? target : path;
        if (linked)
            fs::create_symlink(target, path);
        if (hasFile) {
            writeBytes(journalPath, two);
            ASSERT_EQ(file.load(journal).status, Status::Loaded);
        }
        FaultyOps ops = c.ops;
        JournalFile faulty(path, ops);
        const JournalError error =
            c.remove ? faulty.removeLine(journal.lines[0]) : faulty.append(record(9));
        EXPECT_EQ(error.err, c.err);
        EXPECT_EQ(error.committed, c.says == Committed);
        EXPECT_EQ(error.damaged, c.says == Damaged);
        const std::string text = error.message();
        EXPECT_EQ(text.find("не изменён") != std::string::npos, c.says == Unchanged) << text;
        EXPECT_EQ(text.find("недописанным") != std::string::npos, c.says == Damaged) << text;
        EXPECT_EQ(fs::is_symlink(path), linked);
        const std::string before = hasFile ? two : "(none)";
        const std::string after =
            c.remove ? record(2) + "\r\n" : (hasFile ? two : "") + record(9) + "\r\n";
        const std::string now = fs::exists(journalPath) ? readBytes(journalPath) : "(none)";
        if (c.says != Damaged) {
            EXPECT_EQ(now, c.says == Committed ? after : before);
        }
        EXPECT_FALSE(file.append(record(7)));
        EXPECT_EQ(readBytes(journalPath), (now == "(none)" ? "" : now) + record(7) + "\r\n");
    }
}

}  // namespace
}  // namespace zoltrek
