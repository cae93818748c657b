#include "journal/journalfile.h"

#include <fcntl.h>
#include <sys/file.h>

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

// A descriptor that is closed when it goes out of scope, unless the owner closed it.
class Fd {
  public:
    Fd(FileOps& ops, int fd) : ops_(ops), fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0)
            ops_.close(fd_);
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd) {
        if (fd_ >= 0)
            ops_.close(fd_);
        fd_ = fd;
    }
    // Closes now and says whether the system accepted it.
    bool close() { return ops_.close(std::exchange(fd_, -1)) == 0; }

  private:
    FileOps& ops_;
    int fd_;
};

bool writeAll(FileOps& ops, int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ops.write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Reads up to `count` bytes, retrying an interrupted call; -1 with errno on failure.
ssize_t readSome(FileOps& ops, int fd, char* buf, std::size_t count) {
    for (;;) {
        const ssize_t n = ops.read(fd, buf, count);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

// Splits what is left of an open file into lines, a chunk at a time; false, with errno set,
// when a read fails. `size` gets the bytes read.
bool splitRest(FileOps& ops, int fd, LineSplitter& split, const LineSplitter::Sink& sink,
               std::uint64_t& size) {
    std::vector<char> buf(kChunk);
    size = 0;
    for (;;) {
        const ssize_t n = readSome(ops, fd, buf.data(), buf.size());
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
Copied copyRange(FileOps& ops, int in, int out, std::uint64_t from, std::uint64_t to) {
    std::vector<char> buf(kChunk);
    while (from < to) {
        const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(buf.size(), to - from));
        ssize_t n;
        while ((n = ops.pread(in, buf.data(), want, static_cast<off_t>(from))) < 0 &&
               errno == EINTR) {
        }
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
JournalError openRegular(FileOps& ops, const std::string& file, const std::string& path, int flags,
                         Fd& fd, struct stat& st) {
    fd.reset(ops.open(file.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0666));
    if (!fd.valid())
        return systemError(Step::OpenFile, path, errno);
    if (ops.fstat(fd.get(), &st) != 0)
        return systemError(Step::ReadFile, path, errno);
    if (!S_ISREG(st.st_mode))
        return simpleError(JournalError::Kind::NotAFile, path);
    return {};
}

// The file a symbolic link stands for, so that its target is what gets replaced, and its
// folder is the one locked: nothing, with errno set, when a link cannot be followed (replacing
// the link itself would break it). A dangling link stands for the file it would create.
std::optional<std::string> resolveTarget(FileOps& ops, const std::string& path) {
    struct stat st;
    if (ops.lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    std::string real = ops.realPath(path.c_str());
    if (!real.empty())
        return real;
    if (errno != ENOENT)
        return std::nullopt;
    std::string at = path;
    for (int hop = 0; hop < 40; ++hop) {
        if (ops.lstat(at.c_str(), &st) != 0)
            return errno == ENOENT ? std::optional(at) : std::nullopt;
        if (!S_ISLNK(st.st_mode))
            return at;
        const std::string link = ops.readLink(at.c_str());
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
        : fd_(ops, ops.open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0)) {
        if (!fd_.valid()) {
            error_ = systemError(Step::OpenFolder, path, errno);
            return;
        }
        const auto giveUp = std::chrono::steady_clock::now() + wait;
        while (ops.flock(fd_.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR)
                continue;
            if (errno != EWOULDBLOCK) {
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
    struct stat st;
    if (ops.stat(target.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return;
    const std::string folder = folderOf(target), prefix = temporaryPrefix(target);
    std::vector<std::string> names;
    if (!ops.listFolder(folder.c_str(), names))
        return;
    for (const auto& name : names)
        if (name.size() == prefix.size() + kTemporarySuffix && name.starts_with(prefix))
            ops.unlink((folder + "/" + name).c_str());
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
    Fd dir(ops, ops.open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    return dir.valid() && ops.fsync(dir.get()) == 0;
}

// Creates `folder` and the missing folders above it, each made durable in its parent.
bool makeFolders(FileOps& ops, const std::string& folder) {
    struct stat st;
    if (ops.stat(folder.c_str(), &st) == 0)
        return true;  // the lock says so when it is no folder
    if (errno != ENOENT)
        return false;
    const std::string parent = folderOf(folder);
    if (parent != folder && !makeFolders(ops, parent))
        return false;
    if (ops.mkdir(folder.c_str(), 0700) != 0)
        return errno == EEXIST;  // another copy made it first
    return syncFolder(ops, parent);
}

// Whether the last line has its line end (CR, LF or both); nothing, with errno set, when the
// last byte cannot be read. `size` is above 0.
std::optional<bool> endsWithLineEnd(FileOps& ops, int fd, off_t size) {
    char last = 0;
    ssize_t n;
    while ((n = ops.pread(fd, &last, 1, size - 1)) < 0 && errno == EINTR) {
    }
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
    struct stat st;
    if (ops_.stat(path_.c_str(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return result;
        result.status = LoadResult::Status::Failed;
        result.error = systemError(Step::ReadFile, path_, errno);
        return result;
    }
    // Only a regular file under exactly this name is the journal.
    std::vector<std::string> names;
    if (!S_ISREG(st.st_mode))
        return result;
    if (ops_.listFolder(folderOf(path_).c_str(), names) &&
        std::find(names.begin(), names.end(), nameOf(path_)) == names.end())
        return result;

    Fd fd(ops_, ops_.open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK, 0));
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

    struct stat st;
    const bool existed = ops_.stat(path_.c_str(), &st) == 0 || errno != ENOENT;
    Fd fd(ops_, -1);
    if (JournalError error = openRegular(ops_, path_, path_, O_RDWR | O_APPEND | O_CREAT, fd, st))
        return error;

    const off_t oldSize = st.st_size;
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

    if (!writeAll(ops_, fd.get(), data) || ops_.fdatasync(fd.get()) != 0) {
        JournalError error = systemError(Step::WriteFile, path_, errno);
        if (!existed) {
            // The created file, not a dangling link that stood for it.
            if (ops_.unlink(target->c_str()) != 0)
                error.damaged = true;
        } else if (ops_.ftruncate(fd.get(), oldSize) != 0 || ops_.fdatasync(fd.get()) != 0) {
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
    struct stat st;
    Fd in(ops_, -1);
    if (JournalError error = openRegular(ops_, target, path_, O_RDWR, in, st))
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
    int tmp = -1;
    for (int attempt = 0; attempt < 100 && tmp < 0; ++attempt) {
        temporary = folder + "/" + temporaryPrefix(target) + randomSuffix();
        tmp = ops_.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (tmp < 0 && errno != EEXIST)
            break;
    }
    if (tmp < 0)
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
    struct stat now;
    const bool changed = copied == Copied::Short ||
                         (copied == Copied::All && ops_.fstat(in.get(), &now) == 0 &&
                          (now.st_size != st.st_size || now.st_mtim.tv_sec != st.st_mtim.tv_sec ||
                           now.st_mtim.tv_nsec != st.st_mtim.tv_nsec));
    if (changed) {
        ops_.unlink(temporary.c_str());
        return simpleError(JournalError::Kind::ChangedOnDisk, path_);
    }
    const bool written = copied == Copied::All && ops_.fdatasync(out.get()) == 0 &&
                         ops_.fchmod(out.get(), st.st_mode & 07777) == 0;
    if (written)
        ops_.fchown(out.get(), st.st_uid, st.st_gid);  // keeps the owner when we may
    if (!written || !out.close() || ops_.rename(temporary.c_str(), target.c_str()) != 0) {
        JournalError error = systemError(Step::WriteFile, path_, errno);
        ops_.unlink(temporary.c_str());
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
