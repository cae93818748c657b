#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace zoltrek {

// The few system calls the journal makes, behind one seam so that tests can make any of them
// fail. Each returns what the system call returns and leaves the reason in errno.
class FileOps {
  public:
    virtual ~FileOps() = default;

    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t read(int fd, void* buf, size_t count);
    virtual ssize_t pread(int fd, void* buf, size_t count, off_t offset);
    virtual ssize_t write(int fd, const void* buf, size_t count);
    virtual int fstat(int fd, struct stat* st);
    virtual int lstat(const char* path, struct stat* st);
    virtual int stat(const char* path, struct stat* st);
    virtual int fdatasync(int fd);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, off_t length);
    virtual int fchmod(int fd, mode_t mode);
    virtual int fchown(int fd, uid_t owner, gid_t group);
    virtual int flock(int fd, int operation);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
    virtual int mkdir(const char* path, mode_t mode);
    virtual int close(int fd);
    // The names in a folder (without "." and ".."); false with errno set on failure.
    virtual bool listFolder(const char* path, std::vector<std::string>& names);
    // The absolute path with every symbolic link resolved; empty with errno set on failure.
    virtual std::string realPath(const char* path);
    // What a symbolic link holds; empty with errno set on failure.
    virtual std::string readLink(const char* path);

    // The real system calls.
    static FileOps& system();
};

}  // namespace zoltrek
