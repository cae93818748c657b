#include "journalfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <tuple>

#include "tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
using namespace std::string_literals;
namespace fs = std::filesystem;
using Kind = JournalError::Kind;
constexpr auto npos = std::string::npos;

std::string record(int km) {
    return "d|" + std::to_string(km) + "|1|1|1";
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
    ssize_t write(int fd, const void* b, size_t n) override {
        if (call_ == "write" && count_["write"] + 1 == nth_ && n > 1)
            return ++count_["write"], S::write(fd, b, n / 2);
        return hit("write") ? -1 : S::write(fd, b, n);
    }
    int fstat(int fd, struct stat* st) override { return hit("fstat") ? -1 : S::fstat(fd, st); }
    int fdatasync(int fd) override { return hit("fdatasync") ? -1 : S::fdatasync(fd); }
    int fsync(int fd) override { return hit("fsync") ? -1 : S::fsync(fd); }
    int fchmod(int fd, mode_t m) override { return hit("fchmod") ? -1 : S::fchmod(fd, m); }
    int flock(int fd, int op) override { return hit("flock") ? -1 : S::flock(fd, op); }
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

// The reasons a user meets, said in Russian; the system's own words for the rest.
std::string reasonInRussian(int err) {
    const std::map<int, std::string> said = {
        {ENOSPC, "на диске нет места"}, {EACCES, "нет прав доступа"}, {EPERM, "нет прав доступа"},
        {EIO, "ошибка ввода-вывода"},   {EROFS, "только для чтения"},
    };
    return said.contains(err) ? said.at(err) : std::strerror(err);
}

class JournalFileTest : public ::testing::Test {
  protected:
    TempFolder folder, elsewhere;
    std::string path = folder.file("zoltrek.dat"), target = elsewhere.file("car.log");
    JournalFile file{path};
    Journal journal;

    void loadBytes(const std::string& bytes) {
        writeBytes(path, bytes);
        file.load(journal);
    }
    // Files beside the journal or its link's target whose names start with a dot.
    long temporaries() const {
        long count = 0;
        for (const TempFolder* f : {&folder, &elsewhere})
            for (const auto& entry : fs::directory_iterator(f->path()))
                count += entry.path().filename().string()[0] == '.' ? 1 : 0;
        return count;
    }
};

// An append adds one line with its line end, never glued onto the last one; an edit or a
// delete touches only its own line and leaves nothing beside the journal.
TEST_F(JournalFileTest, EachWriteChangesOnlyItsLine) {
    struct Case {
        std::string before;
        int slot;                 // -1 appends
        const char* replacement;  // nullptr deletes
        std::string after;
    };
    const std::string a = record(1), b = record(2), c = record(3), x = "X|9|9|9|9";
    const std::string A = a + "\r\n", B = b + "\r\n", C = c + "\r\n", X = x + "\r\n";
    const Case cases[] = {
        {"", -1, x.c_str(), X},
        {A, -1, x.c_str(), A + X},
        {a, -1, x.c_str(), A + X},
        {a + "\r", -1, x.c_str(), a + "\r" + X},
        {a + "\n", -1, x.c_str(), a + "\n" + X},
        {A + B + C, 1, x.c_str(), A + X + C},
        {A + B, 0, nullptr, B},          // the first line
        {A + B + c, 2, nullptr, A + B},  // the last, without a line end
        {A + b, 1, x.c_str(), A + x},
        {a + "\r" + B, 0, x.c_str(), x + "\r" + B},  // its own line end
        {A + A + A, 1, x.c_str(), A + X + A},
        {"junk\r\n\r\n" + A, 0, nullptr, "junk\r\n\r\n"},
        {"x\0y|1|1|1|1\r\n"s + A, 1, nullptr, "x\0y|1|1|1|1\r\n"s},  // a NUL byte stays
        {A, 0, nullptr, ""},
        // Written on Linux, on an old Mac, or both: each line keeps its own end.
        {a + "\n" + b + "\n" + c + "\n", 1, x.c_str(), a + "\n" + x + "\n" + c + "\n"},
        {a + "\n" + b + "\n" + c + "\n", 0, nullptr, b + "\n" + c + "\n"},
        {a + "\n" + b + "\n" + c + "\n", 2, nullptr, a + "\n" + b + "\n"},
        {a + "\n\n" + b + "\n", 1, nullptr, a + "\n\n"},
        {a + "\r" + b + "\r" + c, 2, x.c_str(), a + "\r" + b + "\r" + x},
        {a + "\r" + b + "\r" + c, 1, nullptr, a + "\r" + c},
        {A + b + "\n" + c + "\r" + x, 2, x.c_str(), A + b + "\n" + x + "\r" + x},
        {A + b + "\n" + c + "\r" + x, 1, nullptr, A + c + "\r" + x},
        {a + "\n\r" + b, 1, x.c_str(), a + "\n\r" + x},  // LF, then an empty line
        {A + b + "\n", -1, x.c_str(), A + b + "\n" + X},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.before);
        loadBytes(t.before);
        writeBytes(folder.file(".zoltrek.dat.Kil1ed"), "half a rewr");  // a killed run's
        ASSERT_EQ(journal.count(), std::count(t.before.begin(), t.before.end(), '|') / 4);
        const JournalError error = t.slot < 0 ? file.append(t.replacement)
                                   : t.replacement
                                       ? file.replaceLine(journal.lines[t.slot], t.replacement)
                                       : file.removeLine(journal.lines[t.slot]);
        EXPECT_FALSE(error) << error.message();
        EXPECT_TRUE(readBytes(path) == t.after) << readBytes(path);
        EXPECT_EQ(temporaries(), 0);
    }
    loadBytes(A);
    for (const char* bad : {"x\ry", "x\ny"}) {
        EXPECT_EQ(file.append(bad).kind, Kind::BadLine);
        EXPECT_EQ(file.replaceLine(journal.lines[0], bad).kind, Kind::BadLine);
    }
    EXPECT_EQ(readBytes(path), A);
}

// Another copy edited the line, inserted one before it (the line is followed there), copied
// it, deleted it, or the file is gone.
TEST_F(JournalFileTest, AFileChangedSinceTheLoadIsNotWritten) {
    const std::string A = record(1) + "\r\n", B = record(2) + "\r\n", O = record(0) + "\r\n";
    const std::pair<std::optional<std::string>, std::optional<std::size_t>> changes[] = {
        {A + record(9) + "\r\n", std::nullopt},
        {O + A + B, 2},
        {B + O + A + B, std::nullopt},
        {A, std::nullopt},
        {std::nullopt, std::nullopt}};
    for (const auto& [changed, movedTo] : changes) {
        SCOPED_TRACE(changed.value_or("(removed)"));
        loadBytes(A + B);
        if (changed)
            writeBytes(path, *changed);
        else
            fs::remove(path);
        for (const JournalError& error :
             {file.replaceLine(journal.lines[1], "X|1|1|1|1"), file.removeLine(journal.lines[1])}) {
            EXPECT_EQ(error.kind, Kind::ChangedOnDisk);
            EXPECT_EQ(error.movedTo, movedTo);
            EXPECT_NE(error.message().find(movedTo ? "теперь в строке 3" : "больше нет"), npos)
                << error.message();
        }
        EXPECT_EQ(fs::exists(path) ? readBytes(path) : "(removed)", changed.value_or("(removed)"));
    }
}

// A new fill-up is checked against the file as it stands under the lock, not the table an
// earlier load gave: another copy may have added lines since.
TEST_F(JournalFileTest, ANewFillUpMustShowAndMustNotRepeatAReading) {
    const std::string full = [] {
        std::string text;
        for (int km = 1; km <= Journal::kSlots; ++km)
            text += record(km) + "\r\n";
        return text;
    }();
    const std::string hundred = full.substr(0, full.rfind("d|"));
    std::string junk;
    for (std::size_t i = 0; i <= JournalFile::kMaxSkipped; ++i)
        junk += "junk\r\n";
    const std::tuple<std::string, const char*, Kind, const char*> cases[] = {
        {hundred, "500", Kind::None, ""},
        {full, "500", Kind::Full, "вмещает не больше 101 заправки"},
        {record(1) + "\r\n" + junk, "500", Kind::Unloaded, "загружен не полностью"},
        {hundred, "5 0", Kind::Duplicate, "Данные об этой заправке были введены ранее!"},
        {"", "500", Kind::None, ""},
    };
    for (const auto& [before, reading, kind, told] : cases) {
        SCOPED_TRACE(reading + std::to_string(before.size()));
        writeBytes(path, before);
        const JournalError error = file.add("n|500|1|1|1", reading);
        EXPECT_EQ(error.kind, kind);
        EXPECT_NE(error.message().find(told), npos) << error.message();
        EXPECT_EQ(readBytes(path), before + (kind == Kind::None ? "n|500|1|1|1\r\n" : ""));
    }
}

// Another copy holds the lock on the folder where the file itself lies, reached here through a
// link: every write waits a bounded time, then says the journal is busy and changes nothing.
TEST_F(JournalFileTest, AWriteWaitsForTheLockOnTheFilesOwnFolderThenGivesUp) {
    writeBytes(target, record(1) + "\r\n");
    fs::create_symlink(target, path);
    ASSERT_EQ(file.load(journal).status, LoadResult::Status::Loaded);
    const int other = ::open(elsewhere.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    file.setLockWait(std::chrono::milliseconds(50));
    for (const JournalError& error :
         {file.append(record(2)), file.add(record(2), "2"),
          file.replaceLine(journal.lines[0], record(3)), file.removeLine(journal.lines[0])}) {
        EXPECT_EQ(error.kind, Kind::Busy);
        EXPECT_NE(error.message().find("другая копия"), npos) << error.message();
    }
    ::close(other);
    EXPECT_EQ(readBytes(target), record(1) + "\r\n");
    EXPECT_FALSE(file.append(record(2)));
}

TEST_F(JournalFileTest, RewriteKeepsTheModeAndReplacesTheTargetOfALink) {
    writeBytes(target, record(1) + "\r\n" + record(2) + "\r\n");
    ::chmod(target.c_str(), 0640);
    fs::create_symlink(target, path);
    ASSERT_EQ(file.load(journal).status, LoadResult::Status::Loaded);
    EXPECT_FALSE(file.removeLine(journal.lines[0]));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readBytes(target), record(2) + "\r\n");
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
    EXPECT_FALSE(file.append(record(3)));
    EXPECT_EQ(readBytes(target), record(2) + "\r\n" + record(3) + "\r\n");
    EXPECT_EQ(temporaries(), 0);
}

// A killed run's ".zoltrek.dat.XXXXXX" goes before every write (the table above plants one);
// names like it stay.
TEST_F(JournalFileTest, FilesNamedLikeATemporaryFileStay) {
    for (const char* name : {".zoltrek.dat.old", "zoltrek.dat.Ab3xYz"})
        writeBytes(folder.file(name), "mine");
    EXPECT_FALSE(file.append(record(2)));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 3);
}

// A program that ignores the lock adds a line while the rewrite copies the file: the copy would
// be a mixture of old and new, so it does not replace the journal.
TEST_F(JournalFileTest, AFileChangedWhileCopiedIsNotReplaced) {
    struct Meddler : FileOps {
        std::string path;
        ssize_t pread(int fd, void* buf, size_t count, off_t offset) override {
            std::ofstream(path, std::ios::binary | std::ios::app) << "m|1|1|1|1\r\n";
            return FileOps::pread(fd, buf, count, offset);
        }
    } meddler;
    meddler.path = path;
    loadBytes(record(1) + "\r\n" + record(2) + "\r\n");
    EXPECT_EQ(JournalFile(path, meddler).removeLine(journal.lines[1]).kind, Kind::ChangedOnDisk);
    EXPECT_EQ(readBytes(path), record(1) + "\r\n" + record(2) + "\r\nm|1|1|1|1\r\n");
    EXPECT_EQ(temporaries(), 0);
}

// Faults libfiu cannot make (the lock, fstat, fchmod, realpath, the nth open or close, a write
// cut short), and failures around a new file, a link or the commit: the error says whether the
// journal holds its old text, the new one, or maybe neither, and the next write works.
TEST_F(JournalFileTest, EveryFailureSaysWhatTheJournalHolds) {
    enum Start { TwoLines, NoFile, Link, DanglingLink };
    enum Op { Append, Edit, Delete };
    enum Says { Unchanged, Committed, Damaged };
    struct Case {
        Start start;
        Op op;
        FaultyOps ops;
        int err;
        Says says;
    };
    using F = FaultyOps;
    const Case cases[] = {
        {TwoLines, Append, F("flock", 1, ENOLCK), ENOLCK, Unchanged},
        {TwoLines, Append, F("open", 2, EACCES), EACCES, Unchanged},  // the journal's
        {TwoLines, Append, F("fstat", 1, EIO), EIO, Unchanged},
        {TwoLines, Append, F("write", 1, ENOSPC), ENOSPC, Unchanged},
        {TwoLines, Edit, F("open", 2, EACCES), EACCES, Unchanged},
        {TwoLines, Edit, F("open", 3, EROFS), EROFS, Unchanged},  // the temporary file's
        {TwoLines, Edit, F("fchmod", 1, EPERM), EPERM, Unchanged},
        {TwoLines, Edit, F("close", 1, EIO), EIO, Unchanged},          // the temporary file's
        {TwoLines, Delete, F("fsync", 1, EIO), EIO, Committed},        // the folder's
        {NoFile, Append, F("unlink", 1, EACCES, true), EIO, Damaged},  // the sync and its undo
        {Link, Delete, F("realPath", 1, EACCES), EACCES, Unchanged},
        {DanglingLink, Append, F("write", 1, ENOSPC), ENOSPC, Unchanged},
    };
    const std::string two = record(1) + "\r\n" + record(2) + "\r\n";
    const std::string afterOp[] = {two + record(9) + "\r\n",
                                   record(9) + "\r\n" + record(2) + "\r\n", record(2) + "\r\n"};
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
            ASSERT_EQ(file.load(journal).status, LoadResult::Status::Loaded);
        }
        FaultyOps ops = c.ops;
        JournalFile faulty(path, ops);
        const JournalError error = c.op == Append ? faulty.append(record(9))
                                   : c.op == Edit ? faulty.replaceLine(journal.lines[0], record(9))
                                                  : faulty.removeLine(journal.lines[0]);
        EXPECT_EQ(error.kind, Kind::System);
        EXPECT_EQ(error.err, c.err);
        EXPECT_EQ(error.committed, c.says == Committed);
        EXPECT_EQ(error.damaged, c.says == Damaged);
        const std::string text = error.message();
        EXPECT_NE(text.find(path), npos) << text;
        EXPECT_NE(text.find(reasonInRussian(c.err)), npos) << text;
        EXPECT_EQ(text.find("не изменён") != npos, c.says == Unchanged) << text;
        EXPECT_EQ(text.find("недописанным") != npos, c.says == Damaged) << text;
        EXPECT_EQ(fs::is_symlink(path), linked);
        EXPECT_EQ(temporaries(), 0);
        const std::string now = fs::exists(journalPath) ? readBytes(journalPath) : "(none)";
        if (c.says != Damaged) {
            const std::string after = hasFile ? afterOp[c.op] : record(9) + "\r\n";
            EXPECT_EQ(now, c.says == Committed ? after : hasFile ? two : "(none)");
        }
        EXPECT_FALSE(file.append(record(7)));
        EXPECT_EQ(readBytes(journalPath), (now == "(none)" ? "" : now) + record(7) + "\r\n");
    }
}

TEST(OurTexts, TheNounAgreesWithItsNumber) {
    const std::pair<int, const char*> cases[] = {
        {1, "заправки"},  {2, "заправок"},   {5, "заправок"},   {11, "заправок"},
        {21, "заправки"}, {101, "заправки"}, {111, "заправок"}, {112, "заправок"},
    };
    for (const auto& [count, noun] : cases)
        EXPECT_EQ(atMostFillUps(count), "не больше " + std::to_string(count) + " " + noun);
}

}  // namespace
}  // namespace zoltrek
