#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "journal/fileops.h"
#include "journal/systempath_windows.h"

namespace zoltrek {

namespace {

// Windows codes that have no errno of their own travel in errno above every errno value, so the
// message can still say them in the system's own words.
constexpr int kWindowsCodes = 1 << 16;
constexpr DWORD kDiskQuotaExceeded = 1295;  // ERROR_DISK_QUOTA_EXCEEDED, not in mingw's headers

HANDLE handleOf(FileHandle file) {
    return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(file));
}

FileHandle fileOf(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE
               ? FileHandle::None
               : static_cast<FileHandle>(reinterpret_cast<std::intptr_t>(handle));
}

// The journal's logic tells a missing file, a taken name and a file in a folder's place apart;
// the rest only reaches the user.
int errnoOf(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
        case ERROR_BAD_NET_NAME:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
            return EACCES;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_CRC:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_IO_DEVICE:
            return EIO;
        default:
            return kWindowsCodes + static_cast<int>(code);
    }
}

// Every failure below ends here, so errno always says why.
template <typename T>
T failed(T result) {
    errno = errnoOf(GetLastError());
    return result;
}

std::wstring widen(const std::string& text) {
    if (text.empty())
        return {};
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    return wide;
}

// A path as the system takes it: backslashes, made absolute, and marked so that no length limit
// applies (a journal may sit deep in a user's folders).
std::wstring systemPath(const std::string& path) {
    std::wstring wide = widen(path);
    for (wchar_t& c : wide)
        if (c == L'/')
            c = L'\\';
    if (wide.starts_with(L"\\\\?\\"))
        return wide;
    if (wide.size() == 2 && wide[1] == L':')
        wide += L'\\';  // a drive's own folder, not the drive's current one
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return wide;
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), length, full.data(), nullptr));
    return full.starts_with(L"\\\\") ? L"\\\\?\\UNC\\" + full.substr(2) : L"\\\\?\\" + full;
}

DWORD accessFor(OpenMode mode) {
    switch (mode) {
        case OpenMode::Read:
            return GENERIC_READ;
        case OpenMode::Folder:
            return FILE_READ_ATTRIBUTES;
        default:
            return GENERIC_READ | GENERIC_WRITE;
    }
}

DWORD dispositionFor(OpenMode mode) {
    switch (mode) {
        case OpenMode::Append:
        case OpenMode::AppendPrivate:
        case OpenMode::FolderLock:
            return OPEN_ALWAYS;
        case OpenMode::CreateNew:
            return CREATE_NEW;
        default:
            return OPEN_EXISTING;
    }
}

// Another copy may read, write, rename or remove a file we hold open, as on any other system:
// the lock, not the sharing mode, keeps two writers apart.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// Two copies of the program lock a file of this name in the journal's folder.
constexpr wchar_t kLockName[] = L"\\.zoltrek.lock";

HANDLE openPath(const std::wstring& path, DWORD access, DWORD disposition, DWORD flags) {
    return CreateFileW(path.c_str(), access, kShareAll, nullptr, disposition, flags, nullptr);
}

// A file time (100-nanosecond ticks since 1601) from 1970 on, as the journal keeps times.
std::chrono::nanoseconds sinceEpoch(const FILETIME& time) {
    constexpr std::int64_t kTicksBefore1970 = 116'444'736'000'000'000;
    const auto ticks = static_cast<std::int64_t>((std::uint64_t{time.dwHighDateTime} << 32) |
                                                 std::uint64_t{time.dwLowDateTime});
    return std::chrono::nanoseconds((ticks - kTicksBefore1970) * 100);
}

FileKind kindOf(DWORD attributes) {
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? FileKind::Folder : FileKind::Regular;
}

void fill(FileStatus& status, FileKind kind, DWORD attributes, DWORD sizeHigh, DWORD sizeLow,
          const FILETIME& written) {
    status.kind = kind;
    status.size = (std::uint64_t{sizeHigh} << 32) | sizeLow;
    status.modified = sinceEpoch(written);
    status.traits = {attributes, 0, 0};
}

bool fill(FileStatus& status, HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info))
        return failed(false);
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    fill(status, disk ? kindOf(info.dwFileAttributes) : FileKind::Other, info.dwFileAttributes,
         info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
    return true;
}

bool isSymbolicLink(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           found.dwReserved0 == IO_REPARSE_TAG_SYMLINK;
}

}  // namespace

std::string narrow(const std::wstring& wide) {
    if (wide.empty())
        return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

std::string pathFromSystem(std::wstring path) {
    if (path.starts_with(L"\\\\?\\UNC\\"))
        path = L"\\\\" + path.substr(8);
    else if (path.starts_with(L"\\\\?\\"))
        path = path.substr(4);
    std::string text = narrow(path);
    for (char& c : text)
        if (c == '\\')
            c = '/';
    return text;
}

FileHandle FileOps::open(const std::string& path, OpenMode mode) {
    std::wstring name = systemPath(path);
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (mode == OpenMode::Folder)
        flags = FILE_FLAG_BACKUP_SEMANTICS;  // the only way to open a folder
    if (mode == OpenMode::FolderLock) {
        name += kLockName;
        flags = FILE_ATTRIBUTE_HIDDEN;
    }
    HANDLE file = openPath(name, accessFor(mode), dispositionFor(mode), flags);
    // A lock file someone else made, in a folder we may not write, still takes a lock to read.
    if (file == INVALID_HANDLE_VALUE && mode == OpenMode::FolderLock &&
        GetLastError() == ERROR_ACCESS_DENIED)
        file = openPath(name, GENERIC_READ, OPEN_EXISTING, flags);
    if (file == INVALID_HANDLE_VALUE)
        return failed(FileHandle::None);
    // Windows refuses to write a file with the read-only attribute, but lets an administrator
    // through where it runs on another system's files (Wine as root); refused here for everyone.
    BY_HANDLE_FILE_INFORMATION info;
    if ((mode == OpenMode::ReadWrite || mode == OpenMode::Append ||
         mode == OpenMode::AppendPrivate) &&
        GetFileInformationByHandle(file, &info) &&
        (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) {
        CloseHandle(file);
        SetLastError(ERROR_ACCESS_DENIED);
        return failed(FileHandle::None);
    }
    return fileOf(file);
}

bool FileOps::close(FileHandle file) {
    return CloseHandle(handleOf(file)) || failed(false);
}

std::ptrdiff_t FileOps::read(FileHandle file, char* buf, std::size_t count) {
    DWORD done = 0;
    const auto want = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    if (!ReadFile(handleOf(file), buf, want, &done, nullptr))
        return failed(-1);
    return done;
}

// A read at an offset moves a Windows file's position; the position is put back, so a reader
// that goes on where it stood sees what it would on any system.
std::ptrdiff_t FileOps::readAt(FileHandle file, char* buf, std::size_t count,
                               std::uint64_t offset) {
    LARGE_INTEGER zero{}, position{};
    if (!SetFilePointerEx(handleOf(file), zero, &position, FILE_CURRENT))
        return failed(-1);
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD done = 0;
    const auto want = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    const bool ok = ReadFile(handleOf(file), buf, want, &done, &at);
    const DWORD code = GetLastError();
    SetFilePointerEx(handleOf(file), position, nullptr, FILE_BEGIN);
    if (!ok && code != ERROR_HANDLE_EOF) {
        SetLastError(code);
        return failed(-1);
    }
    return ok ? static_cast<std::ptrdiff_t>(done) : 0;
}

// The journal only ever writes at a file's end (an append, or a copy written from its start), so
// every write asks for the end: another copy's append between two of ours is never overwritten.
std::ptrdiff_t FileOps::write(FileHandle file, const char* buf, std::size_t count) {
    OVERLAPPED atEnd{};
    atEnd.Offset = 0xFFFFFFFF;
    atEnd.OffsetHigh = 0xFFFFFFFF;
    DWORD done = 0;
    const auto want = static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    if (!WriteFile(handleOf(file), buf, want, &done, &atEnd))
        return failed(-1);
    return done;
}

bool FileOps::syncData(FileHandle file) {
    return FlushFileBuffers(handleOf(file)) || failed(false);
}

// Windows keeps no folder's entries apart from the files: the replace is written through, and
// a created file's entry is on disk with its data.
bool FileOps::syncFolder(FileHandle) {
    return true;
}

bool FileOps::truncate(FileHandle file, std::uint64_t size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    return (SetFilePointerEx(handleOf(file), at, nullptr, FILE_BEGIN) &&
            SetEndOfFile(handleOf(file))) ||
           failed(false);
}

// The replacement gets those of the replaced file's attributes that a program may set (hidden,
// archive...; compression and the like are the folder's); its permissions are its folder's, as
// the old file's were.
bool FileOps::keepTraits(FileHandle file, const FileTraits& traits) {
    constexpr DWORD kSettable = FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN |
                                FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    FILE_BASIC_INFO info{};
    info.FileAttributes =
        traits.permissions & kSettable ? traits.permissions & kSettable : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(handleOf(file), FileBasicInfo, &info, sizeof info) ||
           failed(false);
}

LockAttempt FileOps::tryLock(FileHandle lock) {
    OVERLAPPED whole{};
    if (LockFileEx(handleOf(lock), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                   &whole))
        return LockAttempt::Locked;
    if (GetLastError() == ERROR_LOCK_VIOLATION)
        return LockAttempt::Busy;
    return failed(LockAttempt::Failed);
}

bool FileOps::status(FileHandle file, FileStatus& status) {
    return fill(status, handleOf(file));
}

bool FileOps::statusAt(const std::string& path, FileStatus& status) {
    const HANDLE file =
        openPath(systemPath(path), FILE_READ_ATTRIBUTES, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (file == INVALID_HANDLE_VALUE)
        return failed(false);
    const bool filled = fill(status, file);
    CloseHandle(file);
    return filled;
}

bool FileOps::linkStatusAt(const std::string& path, FileStatus& status) {
    const std::wstring name = systemPath(path);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data))
        return failed(false);
    fill(status, isSymbolicLink(name) ? FileKind::Link : kindOf(data.dwFileAttributes),
         data.dwFileAttributes, data.nFileSizeHigh, data.nFileSizeLow, data.ftLastWriteTime);
    return true;
}

// A reader of the journal, or a virus scanner, may hold it open for a moment without letting it
// be replaced; the replace waits a little for it, then gives up.
bool FileOps::rename(const std::string& from, const std::string& to) {
    const std::wstring source = systemPath(from), target = systemPath(to);
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (;;) {
        if (MoveFileExW(source.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD code = GetLastError();
        if ((code != ERROR_SHARING_VIOLATION && code != ERROR_ACCESS_DENIED) ||
            std::chrono::steady_clock::now() >= giveUp)
            return failed(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool FileOps::remove(const std::string& path) {
    return DeleteFileW(systemPath(path).c_str()) || failed(false);
}

bool FileOps::makeFolder(const std::string& path) {
    return CreateDirectoryW(systemPath(path).c_str(), nullptr) || failed(false);
}

bool FileOps::listFolder(const std::string& path, std::vector<std::string>& names) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW((systemPath(path) + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return failed(false);
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(narrow(name));
    } while (FindNextFileW(search, &found));
    const DWORD code = GetLastError();
    FindClose(search);
    SetLastError(code);
    return code == ERROR_NO_MORE_FILES || failed(false);
}

// Windows says whether a folder may be written only by letting a file be made there: a hidden
// one, gone again when closed.
bool FileOps::mayCreateFilesIn(const std::string& folder) {
    const std::wstring probe =
        systemPath(folder) + L"\\.zoltrek-probe-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

std::string FileOps::realPath(const std::string& path) {
    const HANDLE file =
        openPath(systemPath(path), FILE_READ_ATTRIBUTES, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (file == INVALID_HANDLE_VALUE)
        return failed(std::string());
    std::wstring real(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, real.data(), MAX_PATH, FILE_NAME_NORMALIZED);
    if (length >= MAX_PATH) {
        real.resize(length);
        length = GetFinalPathNameByHandleW(file, real.data(), length, FILE_NAME_NORMALIZED);
    }
    const DWORD code = GetLastError();
    CloseHandle(file);
    if (length == 0) {
        SetLastError(code);
        return failed(std::string());
    }
    real.resize(length);
    return pathFromSystem(real);
}

// What a Windows link holds is not read: a link that points nowhere is refused, never followed.
std::string FileOps::readLink(const std::string&) {
    errno = EINVAL;
    return {};
}

// The journal's folder is the user's by Windows' own rules (the program's folder or the user's
// local application data), and the status carries no owner.
bool FileOps::isOwn(const FileStatus&) {
    return true;
}

// A folder's writers are in its access list, which the user's own folders keep to the user.
bool FileOps::othersMayWrite(const FileStatus&) {
    return false;
}

bool sameFileName(std::string_view a, std::string_view b) {
    const std::wstring wa = widen(std::string(a)), wb = widen(std::string(b));
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

std::string shownPath(const std::string& path) {
    std::string shown = path;
    for (char& c : shown)
        if (c == '/')
            c = '\\';
    return shown;
}

std::string systemWords(int err) {
    if (err < kWindowsCodes)
        return std::strerror(err);
    const auto code = static_cast<DWORD>(err - kWindowsCodes);
    switch (code) {
        case ERROR_SHARING_VIOLATION:
            return "файл открыт другой программой";
        case ERROR_LOCK_VIOLATION:
            return "файл заблокирован другой программой";
        case ERROR_NOT_READY:
            return "диск не готов";
        case kDiskQuotaExceeded:
            return "превышена дисковая квота";
    }
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring words = length ? std::wstring(text, length) : std::wstring();
    LocalFree(text);
    while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r' ||
                              words.back() == L'.' || words.back() == L' '))
        words.pop_back();
    return words.empty() ? "ошибка Windows " + std::to_string(code) : narrow(words);
}

}  // namespace zoltrek
