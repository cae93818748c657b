#include "journal/fileops.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace zoltrek {

namespace {

int fd(FileHandle file) {
    return static_cast<int>(file);
}

// Repeats a call that a signal interrupted before it did anything.
template <typename Call>
auto uninterrupted(const Call& call) {
    auto result = call();
    while (result < 0 && errno == EINTR)
        result = call();
    return result;
}

int flagsFor(OpenMode mode) {
    switch (mode) {
        case OpenMode::Read:
            return O_RDONLY | O_NONBLOCK;  // a pipe in the journal's place must not hang us
        case OpenMode::ReadWrite:
            return O_RDWR | O_NONBLOCK;
        case OpenMode::Append:
        case OpenMode::AppendPrivate:
            return O_RDWR | O_APPEND | O_CREAT | O_NONBLOCK;
        case OpenMode::CreateNew:
            return O_WRONLY | O_CREAT | O_EXCL;
        case OpenMode::Folder:
        case OpenMode::FolderLock:
            return O_RDONLY | O_DIRECTORY;
    }
    return O_RDONLY;
}

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    return S_ISLNK(mode) ? FileKind::Link : FileKind::Other;
}

bool fill(FileStatus& status, int result, const struct stat& st) {
    if (result != 0)
        return false;
    status.kind = kindOf(st.st_mode);
    status.size = static_cast<std::uint64_t>(st.st_size);
    status.modified =
        std::chrono::seconds(st.st_mtim.tv_sec) + std::chrono::nanoseconds(st.st_mtim.tv_nsec);
    status.traits = {static_cast<std::uint32_t>(st.st_mode & 07777), st.st_uid, st.st_gid};
    return true;
}

}  // namespace

FileHandle FileOps::open(const std::string& path, OpenMode mode) {
    const bool private_ = mode == OpenMode::CreateNew || mode == OpenMode::AppendPrivate;
    const mode_t permissions = private_ ? 0600 : 0666;
    const int opened = uninterrupted(
        [&] { return ::open(path.c_str(), flagsFor(mode) | O_CLOEXEC, permissions); });
    return opened == -1 ? FileHandle::None : static_cast<FileHandle>(opened);
}

// Never repeated: Linux has closed the descriptor even when it says EINTR.
bool FileOps::close(FileHandle file) {
    return ::close(fd(file)) == 0;
}

std::ptrdiff_t FileOps::read(FileHandle file, char* buf, std::size_t count) {
    return uninterrupted([&] { return ::read(fd(file), buf, count); });
}

std::ptrdiff_t FileOps::readAt(FileHandle file, char* buf, std::size_t count,
                               std::uint64_t offset) {
    return uninterrupted([&] { return ::pread(fd(file), buf, count, static_cast<off_t>(offset)); });
}

std::ptrdiff_t FileOps::write(FileHandle file, const char* buf, std::size_t count) {
    return uninterrupted([&] { return ::write(fd(file), buf, count); });
}

bool FileOps::syncData(FileHandle file) {
    return uninterrupted([&] { return ::fdatasync(fd(file)); }) == 0;
}

bool FileOps::syncFolder(FileHandle folder) {
    return uninterrupted([&] { return ::fsync(fd(folder)); }) == 0;
}

bool FileOps::truncate(FileHandle file, std::uint64_t size) {
    return uninterrupted([&] { return ::ftruncate(fd(file), static_cast<off_t>(size)); }) == 0;
}

bool FileOps::keepTraits(FileHandle file, const FileTraits& traits) {
    if (::fchmod(fd(file), traits.permissions) != 0)
        return false;
    // Only root may give a file away; a user's replacement is simply theirs.
    [[maybe_unused]] const int given = ::fchown(fd(file), traits.owner, traits.group);
    return true;
}

LockAttempt FileOps::tryLock(FileHandle lock) {
    if (uninterrupted([&] { return ::flock(fd(lock), LOCK_EX | LOCK_NB); }) == 0)
        return LockAttempt::Locked;
    return errno == EWOULDBLOCK ? LockAttempt::Busy : LockAttempt::Failed;
}

bool FileOps::status(FileHandle file, FileStatus& status) {
    struct stat st;
    return fill(status, ::fstat(fd(file), &st), st);
}

bool FileOps::statusAt(const std::string& path, FileStatus& status) {
    struct stat st;
    return fill(status, ::stat(path.c_str(), &st), st);
}

bool FileOps::linkStatusAt(const std::string& path, FileStatus& status) {
    struct stat st;
    return fill(status, ::lstat(path.c_str(), &st), st);
}

bool FileOps::rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool FileOps::remove(const std::string& path) {
    return ::unlink(path.c_str()) == 0;
}

bool FileOps::makeFolder(const std::string& path) {
    return ::mkdir(path.c_str(), 0700) == 0;
}

bool FileOps::listFolder(const std::string& path, std::vector<std::string>& names) {
    DIR* dir = ::opendir(path.c_str());
    if (!dir)
        return false;
    errno = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    const int err = errno;
    ::closedir(dir);
    errno = err;
    return err == 0;
}

bool FileOps::mayCreateFilesIn(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string FileOps::realPath(const std::string& path) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (!resolved)
        return {};
    std::string out(resolved);
    std::free(resolved);
    return out;
}

std::string FileOps::readLink(const std::string& path) {
    // A link holds less than PATH_MAX bytes, as symlink() takes no longer target.
    char target[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
    return length == -1 ? std::string() : std::string(target, static_cast<std::size_t>(length));
}

bool FileOps::isOwn(const FileStatus& status) {
    return status.traits.owner == ::geteuid();
}

bool FileOps::othersMayWrite(const FileStatus& status) {
    return (status.traits.permissions & 022) != 0;
}

bool sameFileName(std::string_view a, std::string_view b) {
    return a == b;
}

std::string shownPath(const std::string& path) {
    return path;
}

std::string systemWords(int err) {
    if (err == EDQUOT)
        return "превышена дисковая квота";
    return std::strerror(err);
}

}  // namespace zoltrek
