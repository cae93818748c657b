#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace zoltrek {

// What went wrong with the journal file, as a plain value; nothing throws. The windows say it
// in words.
struct JournalError {
    enum class Kind {
        None,
        System,         // a system call failed: in `step`, on `path`, for the reason `err`
        NotAFile,       // the journal's name belongs to a folder or a device
        ChangedOnDisk,  // the line that was opened is no longer where it was
        BadLine,        // the text would break the file's lines
        InvalidData,    // the texts typed make no fill-up
        Busy,           // another copy of the program held the journal for too long
        Full,           // a new fill-up would be one more than the table shows
        Unloaded,       // the load stops before the end: a new fill-up would not show
        Duplicate,      // a loaded record has the new fill-up's reading
        UnsafeFolder,   // the data folder in `path` is another user's, or others may write it
        ForeignLink,    // a link on the journal's path (`link`) another user could have made
    };
    // What a failed system call was doing.
    enum class Step {
        OpenFile,
        ReadFile,
        WriteFile,
        CreateFolder,  // a missing folder above the file, on the first save
        OpenFolder,    // the file's folder, to lock it
        LockFolder,
        CreateTemporary,  // the new text's file beside the journal
        SyncFolder,       // making a new or renamed entry of the folder durable
    };

    Kind kind = Kind::None;
    Step step = Step::OpenFile;  // when System
    std::string path;            // the journal's, as bytes
    int err = 0;
    bool committed = false;  // the new text is in place although a later step failed
    bool damaged = false;    // a failed append could not be undone
    // Where the opened line stands now (from 0), when the file changed on disk and its exact
    // bytes are in it once.
    std::optional<std::size_t> movedTo;
    std::string link;  // when ForeignLink: the journal itself, or a folder on its way

    explicit operator bool() const { return kind != Kind::None; }
};

}  // namespace zoltrek
