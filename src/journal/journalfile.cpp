#include "journal/journalfile.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <random>
#include <thread>
#include <utility>

#include "journal/codepage.h"
#include "journal/lines.h"
#include "journal/parseline.h"

namespace zoltrek {

namespace {

constexpr std::size_t kChunk = 64 * 1024;
constexpr std::size_t kTemporarySuffix = 6;

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool hasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

using Kind = JournalError::Kind;
using Step = JournalError::Step;

JournalError systemError(Step step, const std::string& path, int err) {
    JournalError error;
    error.kind = Kind::System;
    error.step = step;
    error.path = path;
    error.err = err;
    return error;
}

JournalError simpleError(Kind kind, const std::string& path) {
    JournalError error;
    error.kind = kind;
    error.path = path;
    return error;
}

// Where a write finds the journal: the path as the user names it, which every message says, and
// the file itself once links are followed, whose folder is locked and holds the temporary files
// of a rewrite (".<name>.zoltrek-XXXXXX", a name no one else makes).
struct JournalPaths {
    std::string named;
    std::string real;

    std::string folder() const { return folderOf(real); }
    std::string temporaryPrefix() const { return "." + nameOf(real) + ".zoltrek-"; }
    bool isTemporary(const std::string& name) const {
        return name.size() == temporaryPrefix().size() + kTemporarySuffix &&
               name.starts_with(temporaryPrefix());
    }
};

// An open file, closed when it goes out of scope unless its owner closed it.
class OpenFile {
  public:
    explicit OpenFile(FileOps& ops, FileHandle handle = FileHandle::None)
        : ops_(ops), handle_(handle) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() { reset(FileHandle::None); }

    FileHandle get() const { return handle_; }
    bool valid() const { return handle_ != FileHandle::None; }
    void reset(FileHandle handle) {
        if (valid())
            ops_.close(handle_);
        handle_ = handle;
    }
    // Closes now and says whether the system accepted it.
    bool close() { return ops_.close(std::exchange(handle_, FileHandle::None)); }

  private:
    FileOps& ops_;
    FileHandle handle_;
};

bool writeAll(FileOps& ops, FileHandle file, std::string_view data) {
    while (!data.empty()) {
        const std::ptrdiff_t n = ops.write(file, data.data(), data.size());
        if (n <= 0) {
            if (n == 0)  // a disk that takes nothing and says nothing would hold us for ever
                errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Splits what is left of an open file into lines, a chunk at a time; false, with errno set,
// when a read fails. `size` gets the bytes read.
bool splitRest(FileOps& ops, FileHandle file, const LineSplitter::Sink& sink, std::uint64_t& size) {
    LineSplitter split(JournalFile::kMaxLine);
    std::vector<char> buf(kChunk);
    size = 0;
    for (;;) {
        const std::ptrdiff_t n = ops.read(file, buf.data(), buf.size());
        if (n < 0)
            return false;
        if (n == 0) {
            split.finish(sink);
            return true;
        }
        size += static_cast<std::uint64_t>(n);
        if (!split.feed(std::string_view(buf.data(), static_cast<std::size_t>(n)), sink))
            return true;
    }
}

enum class Copied { All, Short, Failed };

// Copies the bytes [from, to) of one file to the end of another, a chunk at a time.
Copied copyRange(FileOps& ops, FileHandle in, FileHandle out, std::uint64_t from,
                 std::uint64_t to) {
    std::vector<char> buf(kChunk);
    while (from < to) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), to - from));
        const std::ptrdiff_t n = ops.readAt(in, buf.data(), want, from);
        if (n < 0)
            return Copied::Failed;
        if (n == 0)
            return Copied::Short;
        if (!writeAll(ops, out, std::string_view(buf.data(), static_cast<std::size_t>(n))))
            return Copied::Failed;
        from += static_cast<std::uint64_t>(n);
    }
    return Copied::All;
}

// Opens the journal and checks that it is a regular file, not a folder, a pipe or a device.
JournalError openRegular(FileOps& ops, const JournalPaths& paths, OpenMode mode, OpenFile& file,
                         FileStatus& status) {
    file.reset(ops.open(paths.real, mode));
    if (!file.valid())
        return systemError(Step::OpenFile, paths.named, errno);
    if (!ops.status(file.get(), status))
        return systemError(Step::ReadFile, paths.named, errno);
    if (status.kind != FileKind::Regular)
        return simpleError(Kind::NotAFile, paths.named);
    return {};
}

// Makes a new or renamed entry of the folder durable.
bool syncFolderAt(FileOps& ops, const std::string& folder) {
    OpenFile dir(ops, ops.open(folder, OpenMode::Folder));
    return dir.valid() && ops.syncFolder(dir.get());
}

// After a change of the journal's entry, its folder is synced; if that fails, the change is made
// but may not survive a power cut, and the user is told so.
JournalError syncFolderAfterChange(FileOps& ops, const JournalPaths& paths) {
    if (syncFolderAt(ops, paths.folder()))
        return {};
    JournalError error = systemError(Step::SyncFolder, paths.named, errno);
    error.committed = true;
    return error;
}

// Creates `folder` and the missing folders above it, each made durable in its parent.
bool makeFolders(FileOps& ops, const std::string& folder) {
    FileStatus status;
    if (ops.statusAt(folder, status))
        return true;  // the lock says so when it is no folder
    if (errno != ENOENT)
        return false;
    const std::string parent = folderOf(folder);
    if (parent != folder && !makeFolders(ops, parent))
        return false;
    if (!ops.makeFolder(folder))
        return errno == EEXIST;  // another copy made it first
    return syncFolderAt(ops, parent);
}

// Whether a folder could hold only what the user or root put there.
bool keptByUser(FileOps& ops, const std::string& folder) {
    FileStatus status;
    return ops.statusAt(folder, status) && (ops.isOwn(status) || status.traits.owner == 0) &&
           !ops.othersMayWrite(status);
}

// The first link on the way from `path` to its file, in any of its folders or the name itself,
// that neither the user nor root made and that stands in a folder others may write: another
// user's link in a shared folder could point the journal at any file of the user's. Nothing when
// every link is trusted, or when the walk stops at a name that is missing or cannot be read,
// which the use of the path then reports. A loop ends at the count the system allows.
std::optional<std::string> foreignLink(FileOps& ops, const std::string& path) {
    // The walk has reached a folder without links (absolute: "" is the root), and has the names
    // left to take, the next one last.
    std::string reached = path.starts_with('/') ? "" : ops.realPath(".");
    if (!path.starts_with('/') && reached.empty())
        return std::nullopt;
    std::vector<std::string> left;
    const auto push = [&left](std::string_view names) {
        for (std::size_t end = names.size(); end != std::string_view::npos && end > 0;) {
            const std::size_t slash = names.rfind('/', end - 1);
            const std::size_t begin = slash == std::string_view::npos ? 0 : slash + 1;
            if (end > begin)
                left.emplace_back(names.substr(begin, end - begin));
            end = slash;
        }
    };
    push(path);
    for (int hops = 0; !left.empty();) {
        const std::string name = std::move(left.back());
        left.pop_back();
        if (name == ".")
            continue;
        if (name == "..") {  // the reached folder has no links, so its parent is plain
            reached.resize(std::min(reached.size(), reached.rfind('/')));
            continue;
        }
        const std::string at = reached + "/" + name;
        FileStatus link;
        if (!ops.linkStatusAt(at, link))
            return std::nullopt;
        if (link.kind != FileKind::Link) {
            reached = at;
            continue;
        }
        if (++hops > 40)
            return std::nullopt;
        if (!ops.isOwn(link) && link.traits.owner != 0 &&
            !keptByUser(ops, reached.empty() ? "/" : reached))
            return at;
        const std::string target = ops.readLink(at);
        if (target.empty())
            return std::nullopt;
        if (target.front() == '/')
            reached.clear();
        push(target);
    }
    return std::nullopt;
}

JournalError foreignLinkError(const std::string& journal, const std::string& link) {
    JournalError error = simpleError(Kind::ForeignLink, journal);
    error.link = link;
    return error;
}

// The file a symbolic link stands for, so that its target is what gets replaced, and its folder
// is the one locked: nothing, with errno set, when a link cannot be followed (replacing the link
// itself would break it).
std::optional<std::string> realFile(FileOps& ops, const std::string& path) {
    FileStatus status;
    if (!ops.linkStatusAt(path, status) || status.kind != FileKind::Link)
        return path;
    if (std::string real = ops.realPath(path); !real.empty())
        return real;
    if (errno != ENOENT)
        return std::nullopt;
    // A dangling link stands for the file it would create; a chain of links that never ends makes
    // realPath say ELOOP, never ENOENT, so this ends.
    const std::string link = ops.readLink(path);
    if (link.empty())
        return std::nullopt;
    return realFile(ops, link.front() == '/' ? link : folderOf(path) + "/" + link);
}

// A write's hold on the journal: its file found behind any link and the exclusive lock of that
// file's folder, so two copies of the program never lose each other's lines. Closing the folder
// releases the lock, so a killed process never leaves one behind.
class JournalHold {
  public:
    JournalHold(FileOps& ops, const std::string& named, bool makesFolders,
                std::chrono::milliseconds wait)
        : ops_(ops), lock_(ops) {
        error_ = take(named, makesFolders, wait);
    }
    const JournalError& error() const { return error_; }
    const JournalPaths& paths() const { return paths_; }

  private:
    JournalError take(const std::string& named, bool makesFolders, std::chrono::milliseconds wait) {
        if (const auto link = foreignLink(ops_, named))
            return foreignLinkError(named, *link);
        const auto real = realFile(ops_, named);
        if (!real)
            return systemError(Step::OpenFile, named, errno);
        paths_ = {named, *real};
        if (makesFolders)
            if (JournalError error = makeDataFolder(folderOf(named)))
                return error;
        if (JournalError error = lock(wait))
            return error;
        removeStaleTemporaries();
        return {};
    }

    // Only the journal's own folders are made: a dangling link there stands for a file on a
    // drive not mounted, or in a folder someone else named, and is refused as anywhere else. The
    // user's data folder is the user's alone: one that another user made, or may write, could
    // hand the journal to them.
    JournalError makeDataFolder(const std::string& folder) {
        if (!makeFolders(ops_, folder))
            return systemError(Step::CreateFolder, paths_.named, errno);
        FileStatus status;
        if (ops_.statusAt(folder, status) && (!ops_.isOwn(status) || ops_.othersMayWrite(status)))
            return simpleError(Kind::UnsafeFolder, folder);
        return {};
    }

    // The wait for another copy is bounded, so a copy that hangs never hangs this one.
    JournalError lock(std::chrono::milliseconds wait) {
        lock_.reset(ops_.open(paths_.folder(), OpenMode::FolderLock));
        if (!lock_.valid())
            return systemError(Step::OpenFolder, paths_.named, errno);
        const auto giveUp = std::chrono::steady_clock::now() + wait;
        for (LockAttempt attempt; (attempt = ops_.tryLock(lock_.get())) != LockAttempt::Locked;) {
            if (attempt == LockAttempt::Failed)
                return systemError(Step::LockFolder, paths_.named, errno);
            if (std::chrono::steady_clock::now() >= giveUp)
                return simpleError(Kind::Busy, paths_.named);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return {};
    }

    // A temporary file still there under the lock was left by a run that was killed. Only a
    // regular file is ever rewritten: beside anything else such names are someone else's files.
    // Of the names, only a regular file of the user's own goes: another user's file, a link or a
    // pipe of that name was not made by this program.
    void removeStaleTemporaries() {
        FileStatus status;
        std::vector<std::string> names;
        if (ops_.statusAt(paths_.real, status) && status.kind != FileKind::Regular)
            return;
        if (!ops_.listFolder(paths_.folder(), names))
            return;
        for (const auto& name : names) {
            const std::string path = paths_.folder() + "/" + name;
            if (paths_.isTemporary(name) && ops_.linkStatusAt(path, status) &&
                status.kind == FileKind::Regular && ops_.isOwn(status))
                ops_.remove(path);
        }
    }

    FileOps& ops_;
    JournalPaths paths_;
    OpenFile lock_;
    JournalError error_;
};

// An append under the hold: the whole text in one write, synced, or undone on any failure.
class Appender {
  public:
    // A journal the append creates in the user's data folder is the user's alone.
    Appender(FileOps& ops, const JournalPaths& paths, OpenMode mode)
        : ops_(ops), paths_(paths), file_(ops), mode_(mode) {}

    JournalError append(std::string_view line) {
        std::string text;
        if (JournalError error = open())
            return error;
        if (JournalError error = endLastLine(text))
            return error;
        text.append(line).append("\r\n");
        if (JournalError error = writeOrUndo(text))
            return error;
        // The data is on disk once synced; a complaint from close changes nothing.
        file_.close();
        return existed_ ? JournalError{} : syncFolderAfterChange(ops_, paths_);
    }

  private:
    JournalError open() {
        FileStatus status;
        existed_ = ops_.statusAt(paths_.real, status) || errno != ENOENT;
        if (JournalError error = openRegular(ops_, paths_, mode_, file_, status))
            return error;
        oldSize_ = status.size;
        return {};
    }

    // A last line without its line end gets one first: guessing here would glue the new line
    // onto it, or add an empty line.
    JournalError endLastLine(std::string& text) {
        char last = '\n';
        if (oldSize_ > 0) {
            const std::ptrdiff_t n = ops_.readAt(file_.get(), &last, 1, oldSize_ - 1);
            if (n != 1)
                return systemError(Step::ReadFile, paths_.named, n < 0 ? errno : EIO);
        }
        if (last != '\r' && last != '\n')
            text = "\r\n";
        return {};
    }

    // An undo that fails too leaves the file damaged, and the error says so.
    JournalError writeOrUndo(std::string_view text) {
        if (writeAll(ops_, file_.get(), text) && ops_.syncData(file_.get()))
            return {};
        JournalError error = systemError(Step::WriteFile, paths_.named, errno);
        if (!existed_)  // the created file, not a dangling link that stood for it
            error.damaged = !ops_.remove(paths_.real);
        else
            error.damaged = !ops_.truncate(file_.get(), oldSize_) || !ops_.syncData(file_.get());
        return error;
    }

    FileOps& ops_;
    const JournalPaths& paths_;
    OpenFile file_;
    std::uint64_t oldSize_ = 0;
    OpenMode mode_;
    bool existed_ = false;
};

// Not mkostemp's, which asks the system for a varying count of random numbers from run to run.
std::string randomSuffix() {
    static constexpr char kChars[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kChars - 2);
    std::string suffix(kTemporarySuffix, ' ');
    for (char& c : suffix)
        c = kChars[pick(generator)];
    return suffix;
}

// The file a rewrite writes the new text to, beside the journal under a name nobody holds;
// removed again unless it took the journal's place.
class TemporaryFile {
  public:
    TemporaryFile(FileOps& ops, const JournalPaths& paths) : ops_(ops), file_(ops) {
        for (int attempt = 0; attempt < 100 && !file_.valid(); ++attempt) {
            name_ = paths.folder() + "/" + paths.temporaryPrefix() + randomSuffix();
            file_.reset(ops.open(name_, OpenMode::CreateNew));
            if (!file_.valid() && errno != EEXIST)
                break;
        }
        created_ = file_.valid();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        file_.reset(FileHandle::None);
        if (created_)
            ops_.remove(name_);
    }

    bool created() const { return created_; }
    FileHandle get() const { return file_.get(); }
    // Moves the closed file over `target`; it is no longer ours to remove.
    bool replace(const std::string& target) {
        if (!file_.close() || !ops_.rename(name_, target))
            return false;
        created_ = false;
        return true;
    }

  private:
    FileOps& ops_;
    OpenFile file_;
    std::string name_;
    bool created_ = false;
};

// Where a line stands in the file: its first byte, its line end and the line after it.
struct Span {
    std::uint64_t begin, textEnd, next;
};

// A rewrite under the hold: the new text goes to a temporary file that replaces the journal in
// one rename, so the journal holds either its old bytes or its new ones, never a mixture.
class Rewriter {
  public:
    Rewriter(FileOps& ops, const JournalPaths& paths) : ops_(ops), paths_(paths), in_(ops) {}

    JournalError rewrite(const LineRef& old, const std::optional<std::string>& replacement) {
        Span at{};
        if (JournalError error = open())
            return error;
        if (JournalError error = findLine(old, at))
            return error;
        TemporaryFile temporary(ops_, paths_);
        if (!temporary.created())
            return systemError(Step::CreateTemporary, paths_.named, errno);
        if (JournalError error = writeCopy(temporary.get(), at, replacement))
            return error;
        return commit(temporary);
    }

  private:
    // Opened for writing although only read: the rename would replace a file that its mode
    // keeps from being written.
    JournalError open() {
        const JournalError error = openRegular(ops_, paths_, OpenMode::ReadWrite, in_, status_);
        return error.err == ENOENT ? simpleError(Kind::ChangedOnDisk, paths_.named) : error;
    }

    // Under the lock, where the line stands now; when it is not there, the error says where its
    // bytes stand if they stand in the file once.
    JournalError findLine(const LineRef& old, Span& at) {
        std::optional<Span> found;
        std::size_t copies = 0, firstCopy = 0;
        const auto look = [&](const LineSplitter::Line& line) {
            if (!line.tooLong && line.text == old.bytes) {
                if (copies++ == 0)
                    firstCopy = line.index;
                if (line.index == old.index)
                    found = Span{line.begin, line.textEnd, line.next};
            }
            return true;
        };
        if (!splitRest(ops_, in_.get(), look, size_))
            return systemError(Step::ReadFile, paths_.named, errno);
        JournalError error =
            found ? JournalError{} : simpleError(Kind::ChangedOnDisk, paths_.named);
        if (!found && copies == 1)
            error.movedTo = firstCopy;
        at = found.value_or(Span{});
        return error;
    }

    // Everything but the line, copied a chunk at a time; the line end stays the line's own. A
    // file changed behind the lock (by another program) would come out a mixture.
    JournalError writeCopy(FileHandle out, const Span& at,
                           const std::optional<std::string>& replacement) {
        Copied copied = copyRange(ops_, in_.get(), out, 0, at.begin);
        if (copied == Copied::All && replacement) {
            copied = writeAll(ops_, out, *replacement) ? Copied::All : Copied::Failed;
            if (copied == Copied::All)
                copied = copyRange(ops_, in_.get(), out, at.textEnd, at.next);
        }
        if (copied == Copied::All)
            copied = copyRange(ops_, in_.get(), out, at.next, size_);
        if (copied == Copied::Failed)
            return systemError(Step::WriteFile, paths_.named, errno);
        FileStatus now;
        if (copied == Copied::All && !ops_.status(in_.get(), now))
            return systemError(Step::ReadFile, paths_.named, errno);
        if (copied == Copied::Short || now.size != status_.size || now.modified != status_.modified)
            return simpleError(Kind::ChangedOnDisk, paths_.named);
        return {};
    }

    // The copy takes the journal's place once it is on disk with what the journal kept; syncing
    // the folder then makes the rename survive a power cut.
    JournalError commit(TemporaryFile& temporary) {
        // Our own reading ends first: a system that replaces no open file would refuse it.
        in_.reset(FileHandle::None);
        if (!ops_.syncData(temporary.get()) || !ops_.keepTraits(temporary.get(), status_.traits) ||
            !temporary.replace(paths_.real))
            return systemError(Step::WriteFile, paths_.named, errno);
        return syncFolderAfterChange(ops_, paths_);
    }

    FileOps& ops_;
    const JournalPaths& paths_;
    OpenFile in_;
    FileStatus status_;
    std::uint64_t size_ = 0;
};

// Whether `path` names a journal: a regular file under exactly that name (a name that differs in
// case only is another file's where the file system tells case apart); nothing, with errno set,
// when the system cannot tell.
std::optional<bool> isJournal(FileOps& ops, const std::string& path) {
    FileStatus status;
    if (!ops.statusAt(path, status))
        return errno == ENOENT || errno == ENOTDIR ? std::optional(false) : std::nullopt;
    if (status.kind != FileKind::Regular)
        return false;
    std::vector<std::string> names;
    return !ops.listFolder(folderOf(path), names) ||
           std::ranges::any_of(names,
                               [&](const auto& name) { return sameFileName(name, nameOf(path)); });
}

// Takes one line of the load into `journal`; false stops the load. A line too long to be a
// record reaches us without its text, and is skipped like any other malformed line. Empty lines
// are passed over without a word, but count with the malformed ones toward the cap: a file of
// nothing but line ends would otherwise hold the start and every save for as long as it is read.
bool takeLine(const LineSplitter::Line& line, Journal& journal, LoadResult& result) {
    const bool empty = !line.tooLong && line.text.empty();
    const auto record = line.tooLong || empty ? std::nullopt : ParseLine(line.text);
    if (!record && result.skippedCount + result.emptyCount == JournalFile::kMaxSkipped) {
        result.leftUnloaded = true;
        return false;
    }
    if (empty) {
        ++result.emptyCount;
        return true;
    }
    if (!record) {
        ++result.skippedCount;
        if (result.skippedLines.size() < JournalFile::kReportedLines)
            result.skippedLines.push_back(line.index + 1);
        return true;
    }
    if (journal.full()) {
        result.leftUnloaded = true;
        return false;
    }
    ++journal.JournalLast;
    journal.records[journal.JournalLast] = *record;
    journal.lines[journal.JournalLast] = LineRef{line.index, std::string(line.text)};
    return true;
}

LoadResult failedLoad(Step step, const std::string& path, int err) {
    LoadResult result;
    result.status = LoadResult::Status::Failed;
    result.error = systemError(step, path, err);
    return result;
}

}  // namespace

JournalFile::JournalFile(std::string path, FileOps& ops) : path_(std::move(path)), ops_(ops) {}

LoadResult JournalFile::load(Journal& journal) const {
    if (const auto link = foreignLink(ops_, path_)) {
        LoadResult refused;
        refused.status = LoadResult::Status::Failed;
        refused.error = foreignLinkError(path_, *link);
        return refused;
    }
    const std::optional<bool> present = isJournal(ops_, path_);
    if (!present)
        return failedLoad(Step::ReadFile, path_, errno);
    LoadResult result;
    if (!*present)
        return result;
    OpenFile file(ops_, ops_.open(path_, OpenMode::Read));
    if (!file.valid())
        return failedLoad(Step::OpenFile, path_, errno);
    Journal fresh = journal;
    fresh.JournalLast = -1;
    std::uint64_t size = 0;
    const auto take = [&](const LineSplitter::Line& line) { return takeLine(line, fresh, result); };
    if (!splitRest(ops_, file.get(), take, size))
        return failedLoad(Step::ReadFile, path_, errno);
    journal = std::move(fresh);
    result.status = LoadResult::Status::Loaded;
    return result;
}

JournalError JournalFile::append(std::string_view line) {
    return appendLine(line, nullptr);
}

JournalError JournalFile::add(std::string_view line, const AddCheck& check) {
    return appendLine(line, &check);
}

JournalError JournalFile::appendLine(std::string_view text, const AddCheck* check) {
    const std::string line = toCp1251(text);
    if (hasLineBreak(line))
        return simpleError(Kind::BadLine, path_);
    const JournalHold hold(ops_, path_, createsFolders_, lockWait_);
    if (hold.error())
        return hold.error();
    if (check)
        if (JournalError refusal = checkUnderLock(*check))
            return refusal;
    const OpenMode mode = createsFolders_ ? OpenMode::AppendPrivate : OpenMode::Append;
    return Appender(ops_, hold.paths(), mode).append(line);
}

JournalError JournalFile::checkUnderLock(const AddCheck& check) const {
    Journal now;
    const LoadResult loaded = load(now);
    if (loaded.status == LoadResult::Status::Failed)
        return loaded.error;
    if (const Kind refusal = check(now, loaded.leftUnloaded); refusal != Kind::None)
        return simpleError(refusal, path_);
    return {};
}

JournalError JournalFile::replaceLine(const LineRef& old, std::string_view newLine) {
    return rewrite(old, toCp1251(newLine));
}

JournalError JournalFile::editLine(const LineRef& old, const FieldEdits& edits) {
    return rewrite(old, editedLine(old.bytes, edits));
}

JournalError JournalFile::removeLine(const LineRef& old) {
    return rewrite(old, std::nullopt);
}

JournalError JournalFile::rewrite(const LineRef& old,
                                  const std::optional<std::string>& replacement) {
    if (replacement && hasLineBreak(*replacement))
        return simpleError(Kind::BadLine, path_);
    const JournalHold hold(ops_, path_, false, lockWait_);
    if (hold.error())
        return hold.error();
    return Rewriter(ops_, hold.paths()).rewrite(old, replacement);
}

}  // namespace zoltrek
