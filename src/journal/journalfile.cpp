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

using Step = JournalError::Step;

JournalError systemError(Step step, const std::string& path, int err) {
    JournalError error;
    error.kind = JournalError::Kind::System;
    error.step = step;
    error.path = path;
    error.err = err;
    return error;
}

JournalError simpleError(JournalError::Kind kind, const std::string& path) {
    JournalError error;
    error.kind = kind;
    error.path = path;
    return error;
}

// A file that is closed when it goes out of scope, unless the owner closed it.
class Fd {
  public:
    Fd(FileOps& ops, FileHandle fd) : ops_(ops), fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (valid())
            ops_.close(fd_);
    }
    FileHandle get() const { return fd_; }
    bool valid() const { return fd_ != FileHandle::None; }
    void reset(FileHandle fd) {
        if (valid())
            ops_.close(fd_);
        fd_ = fd;
    }
    // Closes now and says whether the system accepted it.
    bool close() { return ops_.close(std::exchange(fd_, FileHandle::None)); }

  private:
    FileOps& ops_;
    FileHandle fd_;
};

bool writeAll(FileOps& ops, FileHandle fd, std::string_view data) {
    while (!data.empty()) {
        const std::ptrdiff_t n = ops.write(fd, data.data(), data.size());
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Splits what is left of an open file into lines, a chunk at a time; false, with errno set,
// when a read fails. `size` gets the bytes read.
bool splitRest(FileOps& ops, FileHandle fd, LineSplitter& split, const LineSplitter::Sink& sink,
               std::uint64_t& size) {
    std::vector<char> buf(kChunk);
    size = 0;
    for (;;) {
        const std::ptrdiff_t n = ops.read(fd, buf.data(), buf.size());
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

// Opens the journal (`file`, named `path` in messages) and checks that it is a regular file,
// not a folder, a pipe or a device.
JournalError openRegular(FileOps& ops, const std::string& file, const std::string& path,
                         OpenMode mode, Fd& fd, FileStatus& st) {
    fd.reset(ops.open(file, mode));
    if (!fd.valid())
        return systemError(Step::OpenFile, path, errno);
    if (!ops.status(fd.get(), st))
        return systemError(Step::ReadFile, path, errno);
    if (st.kind != FileKind::Regular)
        return simpleError(JournalError::Kind::NotAFile, path);
    return {};
}

// The file a symbolic link stands for, so that its target is what gets replaced, and its
// folder is the one locked: nothing, with errno set, when a link cannot be followed (replacing
// the link itself would break it). A dangling link stands for the file it would create.
std::optional<std::string> resolveTarget(FileOps& ops, const std::string& path) {
    FileStatus st;
    if (!ops.linkStatusAt(path, st) || st.kind != FileKind::Link)
        return path;
    std::string real = ops.realPath(path);
    if (!real.empty())
        return real;
    if (errno != ENOENT)
        return std::nullopt;
    std::string at = path;
    for (int hop = 0; hop < 40; ++hop) {
        if (!ops.linkStatusAt(at, st))
            return errno == ENOENT ? std::optional(at) : std::nullopt;
        if (st.kind != FileKind::Link)
            return at;
        const std::string link = ops.readLink(at);
        if (link.empty())
            return std::nullopt;
        at = link.front() == '/' ? link : folderOf(at) + "/" + link;
    }
    errno = ELOOP;
    return std::nullopt;
}

// Holds the exclusive lock on the folder of the journal's file (`target`) while it lives;
// closing the folder releases it, so a killed process never leaves a lock behind. The wait for
// another copy is bounded, so a copy that hangs never hangs this one.
class FolderLock {
  public:
    FolderLock(FileOps& ops, const std::string& target, const std::string& path,
               std::chrono::milliseconds wait)
        : fd_(ops, ops.open(folderOf(target), OpenMode::FolderLock)) {
        if (!fd_.valid()) {
            error_ = systemError(Step::OpenFolder, path, errno);
            return;
        }
        const auto giveUp = std::chrono::steady_clock::now() + wait;
        for (LockAttempt attempt; (attempt = ops.tryLock(fd_.get())) != LockAttempt::Locked;) {
            if (attempt == LockAttempt::Failed) {
                error_ = systemError(Step::LockFolder, path, errno);
                return;
            }
            if (std::chrono::steady_clock::now() >= giveUp) {
                error_ = simpleError(JournalError::Kind::Busy, path);
                return;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    const JournalError& error() const { return error_; }

  private:
    Fd fd_;
    JournalError error_;
};

// Temporary files of a rewrite sit beside the journal as ".<name>.XXXXXX".
std::string temporaryPrefix(const std::string& target) {
    return "." + nameOf(target) + ".";
}
constexpr std::size_t kTemporarySuffix = 6;

// Any temporary file still there under the lock was left by a run that was killed. Only a
// regular file is ever rewritten: beside anything else such names are someone else's files.
void removeStaleTemporaries(FileOps& ops, const std::string& target) {
    FileStatus st;
    if (ops.statusAt(target, st) && st.kind != FileKind::Regular)
        return;
    const std::string folder = folderOf(target), prefix = temporaryPrefix(target);
    std::vector<std::string> names;
    if (!ops.listFolder(folder, names))
        return;
    for (const auto& name : names)
        if (name.size() == prefix.size() + kTemporarySuffix && name.starts_with(prefix))
            ops.remove(folder + "/" + name);
}

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

// Makes a new or renamed entry of the folder durable.
bool syncFolder(FileOps& ops, const std::string& folder) {
    Fd dir(ops, ops.open(folder, OpenMode::Folder));
    return dir.valid() && ops.syncFolder(dir.get());
}

// Creates `folder` and the missing folders above it, each made durable in its parent.
bool makeFolders(FileOps& ops, const std::string& folder) {
    FileStatus st;
    if (ops.statusAt(folder, st))
        return true;  // the lock says so when it is no folder
    if (errno != ENOENT)
        return false;
    const std::string parent = folderOf(folder);
    if (parent != folder && !makeFolders(ops, parent))
        return false;
    if (!ops.makeFolder(folder))
        return errno == EEXIST;  // another copy made it first
    return syncFolder(ops, parent);
}

// Whether the last line has its line end (CR, LF or both); nothing, with errno set, when the
// last byte cannot be read. `size` is above 0.
std::optional<bool> endsWithLineEnd(FileOps& ops, FileHandle fd, std::uint64_t size) {
    char last = 0;
    const std::ptrdiff_t n = ops.readAt(fd, &last, 1, size - 1);
    if (n != 1) {
        if (n >= 0)
            errno = EIO;
        return std::nullopt;
    }
    return last == '\r' || last == '\n';
}

}  // namespace

JournalFile::JournalFile(std::string path, FileOps& ops) : path_(std::move(path)), ops_(ops) {}

LoadResult JournalFile::load(Journal& journal) const {
    LoadResult result;
    FileStatus st;
    if (!ops_.statusAt(path_, st)) {
        if (errno == ENOENT || errno == ENOTDIR)
            return result;
        result.status = LoadResult::Status::Failed;
        result.error = systemError(Step::ReadFile, path_, errno);
        return result;
    }
    // Only a regular file under exactly this name is the journal.
    std::vector<std::string> names;
    if (st.kind != FileKind::Regular)
        return result;
    if (ops_.listFolder(folderOf(path_), names) &&
        std::find(names.begin(), names.end(), nameOf(path_)) == names.end())
        return result;

    Fd fd(ops_, ops_.open(path_, OpenMode::Read));
    if (!fd.valid()) {
        result.status = LoadResult::Status::Failed;
        result.error = systemError(Step::OpenFile, path_, errno);
        return result;
    }

    Journal fresh = journal;
    fresh.JournalLast = -1;
    // A line too long to be a record reaches us without its text, and is skipped like any
    // other malformed line.
    const auto takeLine = [&](const LineSplitter::Line& line) {
        if (!line.tooLong && line.text.empty())
            return true;
        const auto record = line.tooLong ? std::nullopt : ParseLine(line.text);
        if (!record) {
            if (result.skippedCount == kMaxSkipped) {
                result.leftUnloaded = true;
                return false;
            }
            ++result.skippedCount;
            if (result.skippedLines.size() < kReportedLines)
                result.skippedLines.push_back(line.index + 1);
            return true;
        }
        if (fresh.full()) {
            result.leftUnloaded = true;
            return false;
        }
        ++fresh.JournalLast;
        fresh.records[fresh.JournalLast] = *record;
        fresh.lines[fresh.JournalLast] = LineRef{line.index, std::string(line.text)};
        return true;
    };
    LineSplitter split(kMaxLine);
    std::uint64_t size = 0;
    if (!splitRest(ops_, fd.get(), split, takeLine, size)) {
        result.status = LoadResult::Status::Failed;
        result.error = systemError(Step::ReadFile, path_, errno);
        return result;
    }
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
        return simpleError(JournalError::Kind::BadLine, path_);
    const auto target = resolveTarget(ops_, path_);
    if (!target)
        return systemError(Step::OpenFile, path_, errno);
    if (createsFolders_ && !makeFolders(ops_, folderOf(*target)))
        return systemError(Step::CreateFolder, path_, errno);
    FolderLock lock(ops_, *target, path_, lockWait_);
    if (lock.error())
        return lock.error();
    removeStaleTemporaries(ops_, *target);

    if (check) {
        Journal now;
        const LoadResult loaded = load(now);
        if (loaded.status == LoadResult::Status::Failed)
            return loaded.error;
        if (const JournalError::Kind refusal = (*check)(now, loaded.leftUnloaded);
            refusal != JournalError::Kind::None)
            return simpleError(refusal, path_);
    }

    FileStatus st;
    const bool existed = ops_.statusAt(path_, st) || errno != ENOENT;
    Fd fd(ops_, FileHandle::None);
    if (JournalError error = openRegular(ops_, path_, path_, OpenMode::Append, fd, st))
        return error;

    const std::uint64_t oldSize = st.size;
    std::string data;
    if (oldSize > 0) {
        // Guessing here would glue the new line onto the last one, or add an empty line.
        const auto ended = endsWithLineEnd(ops_, fd.get(), oldSize);
        if (!ended)
            return systemError(Step::ReadFile, path_, errno);
        if (!*ended)
            data = "\r\n";
    }
    data.append(line).append("\r\n");

    if (!writeAll(ops_, fd.get(), data) || !ops_.syncData(fd.get())) {
        JournalError error = systemError(Step::WriteFile, path_, errno);
        if (!existed) {
            // The created file, not a dangling link that stood for it.
            if (!ops_.remove(*target))
                error.damaged = true;
        } else if (!ops_.truncate(fd.get(), oldSize) || !ops_.syncData(fd.get())) {
            error.damaged = true;
        }
        return error;
    }
    // The data is on disk once fdatasync succeeded; a complaint from close changes nothing.
    fd.close();
    if (existed)
        return {};
    if (!syncFolder(ops_, folderOf(*target))) {
        JournalError error = systemError(Step::SyncFolder, path_, errno);
        error.committed = true;
        return error;
    }
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
        return simpleError(JournalError::Kind::BadLine, path_);
    const auto resolved = resolveTarget(ops_, path_);
    if (!resolved)
        return systemError(Step::OpenFile, path_, errno);
    const std::string& target = *resolved;
    FolderLock lock(ops_, target, path_, lockWait_);
    if (lock.error())
        return lock.error();
    removeStaleTemporaries(ops_, target);

    // Opened for writing although only read: the rename would replace a file that its mode
    // keeps from being written.
    FileStatus st;
    Fd in(ops_, FileHandle::None);
    if (JournalError error = openRegular(ops_, target, path_, OpenMode::ReadWrite, in, st))
        return error.err == ENOENT ? simpleError(JournalError::Kind::ChangedOnDisk, path_) : error;

    // Under the lock, where the line stands now and how often its bytes stand in the file.
    struct Span {
        std::uint64_t begin, textEnd, next;
    };
    std::optional<Span> at;
    std::size_t copies = 0, firstCopy = 0;
    const auto findLine = [&](const LineSplitter::Line& line) {
        if (!line.tooLong && line.text == old.bytes) {
            if (copies++ == 0)
                firstCopy = line.index;
            if (line.index == old.index)
                at = Span{line.begin, line.textEnd, line.next};
        }
        return true;
    };
    LineSplitter split(kMaxLine);
    std::uint64_t size = 0;
    if (!splitRest(ops_, in.get(), split, findLine, size))
        return systemError(Step::ReadFile, path_, errno);
    if (!at) {
        JournalError error = simpleError(JournalError::Kind::ChangedOnDisk, path_);
        if (copies == 1)
            error.movedTo = firstCopy;
        return error;
    }

    // The new text goes to a temporary file that replaces the journal in one rename.
    const std::string folder = folderOf(target);
    std::string temporary;
    FileHandle tmp = FileHandle::None;
    for (int attempt = 0; attempt < 100 && tmp == FileHandle::None; ++attempt) {
        temporary = folder + "/" + temporaryPrefix(target) + randomSuffix();
        tmp = ops_.open(temporary, OpenMode::CreateNew);
        if (tmp == FileHandle::None && errno != EEXIST)
            break;
    }
    if (tmp == FileHandle::None)
        return systemError(Step::CreateTemporary, path_, errno);

    // Everything but the line, copied a chunk at a time; the line end stays the line's own.
    Fd out(ops_, tmp);
    Copied copied = copyRange(ops_, in.get(), out.get(), 0, at->begin);
    if (copied == Copied::All && replacement) {
        copied = writeAll(ops_, out.get(), *replacement) ? Copied::All : Copied::Failed;
        if (copied == Copied::All)
            copied = copyRange(ops_, in.get(), out.get(), at->textEnd, at->next);
    }
    if (copied == Copied::All)
        copied = copyRange(ops_, in.get(), out.get(), at->next, size);
    // A file changed behind the lock (by another program) would come out a mixture.
    FileStatus now;
    const bool changed =
        copied == Copied::Short || (copied == Copied::All && ops_.status(in.get(), now) &&
                                    (now.size != st.size || now.modified != st.modified));
    if (changed) {
        ops_.remove(temporary);
        return simpleError(JournalError::Kind::ChangedOnDisk, path_);
    }
    const bool written =
        copied == Copied::All && ops_.syncData(out.get()) && ops_.keepTraits(out.get(), st.traits);
    if (!written || !out.close() || !ops_.rename(temporary, target)) {
        JournalError error = systemError(Step::WriteFile, path_, errno);
        ops_.remove(temporary);
        return error;
    }

    // The rename is done; syncing the folder makes it survive a power cut.
    if (!syncFolder(ops_, folder)) {
        JournalError error = systemError(Step::SyncFolder, path_, errno);
        error.committed = true;
        return error;
    }
    return {};
}

}  // namespace zoltrek
