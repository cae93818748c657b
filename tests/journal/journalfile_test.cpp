// The journal file: its lines, its load, its writes and their failures, two copies at once.
#include "journal/journalfile.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <process.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <thread>

#include "entry/entryrules.h"
#include "journal/journaltexts.h"
#include "journal/lines.h"
#include "support/journaltext.h"
#include "support/tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
using namespace std::string_literals;
namespace fs = std::filesystem;
using Kind = JournalError::Kind;
using Step = JournalError::Step;

// Each line as " text@begin,textEnd,next", "#" for a text too long to keep.
std::string split(std::string_view bytes, std::size_t piece, std::size_t stopAfter) {
    std::ostringstream lines;
    std::size_t count = 0;
    LineSplitter splitter(3);
    const LineSplitter::Sink sink = [&](const LineSplitter::Line& line) {
        lines << ' ' << (line.tooLong ? "#" : line.text) << '@' << line.begin << ',' << line.textEnd
              << ',' << line.next;
        return ++count < stopAfter;
    };
    bool goOn = true;
    for (std::size_t at = 0; goOn && at < bytes.size(); at += piece)
        goOn = splitter.feed(bytes.substr(at, piece), sink);
    EXPECT_EQ(goOn && splitter.finish(sink), count < stopAfter);  // told when the sink said stop
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

// Fails the nth call of a kind (0: every one, -n: the nth and every later one); a failing write
// still writes half, as a full disk does, until one byte is left; a folder is made, then refused.
using Fault = std::tuple<std::string, int, int>;  // the call, nth, errno
struct FaultyOps : FileOps {
    using S = FileOps;
    using H = FileHandle;
    using Path = const std::string&;
    using L = LockAttempt;
    using Traits = const FileTraits&;
    explicit FaultyOps(std::vector<Fault> faults = {}) : faults(std::move(faults)) {}
    H open(Path p, OpenMode m) override { return hit("open") ? H::None : S::open(p, m); }
    ptrdiff_t read(H f, char* b, size_t n) override { return hit("read") ? -1 : S::read(f, b, n); }
    ptrdiff_t readAt(H f, char* b, size_t n, uint64_t at) override {
        meddle();
        return hit("readAt") ? -1 : S::readAt(f, b, n, at);
    }
    ptrdiff_t write(H f, const char* b, size_t n) override {
        if (hit("writeNothing"))  // a disk that takes no byte and says nothing
            return errno = 0;
        return !hit("write") ? S::write(f, b, n) : n > 1 ? S::write(f, b, n / 2) : -1;
    }
    bool status(H f, FileStatus& st) override { return !hit("status") && S::status(f, st); }
    bool syncData(H f) override { return !hit("syncData") && S::syncData(f); }
    bool syncFolder(H f) override { return !hit("syncFolder") && S::syncFolder(f); }
    bool truncate(H f, uint64_t n) override { return !hit("truncate") && S::truncate(f, n); }
    bool keepTraits(H f, Traits t) override { return !hit("keepTraits") && S::keepTraits(f, t); }
    L tryLock(H f) override { return hit("tryLock") ? L::Failed : S::tryLock(f); }
    bool rename(Path a, Path b) override { return !hit("rename") && S::rename(a, b); }
    bool remove(Path p) override { return !hit("remove") && S::remove(p); }
    bool makeFolder(Path p) override { return S::makeFolder(p) && !hit("makeFolder"); }
    bool close(H f) override { return hit("close") ? (S::close(f), false) : S::close(f); }
    std::string realPath(Path p) override { return hit("realPath") ? "" : S::realPath(p); }
    int hit(const std::string& call) {
        const int n = ++seen[call];
        for (const auto& [name, nth, err] : faults)
            if (name == call && (nth == n || nth == 0 || (nth < 0 && n >= -nth)))
                return errno = err;
        return 0;
    }
    std::vector<Fault> faults;
    std::function<void()> meddle = [] {};  // another program changing the file mid-copy
    std::map<std::string, int> seen;
};

// givenAway(path): whether the file is now another user's, as root may make it.
#ifdef _WIN32
constexpr bool kLinks = false;         // a Windows link is refused, never followed
constexpr int kFileAsFolder = ENOENT;  // what Windows says of a path through a file
constexpr auto givenAway = [](const std::string&) { return false; };
#else
constexpr bool kLinks = true;
constexpr int kFileAsFolder = ENOTDIR;
bool givenAway(const std::string& path) {
    return ::geteuid() == 0 && ::chown(path.c_str(), 65534, 65534) == 0;
}
#endif

// Without the lock file that Windows copies leave in the folder.
std::set<std::string> namesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(native(folder)))
        if (e.path().filename() != ".zoltrek.lock")
            names.insert(e.path().filename().string());
    return names;
}

class JournalFileTest : public ::testing::Test {
  protected:
    // A user's folder may be named in any language, with spaces.
    TempFolder folder{fs::temp_directory_path(), "Мои заправки "}, elsewhere;
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
        {"an append ends the last line first", a, -1, edit, A + X},
        {"an append after a lone CR", a + "\r", -1, edit, a + "\r" + X},
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
        writeBytes(folder.file(".zoltrek.dat.zoltrek-Kil1ed"), "half a rewr");
        const JournalError error = slot < 0 ? file.append(replacement)
                                   : replacement
                                       ? file.replaceLine(journal.lines[slot], replacement)
                                       : file.removeLine(journal.lines[slot]);
        EXPECT_EQ(std::tuple(bool(error), readBytes(path), temporaries()),
                  std::tuple(false, after, 0));
    }
    for (const char* bad : {"x\ry", "x\ny"})
        EXPECT_EQ(std::pair(file.append(bad).kind, file.replaceLine(journal.lines[0], bad).kind),
                  std::pair(Kind::BadLine, Kind::BadLine));
    EXPECT_EQ(readBytes(path), std::get<4>(cases[std::size(cases) - 1]));
}

// A change behind the lock while the rewrite copied the file would make the copy a mixture.
TEST_F(JournalFileTest, AFileChangedSinceTheLoadIsNotWritten) {
    FaultyOps meddler;
    const std::string A = fillUp(1) + "\r\n", B = fillUp(2) + "\r\n", O = fillUp(0) + "\r\n";
    using Moved = std::optional<std::size_t>;
    const std::tuple<const char*, std::optional<std::string>, bool, Moved> changes[] = {
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
        const auto change = [&] {
            changed ? writeBytes(path, *changed) : void(fs::remove(native(path)));
        };
        meddler.meddle = whileCopied ? std::function<void()>(change) : [] {};
        if (!whileCopied)
            change();
        for (const JournalError& error :
             {JournalFile(path, meddler).replaceLine({1, fillUp(2)}, "X|1|1|1|1"),
              JournalFile(path, meddler).removeLine({1, fillUp(2)})})
            EXPECT_EQ(std::pair(error.kind, error.movedTo),
                      std::pair(Kind::ChangedOnDisk, movedTo));
        EXPECT_EQ(
            std::pair(fs::exists(native(path)) ? readBytes(path) : "(removed)", temporaries()),
            std::pair(changed.value_or("(removed)"), 0L));
    }
}

#ifndef _WIN32
// A link's target is locked, as a copy reaching it directly locks it, and replaced, keeping its
// mode and owner: replacing the link would cut the journal off from where the user keeps it.
TEST_F(JournalFileTest, ALinksTargetIsLockedAndReplaced) {
    // A killed run's leftover goes; the user's own copies, another user's file, a pipe and a link
    // of a leftover's name stay.
    std::set<std::string> stay{"car.log",
                               ".car.log.old",
                               ".car.log.backup",
                               "car.log.Ab3xYz",
                               ".car.log.zoltrek-Pipe01",
                               ".car.log.zoltrek-Link01"};
    for (const char* name :
         {".car.log.old", ".car.log.backup", "car.log.Ab3xYz", ".car.log.zoltrek-Kil1ed"})
        writeBytes(elsewhere.file(name), "mine");
    ::mkfifo(elsewhere.file(".car.log.zoltrek-Pipe01").c_str(), 0600);
    fs::create_symlink(elsewhere.file(".car.log.old"), elsewhere.file(".car.log.zoltrek-Link01"));
    writeBytes(elsewhere.file(".car.log.zoltrek-Other1"), "theirs");
    if (givenAway(elsewhere.file(".car.log.zoltrek-Other1")))
        stay.insert(".car.log.zoltrek-Other1");
    writeBytes(target, journalOf(2, 1, 1));
    ::chmod(target.c_str(), 0640);
    // Another user's journal stays theirs when root writes it.
    ASSERT_EQ(::geteuid() == 0 ? ::chown(target.c_str(), 65534, 65534) : 0, 0);
    fs::create_symlink(target, path);
    const LineRef first{0, fillUp(1)};
    struct stat before = {}, after = {};
    ::stat(target.c_str(), &before);
    const int other = ::open(elsewhere.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(other, LOCK_EX), 0);
    FaultyOps waiting;
    JournalFile waiter(path, waiting);
    waiter.setLockWait(std::chrono::milliseconds(50));
    for (const JournalError& error :
         {waiter.append(fillUp(3)), waiter.add(fillUp(3), [](auto&, bool) { return Kind::None; }),
          waiter.replaceLine(first, fillUp(3)), waiter.removeLine(first)})
        EXPECT_EQ(error.kind, Kind::Busy);
    EXPECT_LT(waiting.seen["tryLock"], 40) << "a copy that waits sleeps between its tries";
    ::close(other);
    // A leftover that cannot go, or a temporary name taken once, does not stop the write.
    FaultyOps ops({{"remove", 1, EACCES}, {"open", 3, EEXIST}});
    EXPECT_FALSE(JournalFile(path, ops).removeLine(first));
    EXPECT_TRUE(fs::exists(elsewhere.file(".car.log.zoltrek-Kil1ed")));
    EXPECT_FALSE(file.append(fillUp(3)));
    ::stat(target.c_str(), &after);
    EXPECT_EQ(std::tuple(fs::is_symlink(native(path)), readBytes(target), after.st_mode,
                         after.st_uid, after.st_gid),
              std::tuple(true, journalOf(2, 2, 1), before.st_mode, before.st_uid, before.st_gid));
    EXPECT_EQ(namesIn(folder.path()), std::set<std::string>{"zoltrek.dat"});
    EXPECT_EQ(namesIn(elsewhere.path()), stay);
}

// Another user's link (as root: a real one), the journal's own or a folder's on its way, is
// followed only in a folder only the user may write; the error names it.
TEST_F(JournalFileTest, AnotherUsersLinkInASharedFolderIsRefused) {
    writeBytes(target, fillUp(1));
    const std::string via = folder.file("via"), shared = fs::path(folder.path()).filename();
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"the journal itself", path, target, path},
        {"a folder on its way", via, elsewhere.path(), via + "/car.log"},
        {"reached from the user's own link", via,
         "../" + fs::path(elsewhere.path()).filename().string(),
         elsewhere.file("up") + "/via/car.log"},
    };
    fs::create_directory_symlink("../" + shared, native(elsewhere.file("up")));
    for (const auto& [name, link, to, journalPath] : cases) {
        SCOPED_TRACE(name);
        fs::create_symlink(to, native(link));
        const Kind refused =
            ::lchown(link.c_str(), 65534, 65534) == 0 ? Kind::ForeignLink : Kind::None;
        JournalFile linked(journalPath);
        for (const auto& [mode, kind] :
             {std::pair(fs::perms::all, refused), std::pair(fs::perms::owner_all, Kind::None)}) {
            fs::permissions(native(folder.path()), mode);
            const JournalError loaded = linked.load(journal).error,
                               added = linked.append(fillUp(2));
            EXPECT_EQ(std::tuple(loaded.kind, added.kind, added.link),
                      std::tuple(kind, kind, kind == Kind::None ? "" : link));
            EXPECT_EQ(readBytes(target), kind == Kind::None ? journalOf(2, 1, 1) : fillUp(1));
        }
        fs::remove(native(link));
        writeBytes(target, fillUp(1));
    }
}

#endif

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
        {"a full disk cuts the line", TwoLines, Append, {{"write", 0, ENOSPC}}, Unchanged},
        {"the disk takes nothing", TwoLines, Append, {{"writeNothing", 1, EIO}}, Unchanged},
        {"the line is not on disk", TwoLines, Append, {{"syncData", 1, EIO}}, Unchanged},
        {"nor is its undo", TwoLines, Append, {{"syncData", 0, EIO}}, Damaged},
        {"no undo", TwoLines, Append, {{"syncData", 1, EIO}, {"truncate", 1, EIO}}, Damaged},
        {"a new file's folder is not synced", NoFile, Append, {{"syncFolder", 1, EIO}}, Committed},
        {"no removal", NoFile, Append, {{"syncData", 0, EIO}, {"remove", 1, EACCES}}, Damaged},
        {"a dangling link on a full disk", DanglingLink, Append, {{"write", 0, ENOSPC}}, Unchanged},
        {"no temporary file", TwoLines, Edit, {{"open", 3, EROFS}}, Unchanged},
        {"every temporary name is taken", TwoLines, Edit, {{"open", -3, EEXIST}}, Unchanged},
        {"the journal is unread", TwoLines, Edit, {{"read", 1, EIO}}, Unchanged},
        {"the copy's source is unread", TwoLines, Edit, {{"readAt", 1, EIO}}, Unchanged},
        {"a full disk cuts the copy", TwoLines, Edit, {{"write", 0, ENOSPC}}, Unchanged},
        {"the copy is not on disk", TwoLines, Edit, {{"syncData", 1, EIO}}, Unchanged},
        {"the copy's source is not checked", TwoLines, Edit, {{"status", 2, EIO}}, Unchanged},
        {"the copy gets no mode", TwoLines, Edit, {{"keepTraits", 1, EPERM}}, Unchanged},
        {"the copy does not close", TwoLines, Edit, {{"close", 2, EIO}}, Unchanged},
        {"the copy is not renamed", TwoLines, Edit, {{"rename", 1, EACCES}}, Unchanged},
        {"the folder is not synced after", TwoLines, Delete, {{"syncFolder", 1, EIO}}, Committed},
        {"a link's target is unknown", Link, Delete, {{"realPath", 1, EACCES}}, Unchanged},
    };
    const std::string two = journalOf(2, 1, 1), nine = fillUp(9) + "\r\n";
    const std::string second = fillUp(2) + "\r\n", afterOp[] = {two + nine, nine + second, second};
    for (const auto& [name, start, op, faults, says] : cases) {
        SCOPED_TRACE(name);
        fs::remove(native(path));
        fs::remove(native(target));
        const bool linked = start >= Link, hasFile = start == TwoLines || start == Link;
        if (linked && !kLinks)
            continue;
        const std::string& journalPath = linked ? target : path;
        if (linked)
            fs::create_symlink(target, path);
        if (hasFile)
            writeBytes(journalPath, two);
        FaultyOps ops(faults);
        JournalFile faulty(path, ops);
        const JournalError error = op == Append ? faulty.append(fillUp(9))
                                   : op == Edit ? faulty.replaceLine({0, fillUp(1)}, fillUp(9))
                                                : faulty.removeLine({0, fillUp(1)});
        EXPECT_EQ(std::tuple(error.kind, error.err, error.committed, error.damaged, error.path),
                  std::tuple(Kind::System, std::get<2>(faults[0]), says == Committed,
                             says == Damaged, path));
        EXPECT_EQ(std::tuple(fs::is_symlink(native(path)), fs::exists(native(journalPath)),
                             temporaries()),
                  std::tuple(linked, hasFile || says != Unchanged, 0L));
        const std::string old = hasFile ? two : "", now = readBytes(journalPath);
        // A damaged journal holds either; the others, what they say.
        EXPECT_TRUE((says != Committed && now == old) ||
                    (says != Unchanged && now == (hasFile ? afterOp[op] : nine)))
            << now;
        EXPECT_FALSE(file.append(fillUp(7)));
        EXPECT_EQ(readBytes(journalPath), now + fillUp(7) + "\r\n");
    }
}

#ifdef _WIN32
// What other programs and the file's attributes do on Windows: each write is refused with its
// reason, and the journal keeps its bytes.
TEST_F(JournalFileTest, WindowsRefusalsLeaveTheJournalAsItWas) {
    const std::wstring wide = native(path).wstring();
    FileOps& ops = FileOps::system();
    const std::tuple<const char*, std::function<std::function<void()>()>, const char*> cases[] = {
        {"the read-only attribute",
         [&] {
             SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY);
             return [&] { SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL); };
         },
         "нет прав доступа"},
        {"another program holds it open, sharing nothing",
         [&] {
             const HANDLE file =
                 CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
             return [file] { CloseHandle(file); };
         },
         "файл открыт другой программой"},
        {"another copy holds the lock",
         [&] {
             const FileHandle lock = ops.open(folder.path(), OpenMode::FolderLock);
             EXPECT_EQ(ops.tryLock(lock), LockAttempt::Locked);
             return [&ops, lock] { ops.close(lock); };
         },
         "записывает другая копия программы"},
    };
    const std::string two = journalOf(2, 1, 1);
    std::string shown = "«" + path + "»";  // as Windows writes paths
    std::ranges::replace(shown, '/', '\\');
    for (const auto& [name, make, reason] : cases) {
        SCOPED_TRACE(name);
        writeBytes(path, two);
        const auto release = make();
        file.setLockWait(std::chrono::milliseconds(50));
        for (const JournalError& error :
             {file.append(fillUp(3)), file.replaceLine({0, fillUp(1)}, fillUp(3)),
              file.removeLine({0, fillUp(1)})})
            EXPECT_TRUE(errorMessage(error).find(reason) != std::string::npos &&
                        errorMessage(error).find(shown) != std::string::npos)
                << errorMessage(error);
        release();
        EXPECT_EQ(std::pair(readBytes(path), temporaries()), std::pair(two, 0L));
    }
}

// A rewrite keeps the attributes the user gave the journal, as it keeps its mode elsewhere.
TEST_F(JournalFileTest, ARewriteKeepsTheJournalsAttributes) {
    const std::wstring wide = native(path).wstring();
    constexpr DWORD kGiven = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE;
    writeBytes(path, journalOf(2, 1, 1));
    SetFileAttributesW(wide.c_str(), kGiven);
    EXPECT_FALSE(file.removeLine({0, fillUp(1)}));
    EXPECT_EQ(GetFileAttributesW(wide.c_str()) & kGiven, kGiven);
}

// Two processes of the journal tool appending at once, each line whole and none lost.
TEST_F(JournalFileTest, TwoProcessesAppendingLoseNoLine) {
    const std::wstring tool = native(ZOLTREK_JOURNAL_TOOL).wstring(),
                       quoted = L"\"" + native(path).wstring() + L"\"";  // a name with spaces
    const auto appends = [&](int copy) {
        for (int k = 0; k < 10; ++k) {
            const std::wstring line = native(fillUp(copy * 1000 + k)).wstring();
            EXPECT_EQ(_wspawnl(_P_WAIT, tool.c_str(), L"tool", quoted.c_str(), L"append",
                               line.c_str(), nullptr),
                      0);
        }
    };
    std::thread first(appends, 0), second(appends, 1);
    first.join();
    second.join();
    const LoadResult loaded = file.load(journal);  // a line lost or cut would be missing or skipped
    EXPECT_EQ(std::pair(journal.count(), loaded.skippedCount), std::pair(20, std::size_t{0}));
}
#endif

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
        {"the load stops at the record that would not fit",
         repeated(kGood + "\r\n", 1'000'000) + "junk", "101 records, 0 skipped, unloaded"},
        {"empty lines after the last record leave nothing unloaded",
         repeated(kGood + "\r\n", 101) + "\r\n\n", "101 records, 0 skipped"},
        {"the thousandth malformed line stops the load, ten are named",
         kGood + "\r\n" + repeated("06.12.26|84512\r\n", 1'000'000) + kGood,
         "1 records, 1000 skipped: 2 3 4 5 6 7 8 9 10 11, unloaded"},
        {"empty lines are passed over, not skipped", std::string(999, '\n') + "junk\n" + kGood,
         "1 records, 1 skipped: 1000"},
        {"the 1001st line that is no record, empty or not, stops the load",
         std::string(1'000'000, '\n') + kGood, "0 records, 0 skipped, unloaded"},
    };
    for (const auto& [name, bytes, told] : cases) {
        SCOPED_TRACE(name);
        writeBytes(path, bytes);
        const LoadResult r = file.load(journal);
        std::string said = std::to_string(journal.count()) + " records, " +
                           std::to_string(r.skippedCount) + " skipped";
        for (std::size_t i = 0; i < r.skippedLines.size(); ++i)
            said += (i ? " " : ": ") + std::to_string(r.skippedLines[i]);
        EXPECT_EQ(said + (r.leftUnloaded ? ", unloaded" : ""), told);
        EXPECT_TRUE(r.status == Loaded && readBytes(path) == bytes &&
                    namesIn(folder.path()).size() == 1)
            << "not loaded, or written";
    }
}

// Writing into a folder, a pipe or a device would lose the records or hang.
TEST_F(JournalFileTest, OnlyARegularFileIsAJournal) {
    const std::tuple<const char*, std::function<void()>, LoadResult::Status, bool> cases[] = {
        {"a folder", [&] { fs::create_directory(native(path)); }, Absent, true},
#ifndef _WIN32
        {"a link to a file", [&] { fs::create_symlink(target, path); }, Loaded, false},
        {"a dangling link", [&] { fs::create_symlink(target + "x", path); }, Absent, false},
        {"a link to itself", [&] { fs::create_symlink(path, path); }, Failed, true},
        {"a named pipe", [&] { ::mkfifo(path.c_str(), 0600); }, Absent, true},
#endif
    };
    writeBytes(target, kGood);
    for (const auto& [what, make, status, refused] : cases) {
        SCOPED_TRACE(what);
        fs::remove_all(native(path));
        make();
        journal.records[0].fDate = "before";
        const LoadResult r = file.load(journal);
        EXPECT_EQ(std::tuple(r.status, journal.records[0].fDate, r.error.path == path),
                  std::tuple(status, status == Loaded ? "06.12.26" : "before", status == Failed));
        EXPECT_TRUE(!refused ||
                    (file.append(kGood).path == path && file.replaceLine({0, kGood}, "x|1|1|1|1")));
        EXPECT_EQ(std::tuple(readBytes(target), namesIn(folder.path()), namesIn(elsewhere.path())),
                  std::tuple(kGood, std::set<std::string>{"zoltrek.dat"},
                             std::set<std::string>{"car.log"}));
        EXPECT_TRUE(!fs::is_directory(fs::symlink_status(native(path))) ||
                    fs::is_empty(native(path)));
    }
}

// Only an append to a journal in the user's data folder makes the folders it lacks, each the
// user's alone (or another copy's first), unless a file is in the way; an edit finds none there.
TEST_F(JournalFileTest, OnlyAJournalInTheUsersDataFolderMakesItsFolders) {
    const std::string share = folder.file("share"), deep = share + "/zoltrek/zoltrek.dat";
    // A data folder that others may write, or (as root) one that another user made, could hand
    // the journal to them: nothing is written there, and the folder is named.
    const std::string open = folder.file("open"), theirs = folder.file("theirs");
    for (const std::string& made : {open, theirs})
        fs::create_directory(native(made));
    fs::permissions(native(open), fs::perms::all);
    const Kind refused = kLinks ? Kind::UnsafeFolder : Kind::None;
    const std::tuple<std::string, bool, std::vector<Fault>, Kind, int, Step> cases[] = {
        {deep, false, {}, Kind::System, ENOENT, Step::OpenFolder},
        {deep, true, {{"makeFolder", 2, EEXIST}}, Kind::None, 0, Step{}},
        {open + "/zoltrek.dat", true, {}, refused, 0, Step{}},
        {theirs + "/zoltrek.dat", true, {}, givenAway(theirs) ? refused : Kind::None, 0, Step{}},
        {target + "/zoltrek/zoltrek.dat",
         true,
         {},
         Kind::System,
         kFileAsFolder,
         Step::CreateFolder},
    };
    writeBytes(target, kGood);
    for (const auto& [at, creates, faults, kind, err, step] : cases) {
        FaultyOps ops(faults);
        JournalFile journalFile(at, ops);
        journalFile.setCreatesFolders(creates);
        const JournalError edit = journalFile.removeLine({0, kGood}),
                           add = journalFile.append(kGood);
        EXPECT_EQ(std::tuple(bool(edit), add.kind, add.err, add.step, fs::exists(native(share))),
                  std::tuple(true, kind, err, step, creates))
            << at;
    }
    EXPECT_EQ(readBytes(deep), kGood + "\r\n");
    if (kLinks) {  // a dangling link there is refused, and its folder not made
        fs::create_symlink(elsewhere.file("gone/car.log"), share + "/zoltrek/link.dat");
        JournalFile linked(share + "/zoltrek/link.dat");
        linked.setCreatesFolders(true);
        EXPECT_EQ(std::pair(linked.append(kGood).step, fs::exists(elsewhere.file("gone"))),
                  std::pair(Step::OpenFolder, false));
    }
    for (const std::string& made : {share, share + "/zoltrek", deep})
        EXPECT_TRUE(!kLinks || (fs::status(native(made)).permissions() & fs::perms::all) ==
                                   (made == deep ? fs::perms::owner_read | fs::perms::owner_write
                                                 : fs::perms::owner_all))
            << made;
}

#ifdef _WIN32
// Two threads, each with handles of its own: Windows locks a file and shares it per handle, so
// they meet as two processes do (the journal tool's test below runs two processes).
std::multiset<int> twoCopies(const std::function<int(int)>& copy) {
    int codes[2];
    std::thread first([&] { codes[0] = copy(0); }), second([&] { codes[1] = copy(1); });
    first.join();
    second.join();
    return {codes[0], codes[1]};
}
#else
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
    for (const int end : start)
        ::close(end);
    return codes;
}
#endif

// One copy reaches the journal through a link, as a copy installed elsewhere would.
TEST_F(JournalFileTest, TwoCopiesNeverLoseEachOthersLines) {
    constexpr int kAdds = 20, kEdits = 10, kDeletes = 5;
    writeBytes(path, "");
    if (kLinks)
        fs::create_symlink(path, target);
    const auto codes = twoCopies([&](int copy) {
        JournalFile file(copy == 0 || !kLinks ? path : target);
        for (int k = 0; k < kAdds; ++k)
            if (file.append(fillUp(copy * 1000 + k)))
                return 3;
        for (int k = 0; k < kEdits + kDeletes; ++k) {
            const std::string line = fillUp(copy * 1000 + k), edited = "e" + line;
            JournalError error;
            // Each try follows the line to where the other copy's writes moved it.
            for (std::optional<std::size_t> at = 0; at; at = error.movedTo)
                error = k < kEdits ? file.replaceLine({*at, line}, edited)
                                   : file.removeLine({*at, line});
            if (error)
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
            const std::string line = "new|" + reading + "|1|1|1";  // judged as the dialog judges it
            return JournalFile(path).add(line, [&](const Journal& now, bool partly) {
                return saveRefusal(Save::New, lineFields(line), &now, partly);
            });
        };
        EXPECT_EQ(twoCopies([&](int copy) { return int(add(copy ? reading1 : reading0).kind); }),
                  (std::multiset<int>{int(kind0), int(kind1)}));
        EXPECT_EQ(std::ranges::count(readBytes(path), '\n'),
                  std::ranges::count(before, '\n') + (kind0 == Kind::None));
        EXPECT_EQ(add(reading0).kind, kind1);
    }
}

}  // namespace
}  // namespace zoltrek
