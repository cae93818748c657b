#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zoltrek {

// What went wrong with the journal file, as a value the window shows; nothing throws.
struct JournalError {
    enum class Kind {
        None,
        System,         // a system call failed: `action` on `path` for the reason `err`
        NotAFile,       // the journal's name belongs to a folder or a device
        ChangedOnDisk,  // the line that was opened is no longer where it was
        BadLine,        // the text would break the file's lines
        InvalidData,    // the texts typed make no fill-up
        Busy,           // another copy of the program held the journal for too long
        Full,           // a new fill-up would be one more than the table shows
        Unloaded,       // the load stops before the end: a new fill-up would not show
        Duplicate,      // a loaded record has the new fill-up's reading
    };

    Kind kind = Kind::None;
    std::string action;  // what could not be done, as the message says it ("записать файл")
    std::string path;
    int err = 0;
    bool committed = false;  // the new text is in place although a later step failed
    bool damaged = false;    // a failed append could not be undone
    // Where the opened line stands now (from 0), when the file changed on disk and its exact
    // bytes are in it once.
    std::optional<std::size_t> movedTo;

    explicit operator bool() const { return kind != Kind::None; }

    // The message for the user, UTF-8: names the file and the reason, says what was kept.
    std::string message() const;
};

// Why a system call failed, in Russian for the reasons a user meets (no space, no permission,
// a read-only disk...), in the system's own words for the rest.
std::string systemReason(int err);

// "не больше N заправок", the noun in the case the number asks for: "не больше 101 заправки".
std::string atMostFillUps(int count);

}  // namespace zoltrek
