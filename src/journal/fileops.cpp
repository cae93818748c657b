#include "journal/fileops.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <cstring>

namespace zoltrek {

int FileOps::open(const char* path, int flags, mode_t mode) {
    return ::open(path, flags, mode);
}
ssize_t FileOps::read(int fd, void* buf, size_t count) {
    return ::read(fd, buf, count);
}
ssize_t FileOps::pread(int fd, void* buf, size_t count, off_t offset) {
    return ::pread(fd, buf, count, offset);
}
ssize_t FileOps::write(int fd, const void* buf, size_t count) {
    return ::write(fd, buf, count);
}
int FileOps::fstat(int fd, struct stat* st) {
    return ::fstat(fd, st);
}
int FileOps::lstat(const char* path, struct stat* st) {
    return ::lstat(path, st);
}
int FileOps::stat(const char* path, struct stat* st) {
    return ::stat(path, st);
}
int FileOps::fdatasync(int fd) {
    return ::fdatasync(fd);
}
int FileOps::fsync(int fd) {
    return ::fsync(fd);
}
int FileOps::ftruncate(int fd, off_t length) {
    return ::ftruncate(fd, length);
}
int FileOps::fchmod(int fd, mode_t mode) {
    return ::fchmod(fd, mode);
}
int FileOps::fchown(int fd, uid_t owner, gid_t group) {
    return ::fchown(fd, owner, group);
}
int FileOps::flock(int fd, int operation) {
    return ::flock(fd, operation);
}
int FileOps::rename(const char* from, const char* to) {
    return ::rename(from, to);
}
int FileOps::unlink(const char* path) {
    return ::unlink(path);
}
int FileOps::mkdir(const char* path, mode_t mode) {
    return ::mkdir(path, mode);
}
int FileOps::close(int fd) {
    return ::close(fd);
}

bool FileOps::listFolder(const char* path, std::vector<std::string>& names) {
    DIR* dir = ::opendir(path);
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

std::string FileOps::realPath(const char* path) {
    char* resolved = ::realpath(path, nullptr);
    if (!resolved)
        return {};
    std::string out(resolved);
    std::free(resolved);
    return out;
}

std::string FileOps::readLink(const char* path) {
    std::string out(256, '\0');
    for (;;) {
        const ssize_t n = ::readlink(path, out.data(), out.size());
        if (n < 0)
            return {};
        if (static_cast<std::size_t>(n) < out.size()) {
            out.resize(static_cast<std::size_t>(n));
            return out;
        }
        out.resize(out.size() * 2);
    }
}

FileOps& FileOps::system() {
    static FileOps ops;
    return ops;
}

}  // namespace zoltrek
