#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zoltrek {

// An open file or folder: a descriptor, or a handle where the system has handles.
enum class FileHandle : std::intptr_t { None = -1 };

// What a file is opened for.
enum class OpenMode {
    Read,           // an existing file, to read it
    ReadWrite,      // an existing file, to read it; refused when the user may not write it
    Append,         // a file, created when missing, written at its end and read anywhere
    AppendPrivate,  // the same, created so that only the user may use it
    CreateNew,      // a new file only the user may use, refused when the name is taken
    Folder,         // a folder, to make its entries durable
    FolderLock,     // what the lock of a folder is taken on: the folder, or a file in it
};

enum class FileKind { Regular, Folder, Link, Other };

// What a replacement keeps of the file it replaces; the journal only hands it on. Here the
// permissions and the owner; a system whose replace keeps them itself leaves it unread.
struct FileTraits {
    std::uint32_t permissions = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
};

struct FileStatus {
    FileKind kind = FileKind::Other;
    std::uint64_t size = 0;
    std::chrono::nanoseconds modified{};  // tells a file changed behind our back
    FileTraits traits;
};

enum class LockAttempt {
    Locked,
    Busy,    // another process holds it
    Failed,  // the reason is in errno
};

// The system calls of the journal, behind one seam, so that tests can make any of them fail and
// each system has an implementation of its own. Failures leave an errno value in errno (a
// system with other codes maps them) and return false, -1, FileHandle::None or an empty string.
// Paths are the system's bytes with "/" between names; a system with another separator takes
// and gives them so.
class FileOps {
  public:
    virtual ~FileOps() = default;

    virtual FileHandle open(const std::string& path, OpenMode mode);
    virtual bool close(FileHandle file);
    // The bytes read at the file's position, or at `offset`; 0 at the end of the file.
    virtual std::ptrdiff_t read(FileHandle file, char* buf, std::size_t count);
    virtual std::ptrdiff_t readAt(FileHandle file, char* buf, std::size_t count,
                                  std::uint64_t offset);
    // The bytes written, which may be fewer than `count`.
    virtual std::ptrdiff_t write(FileHandle file, const char* buf, std::size_t count);
    // Makes a file's data durable.
    virtual bool syncData(FileHandle file);
    // Makes a folder's entries durable.
    virtual bool syncFolder(FileHandle folder);
    virtual bool truncate(FileHandle file, std::uint64_t size);
    // Gives a file what a replacement keeps of the one it replaces; the owner only where the
    // user may give it.
    virtual bool keepTraits(FileHandle file, const FileTraits& traits);
    // Tries once to take the exclusive lock of a handle opened as a FolderLock, which holds it
    // until it is closed.
    virtual LockAttempt tryLock(FileHandle lock);
    virtual bool status(FileHandle file, FileStatus& status);
    // Of the file a path names, following links.
    virtual bool statusAt(const std::string& path, FileStatus& status);
    // Of the entry itself, a link as a link.
    virtual bool linkStatusAt(const std::string& path, FileStatus& status);
    // Moves `from` over `to` in one step, replacing the file there.
    virtual bool rename(const std::string& from, const std::string& to);
    virtual bool remove(const std::string& path);
    // A folder only the user may use.
    virtual bool makeFolder(const std::string& path);
    // The names in a folder (without "." and "..").
    virtual bool listFolder(const std::string& path, std::vector<std::string>& names);
    // Whether the user may create files in a folder.
    virtual bool mayCreateFilesIn(const std::string& folder);
    // The absolute path with every link resolved.
    virtual std::string realPath(const std::string& path);
    // What a link holds.
    virtual std::string readLink(const std::string& path);
    // Whether a file belongs to the user this program runs as.
    virtual bool isOwn(const FileStatus& status);
    // Whether users other than its owner may create and remove files in a folder.
    virtual bool othersMayWrite(const FileStatus& status);

    // The system's own calls.
    static FileOps& system();
};

// Whether two names in one folder name the same file: byte for byte where the file system tells
// case apart, without case where it does not.
bool sameFileName(std::string_view a, std::string_view b);

// A path as the system's own windows and messages write it.
std::string shownPath(const std::string& path);

// Why a call failed, in the system's own words, for a value that a call above left in errno.
std::string systemWords(int err);

}  // namespace zoltrek
