// The journal file: its lines, its load, its writes and their failures, two copies at once.
#include "journal/journalfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>

#include "entry/entryrules.h"
#include "journal/lines.h"
#include "support/journaltext.h"
#include "support/tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
using namespace std::string_literals;
namespace fs = std::filesystem;
using Kind = JournalError::Kind;

// The dialog's own refusals of a new fill-up, on the file as it stands under the lock.
JournalFile::AddCheck newFillUp(const std::string& reading) {
    return [reading](const Journal& now, bool partly) {
        return saveRefusal(Save::New, lineFields("d|" + reading + "|1|1|1"), &now, partly);
    };
}

// Each line as " text@begin,textEnd,next", "#" for a text too long to keep.
std::string split(std::string_view bytes, std::size_t piece, std::size_t stopAfter) {
    std::ostringstream lines;
    std::size_t count = 0;
    LineSplitter splitter(3);
    const LineSplitter::Sink sink = [&](const LineSplitter::Line& line) {
        EXPECT_EQ(line.index, count);
        lines << ' ' << (line.tooLong ? "#" : line.text) << '@' << line.begin << ',' << line.textEnd
              << ',' << line.next;
        return ++count < stopAfter;
    };
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        if (!splitter.feed(bytes.substr(at, piece), sink))
            return lines.str();
    EXPECT_EQ(splitter.finish(sink), count < stopAfter);
    return lines.str();
}

// The file arrives in pieces of any size, so a CR LF may be cut between two of them.
TEST(LineSplitter, SplitsAlikeWhateverThePieces) {
    const std::tuple<const char*, std::string, std::size_t, const char*> cases[] = {
        {"a CR before CR LF ends an empty line", "\r\r\n\n\r", 9, " @0,0,1 @1,1,3 @3,3,4 @4,4,5"},
        {"LF CR is two ends; a last line needs none", "a\n\rb", 9, " a@0,1,2 @2,2,3 b@3,4,4"},
        {"no bytes, no line", "", 9, ""},
        {"too long: marked, not kept", "abcd\r\nabc\nabcde", 9, " #@0,4,6 abc@6,9,10 #@10,15,15"},
        {"a sink that says stop is told no more", "a\rb\r\nc\nd", 2, " a@0,1,2 b@2,3,5"},
    };
    for (const auto& [name, bytes, stopAfter, lines] : cases)
        for (std::size_t piece = 1; piece <= bytes.size() + 1; ++piece)
            EXPECT_EQ(split(bytes, piece, stopAfter), lines) << name << " in pieces of " << piece;
}

// Fails the nth call of a kind (0: all); a failing write writes half first, as a full disk does.
using Fault = std::tuple<std::string, int, int>;  // the call, nth, errno
struct FaultyOps : FileOps {
    using S = FileOps;
    using H = FileHandle;
    using Path = const std::string&;
    explicit FaultyOps(std::vector<Fault> faults = {}) : faults(std::move(faults)) {}
    H open(Path p, OpenMode m) override { return hit("open") ? H::None : S::open(p, m); }
    ptrdiff_t read(H f, char* b, size_t n) override { return hit("read") ? -1 : S::read(f, b, n); }
    ptrdiff_t readAt(H f, char* b, size_t n, uint64_t at) override {
        meddle();
        return hit("readAt") ? -1 : S::readAt(f, b, n, at);
    }
    ptrdiff_t write(H f, const char* b, size_t n) override {
        if (cutErr)  // the call after the one cut short
            return errno = std::exchange(cutErr, 0), -1;
        if (hit("writeNothing"))  // a disk that takes no byte and says nothing
            return errno = 0;
        if (const int err = hit("write"))
            return n > 1 ? (cutErr = err, S::write(f, b, n / 2)) : -1;
        return S::write(f, b, n);
    }
    bool status(H f, FileStatus& st) override { return !hit("status") && S::status(f, st); }
    bool syncData(H f) override { return !hit("syncData") && S::syncData(f); }
    bool syncFolder(H f) override { return !hit("syncFolder") && S::syncFolder(f); }
    bool truncate(H f, uint64_t n) override { return !hit("truncate") && S::truncate(f, n); }
    bool keepTraits(H f, const FileTraits& t) override {
        return !hit("keepTraits") && S::keepTraits(f, t);
    }
    LockAttempt tryLock(H f) override {
        return hit("tryLock") ? LockAttempt::Failed : S::tryLock(f);
    }
    bool rename(Path a, Path b) override { return !hit("rename") && S::rename(a, b); }
    bool remove(Path p) override { return !hit("remove") && S::remove(p); }
    bool close(H f) override { return hit("close") ? (S::close(f), false) : S::close(f); }
    std::string realPath(Path p) override { return hit("realPath") ? "" : S::realPath(p); }
    int hit(const std::string& call) {
        const int n = ++seen[call];
        for (const auto& [name, nth, err] : faults)
            if (name == call && (nth == n || nth == 0))
                return errno = err;
        return 0;
    }
    std::vector<Fault> faults;
    std::function<void()> meddle = [] {};  // another program changing the file mid-copy
    std::map<std::string, int> seen;
    int cutErr = 0;
};

std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder))
        names.insert(e.path().filename().string());
    return names;
}

class JournalFileTest : public ::testing::Test {
  protected:
    TempFolder folder, elsewhere;
    std::string path = folder.file("zoltrek.dat"), target = elsewhere.file("car.log");
    JournalFile file{path};
    Journal journal;

    long temporaries() const {
        std::set<std::string> names = namesIn(folder.path());
        names.merge(namesIn(elsewhere.path()));
        return std::count_if(names.begin(), names.end(), [](auto& name) { return name[0] == '.'; });
    }
};

// Slot -1 appends, no replacement deletes; a killed run's leftover goes with the write.
TEST_F(JournalFileTest, EachWriteChangesOnlyItsLine) {
    const std::string a = fillUp(1), b = fillUp(2), c = fillUp(3), x = "X|9|9|9|9";
    const std::string A = a + "\r\n", B = b + "\r\n", X = x + "\r\n",
                      mixed = A + b + "\n" + c + "\r" + x;
    const char* const edit = x.c_str();
    const std::tuple<const char*, std::string, int, const char*, std::string> cases[] = {
        {"an append to an empty file", "", -1, edit, X},
        {"an append ends the last line first", a, -1, edit, A + X},
        {"an append after a lone CR", a + "\r", -1, edit, a + "\r" + X},
        {"an append after a lone LF", a + "\n", -1, edit, a + "\n" + X},
        {"a delete of a last line without its end", A + B + c, 2, nullptr, A + B},
        {"an edit of one of three equal lines", A + A + A, 1, edit, A + X + A},
        {"skipped and empty lines count", "junk\r\n\r\n" + A, 0, nullptr, "junk\r\n\r\n"},
        {"an edit keeps each line's own end", mixed, 2, edit, A + b + "\n" + x + "\r" + x},
        {"a delete takes its own line end", mixed, 1, nullptr, A + c + "\r" + x},
    };
    for (const auto& [name, before, slot, replacement, after] : cases) {
        SCOPED_TRACE(name);
        writeBytes(path, before);
        file.load(journal);
        writeBytes(folder.file(".zoltrek.dat.Kil1ed"), "half a rewr");
        ASSERT_EQ(journal.count(), std::count(before.begin(), before.end(), '|') / 4);
        const JournalError error = slot < 0 ? file.append(replacement)
                                   : replacement
                                       ? file.replaceLine(journal.lines[slot], replacement)
                                       : file.removeLine(journal.lines[slot]);
        EXPECT_FALSE(error);
        EXPECT_EQ(readBytes(path), after);
        EXPECT_EQ(temporaries(), 0);
    }
    for (const char* bad : {"x\ry", "x\ny"}) {
        EXPECT_EQ(file.append(bad).kind, Kind::BadLine);
        EXPECT_EQ(file.replaceLine(journal.lines[0], bad).kind, Kind::BadLine);
    }
    EXPECT_EQ(readBytes(path), std::get<4>(cases[std::size(cases) - 1]));
}

// A change behind the lock while the rewrite copied the file would make the copy a mixture.
TEST_F(JournalFileTest, AFileChangedSinceTheLoadIsNotWritten) {
    FaultyOps meddler;
    const std::string A = fillUp(1) + "\r\n", B = fillUp(2) + "\r\n", O = fillUp(0) + "\r\n";
    using Moved = std::optional<std::size_t>;
    const std::tuple<const char*, std::optional<std::string>, bool, Moved> changes[] = {
        {"the line was edited", A + fillUp(9) + "\r\n", false, Moved()},
        {"a line went before it: it is followed", O + A + B, false, 2},
        {"its bytes stand twice: it is not", B + O + A + B, false, Moved()},
        {"the file was removed", std::nullopt, false, Moved()},
        {"a line was added while it was copied", A + B + O, true, Moved()},
        {"it changed in place while it was copied", "D" + A.substr(1) + B, true, Moved()},
        {"it was cut short while it was copied", A, true, Moved()},
    };
    for (const auto& [name, changed, whileCopied, movedTo] : changes) {
        SCOPED_TRACE(name);
        writeBytes(path, A + B);
        file.load(journal);
        const auto change = [&] { changed ? writeBytes(path, *changed) : void(fs::remove(path)); };
        meddler.meddle = whileCopied ? std::function<void()>(change) : [] {};
        if (!whileCopied)
            change();
        for (const JournalError& error :
             {JournalFile(path, meddler).replaceLine(journal.lines[1], "X|1|1|1|1"),
              JournalFile(path, meddler).removeLine(journal.lines[1])}) {
            EXPECT_EQ(error.kind, Kind::ChangedOnDisk);
            EXPECT_EQ(error.movedTo, movedTo);
        }
        EXPECT_EQ(fs::exists(path) ? readBytes(path) : "(removed)", changed.value_or("(removed)"));
        EXPECT_EQ(temporaries(), 0);
    }
}

// A link's target is what is locked, where another copy reaching it directly locks, and what is
// replaced, keeping its mode and owner: replacing the link would cut the journal off from where
// the user keeps it.
TEST_F(JournalFileTest, ALinksTargetIsLockedAndReplaced) {
    for (const char* name : {".car.log.old", "car.log.Ab3xYz", ".car.log.Kil1ed"})
        writeBytes(elsewhere.file(name), "mine");
    writeBytes(target, journalOf(2, 1, 1));
    ::chmod(target.c_str(), 0640);
    // Another user's journal stays theirs when root writes it.
    ASSERT_EQ(::geteuid() == 0 ? ::chown(target.c_str(), 65534, 65534) : 0, 0);
    fs::create_symlink(target, path);
    ASSERT_EQ(file.load(journal).status, LoadResult::Status::Loaded);
    struct stat before {
    }, after{};
    ::stat(target.c_str(), &before);
    const int other = ::open(elsewhere.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    FaultyOps waiting;
    JournalFile waiter(path, waiting);
    waiter.setLockWait(std::chrono::milliseconds(50));
    for (const JournalError& error :
         {waiter.append(fillUp(3)), waiter.add(fillUp(3), newFillUp("3")),
          waiter.replaceLine(journal.lines[0], fillUp(3)), waiter.removeLine(journal.lines[0])})
        EXPECT_EQ(error.kind, Kind::Busy);
    EXPECT_LT(waiting.seen["tryLock"], 40) << "a copy that waits sleeps between its tries";
    ::close(other);
    FaultyOps ops({{"remove", 1, EACCES}});
    EXPECT_FALSE(JournalFile(path, ops).removeLine(journal.lines[0]));
    EXPECT_TRUE(fs::exists(elsewhere.file(".car.log.Kil1ed")));
    EXPECT_FALSE(file.append(fillUp(3)));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(readBytes(target), journalOf(2, 2, 1));
    ::stat(target.c_str(), &after);
    EXPECT_EQ(std::tie(after.st_mode, after.st_uid, after.st_gid),
              std::tie(before.st_mode, before.st_uid, before.st_gid));
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"zoltrek.dat"});
    EXPECT_EQ(namesIn(elsewhere.path()),
              (std::set<std::string>{"car.log", ".car.log.old", "car.log.Ab3xYz"}));
}

// Each system call a write makes may fail; the user must learn whether the journal changed.
TEST_F(JournalFileTest, EveryFailureSaysWhatTheJournalHolds) {
    enum Start { TwoLines, NoFile, Link, DanglingLink };
    enum Op { Append, Edit, Delete };
    enum Says { Unchanged, Committed, Damaged };
    const std::tuple<const char*, Start, Op, std::vector<Fault>, Says> cases[] = {
        {"no lock", TwoLines, Append, {{"tryLock", 1, ENOLCK}}, Unchanged},
        {"the journal does not open", TwoLines, Append, {{"open", 2, EACCES}}, Unchanged},
        {"its size is unknown", TwoLines, Append, {{"status", 1, EIO}}, Unchanged},
        {"its last line end is unread", TwoLines, Append, {{"readAt", 1, EIO}}, Unchanged},
        {"a full disk cuts the line", TwoLines, Append, {{"write", 1, ENOSPC}}, Unchanged},
        {"the disk takes nothing", TwoLines, Append, {{"writeNothing", 1, EIO}}, Unchanged},
        {"the line is not on disk", TwoLines, Append, {{"syncData", 1, EIO}}, Unchanged},
        {"nor is its undo", TwoLines, Append, {{"syncData", 0, EIO}}, Damaged},
        {"no undo", TwoLines, Append, {{"syncData", 1, EIO}, {"truncate", 1, EIO}}, Damaged},
        {"a new file's folder is not synced", NoFile, Append, {{"syncFolder", 1, EIO}}, Committed},
        {"no removal", NoFile, Append, {{"syncData", 0, EIO}, {"remove", 1, EACCES}}, Damaged},
        {"a dangling link on a full disk", DanglingLink, Append, {{"write", 1, ENOSPC}}, Unchanged},
        {"no temporary file", TwoLines, Edit, {{"open", 3, EROFS}}, Unchanged},
        {"the journal is unread", TwoLines, Edit, {{"read", 1, EIO}}, Unchanged},
        {"the copy's source is unread", TwoLines, Edit, {{"readAt", 1, EIO}}, Unchanged},
        {"a full disk cuts the copy", TwoLines, Edit, {{"write", 1, ENOSPC}}, Unchanged},
        {"the copy is not on disk", TwoLines, Edit, {{"syncData", 1, EIO}}, Unchanged},
        {"the copy's source is not checked", TwoLines, Edit, {{"status", 2, EIO}}, Unchanged},
        {"the copy gets no mode", TwoLines, Edit, {{"keepTraits", 1, EPERM}}, Unchanged},
        {"the copy does not close", TwoLines, Edit, {{"close", 1, EIO}}, Unchanged},
        {"the copy is not renamed", TwoLines, Edit, {{"rename", 1, EACCES}}, Unchanged},
        {"the folder is not synced after", TwoLines, Delete, {{"syncFolder", 1, EIO}}, Committed},
        {"a link's target is unknown", Link, Delete, {{"realPath", 1, EACCES}}, Unchanged},
    };
    const std::string two = journalOf(2, 1, 1), nine = fillUp(9) + "\r\n";
    const std::string second = fillUp(2) + "\r\n", afterOp[] = {two + nine, nine + second, second};
    for (const auto& [name, start, op, faults, says] : cases) {
        SCOPED_TRACE(name);
        fs::remove(path);
        fs::remove(target);
        const bool linked = start >= Link, hasFile = start == TwoLines || start == Link;
        const std::string& journalPath = linked ? target : path;
        if (linked)
            fs::create_symlink(target, path);
        if (hasFile) {
            writeBytes(journalPath, two);
            ASSERT_EQ(file.load(journal).status, LoadResult::Status::Loaded);
        }
        FaultyOps ops(faults);
        JournalFile faulty(path, ops);
        const JournalError error = op == Append ? faulty.append(fillUp(9))
                                   : op == Edit ? faulty.replaceLine(journal.lines[0], fillUp(9))
                                                : faulty.removeLine(journal.lines[0]);
        EXPECT_EQ(error.kind, Kind::System);
        EXPECT_EQ(error.err, std::get<2>(faults[0]));
        EXPECT_EQ(error.committed, says == Committed);
        EXPECT_EQ(error.damaged, says == Damaged);
        EXPECT_EQ(error.path, path);
        EXPECT_EQ(fs::is_symlink(path), linked);
        EXPECT_EQ(temporaries(), 0);
        const std::string old = hasFile ? two : "", now = readBytes(journalPath);
        const std::string fresh = hasFile ? afterOp[op] : nine;
        EXPECT_EQ(fs::exists(journalPath), hasFile || says != Unchanged);
        if (says == Damaged)
            EXPECT_TRUE(now == old || now == fresh) << now;
        else
            EXPECT_EQ(now, says == Unchanged ? old : fresh);
        EXPECT_FALSE(file.append(fillUp(7)));
        EXPECT_EQ(readBytes(journalPath), now + fillUp(7) + "\r\n");
    }
}

using enum LoadResult::Status;
const std::string kGood = "06.12.26|84512|40|20.5|820";

// A damaged journal shows what it can, names what it could not, and never hangs (ctest's TIMEOUT).
TEST_F(JournalFileTest, TheLoadSaysWhatItSkipped) {
    const std::string longest = "d|" + std::string(JournalFile::kMaxLine - 8, '7') + "|1|1|1";
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"a NUL in a field keeps the record, a line of NULs is none",
         "06.12.26|84\0 512|40|20.5|820\r\n\0\0\0\r\n"s + kGood, "2 records, 1 skipped: 2"},
        {"the longest line kept is a record, a byte more is not",
         longest + "\n" + longest + "7\r\n" + kGood, "2 records, 1 skipped: 2"},
        {"the load stops at the record that would not fit", repeated(kGood + "\r\n", 1'000'000),
         "101 records, 0 skipped, unloaded"},
        {"empty lines after the last record leave nothing unloaded",
         repeated(kGood + "\r\n", 101) + "\r\n\n", "101 records, 0 skipped"},
        {"the thousandth malformed line stops the load, ten are named",
         kGood + "\r\n" + repeated("06.12.26|84512\r\n", 1'000'000) + kGood,
         "1 records, 1000 skipped: 2 3 4 5 6 7 8 9 10 11, unloaded"},
        {"empty lines are passed over, not skipped",
         std::string(1'000'000, '\n') + kGood + "\njunk", "1 records, 1 skipped: 1000002"},
    };
    for (const auto& [name, bytes, told] : cases) {
        SCOPED_TRACE(name);
        writeBytes(path, bytes);
        const LoadResult r = file.load(journal);
        std::string said = std::to_string(journal.count()) + " records, " +
                           std::to_string(r.skippedCount) + " skipped";
        for (std::size_t i = 0; i < r.skippedLines.size(); ++i)
            said += (i ? " " : ": ") + std::to_string(r.skippedLines[i]);
        EXPECT_EQ(r.status, Loaded);
        EXPECT_EQ(said + (r.leftUnloaded ? ", unloaded" : ""), told);
        EXPECT_TRUE(readBytes(path) == bytes) << "bytes changed";
        EXPECT_EQ(namesIn(folder.path()).size(), 1u);
    }
}

// Writing into a folder, a pipe or a device would lose the records or hang.
TEST_F(JournalFileTest, OnlyARegularFileIsAJournal) {
    const std::tuple<const char*, std::function<void()>, LoadResult::Status, bool> cases[] = {
        {"a link to a file", [&] { fs::create_symlink(target, path); }, Loaded, false},
        {"a dangling link", [&] { fs::create_symlink(target + "x", path); }, Absent, false},
        {"a folder", [&] { fs::create_directory(path); }, Absent, true},
        {"a link to itself", [&] { fs::create_symlink(path, path); }, Failed, true},
        {"a named pipe", [&] { ::mkfifo(path.c_str(), 0600); }, Absent, true},
    };
    writeBytes(target, kGood);
    for (const auto& [what, make, status, refused] : cases) {
        SCOPED_TRACE(what);
        fs::remove_all(path);
        make();
        journal.records[0].fDate = "before";
        const LoadResult r = file.load(journal);
        EXPECT_EQ(r.status, status);
        EXPECT_EQ(journal.records[0].fDate, status == Loaded ? "06.12.26" : "before");
        EXPECT_EQ(r.error.path == path, status == Failed);
        if (refused) {
            EXPECT_EQ(file.append(kGood).path, path);
            EXPECT_TRUE(file.replaceLine(LineRef{0, kGood}, "x|1|1|1|1"));
        }
        EXPECT_EQ(readBytes(target), kGood);
        EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"zoltrek.dat"});
        EXPECT_EQ(namesIn(elsewhere.path()), std::set<std::string>{"car.log"});
        EXPECT_TRUE(!fs::is_directory(fs::symlink_status(path)) || fs::is_empty(path));
    }
}

// Only an append to a journal in the user's data folder makes the folders it lacks, each the
// user's alone; an edit finds no journal there.
TEST_F(JournalFileTest, OnlyAJournalInTheUsersDataFolderMakesItsFolders) {
    const std::string share = folder.file("share"), deep = share + "/zoltrek/zoltrek.dat";
    const std::tuple<std::string, bool, JournalError::Kind, int> cases[] = {
        {deep, false, Kind::System, ENOENT},
        {deep, true, Kind::None, 0},
        {target + "/zoltrek/zoltrek.dat", true, Kind::System, ENOTDIR},  // a file in the way
    };
    writeBytes(target, kGood);
    for (const auto& [at, creates, kind, err] : cases) {
        JournalFile journalFile(at);
        journalFile.setCreatesFolders(creates);
        EXPECT_EQ(journalFile.removeLine(LineRef{0, kGood}).kind, Kind::System) << at;
        const JournalError error = journalFile.append(kGood);
        EXPECT_EQ(error.kind, kind) << at;
        EXPECT_EQ(error.err, err) << at;
        const auto step =
            creates ? JournalError::Step::CreateFolder : JournalError::Step::OpenFolder;
        EXPECT_TRUE(!error || error.step == step) << at;
        EXPECT_EQ(fs::exists(share), creates) << at;
    }
    EXPECT_EQ(readBytes(deep), kGood + "\r\n");
    for (const std::string& made : {share, share + "/zoltrek"})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
}

// Runs `copy` in two processes that start at the same moment; their exit codes.
std::multiset<int> twoCopies(const std::function<int(int)>& copy) {
    int start[2];
    EXPECT_EQ(::pipe(start), 0);
    pid_t pids[2];
    for (int i = 0; i < 2; ++i)
        if ((pids[i] = ::fork()) == 0) {
            char go;
            ::_exit(::read(start[0], &go, 1) == 1 ? copy(i) : 99);
        }
    EXPECT_EQ(::write(start[1], "go", 2), 2);
    std::multiset<int> codes;
    for (pid_t pid : pids) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        codes.insert(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    }
    ::close(start[0]);
    ::close(start[1]);
    return codes;
}

// Changes a line of ours, loading again whenever the other copy changed the file in between.
bool change(JournalFile& file, const std::string& line, const std::string* replacement) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        Journal journal;
        file.load(journal);
        const auto old = std::ranges::find(journal.lines, line, &LineRef::bytes);
        if (old == journal.lines.end())
            return false;
        const JournalError error =
            replacement ? file.replaceLine(*old, *replacement) : file.removeLine(*old);
        if (error.kind != Kind::ChangedOnDisk)
            return !error;
    }
    return false;
}

// One copy reaches the journal through a link, as a copy installed elsewhere would.
TEST_F(JournalFileTest, TwoCopiesNeverLoseEachOthersLines) {
    constexpr int kAdds = 20, kEdits = 10, kDeletes = 5;
    writeBytes(path, "");
    fs::create_symlink(path, target);
    const auto codes = twoCopies([&](int copy) {
        JournalFile file(copy == 0 ? path : target);
        for (int k = 0; k < kAdds; ++k)
            if (file.append(fillUp(copy * 1000 + k)))
                return 3;
        for (int k = 0; k < kEdits + kDeletes; ++k) {
            const std::string edited = "e" + fillUp(copy * 1000 + k);
            if (!change(file, fillUp(copy * 1000 + k), k < kEdits ? &edited : nullptr))
                return 4;
        }
        return 0;
    });
    EXPECT_EQ(codes, (std::multiset<int>{0, 0}));
    std::multiset<std::string> want, got;
    for (int copy = 0; copy < 2; ++copy)
        for (int k = 0; k < kAdds; ++k)
            if (k < kEdits || k >= kEdits + kDeletes)
                want.insert((k < kEdits ? "e" : "") + fillUp(copy * 1000 + k) + "\r");
    std::istringstream lines(readBytes(path));
    for (std::string line; std::getline(lines, line);)
        got.insert(line);
    EXPECT_EQ(got, want);
}

// A check made before the lock would let both copies add what only one may.
TEST_F(JournalFileTest, TwoCopiesAddingAreCheckedUnderTheLock) {
    const std::string hundred = journalOf(Journal::kSlots - 1, 9001, 1);
    const std::string unloaded = journalOf(1) + repeated("junk\r\n", JournalFile::kMaxSkipped + 1);
    const std::tuple<const char*, std::string, std::string, std::string, Kind, Kind> cases[] = {
        {"one gets the last slot", hundred, "1", "2", Kind::None, Kind::Full},
        {"one reading typed two ways", "", "5000", "5 000", Kind::None, Kind::Duplicate},
        {"a file not loaded to its end", unloaded, "1", "2", Kind::Unloaded, Kind::Unloaded},
    };
    for (const auto& [name, before, reading0, reading1, kind0, kind1] : cases) {
        SCOPED_TRACE(name);
        writeBytes(path, before);
        const auto add = [&](const std::string& reading) {
            return JournalFile(path).add("new|" + reading + "|1|1|1", newFillUp(reading));
        };
        const auto codes = twoCopies(
            [&](int copy) { return static_cast<int>(add(copy ? reading1 : reading0).kind); });
        EXPECT_EQ(codes, (std::multiset<int>{static_cast<int>(kind0), static_cast<int>(kind1)}));
        const std::string after = readBytes(path);
        EXPECT_EQ(std::count(after.begin(), after.end(), '\n'),
                  std::count(before.begin(), before.end(), '\n') + (kind0 == Kind::None));
        EXPECT_EQ(add(reading0).kind, kind1);
    }
}

}  // namespace
}  // namespace zoltrek
