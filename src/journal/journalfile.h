#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "journal/fileops.h"
#include "journal/fillup.h"
#include "journal/journalerror.h"
#include "journal/linefields.h"

namespace zoltrek {

struct LoadResult {
    enum class Status { Loaded, Absent, Failed };

    Status status = Status::Absent;
    JournalError error;                     // when Failed
    std::vector<std::size_t> skippedLines;  // line numbers from 1, the first ten
    std::size_t skippedCount = 0;           // malformed lines passed over
    bool leftUnloaded = false;              // the load stopped before the end of the file
    std::size_t emptyCount = 0;             // empty lines passed over
};

// The journal file: load, append, and the rewrite of one line. Texts come and go as UTF-8 (only a
// record's LineRef holds the file's own bytes) and are Windows-1251 in the file, a character
// without a byte written as "?". Appends and rewrites hold an exclusive lock on the folder of the
// file itself (a link's target), so two running copies never lose each other's lines; a rewrite
// goes through a temporary file, so the journal holds either its old bytes or its new ones, never
// a mixture. Files of any size are read in bounded memory. A file the user may not write is never
// written, by append or by rename.
class JournalFile {
  public:
    // The lines that are no record (malformed or empty) a load passes over before it stops, so
    // that it takes a bounded time whatever the file holds.
    static constexpr std::size_t kMaxSkipped = 1000;
    static constexpr std::size_t kReportedLines = 10;
    // Longer than any line the program writes: such a line is no record.
    static constexpr std::size_t kMaxLine = 1 << 20;

    explicit JournalFile(std::string path, FileOps& ops = FileOps::system());

    const std::string& path() const { return path_; }
    // How long a write waits for another copy of the program to let go of the journal.
    void setLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
    // Whether an append creates the missing folders above the file (each the user's alone), as a
    // journal in the user's data folder needs on its first save. Off, a journal whose folder is
    // gone (a drive not mounted) is never written somewhere else.
    void setCreatesFolders(bool creates) { createsFolders_ = creates; }

    // Refills `journal` from the file; on a failure or an absent file `journal` is untouched.
    // Empty lines are passed over, malformed ones skipped and reported; the load stops at the
    // record that would not fit. A load never writes.
    LoadResult load(Journal& journal) const;

    // Adds one line and its CR LF at the end (creating the file), after a CR LF of its own
    // when the last line has none. On failure the file keeps its old length.
    JournalError append(std::string_view line);

    // Judges a new fill-up against the file as it stands under the lock, where another copy may
    // have added lines since our load: the table loaded from it, and whether that load stopped
    // before the end. A kind other than None refuses the add with that kind.
    using AddCheck = std::function<JournalError::Kind(const Journal& now, bool partlyLoaded)>;

    // Appends a new fill-up's line once `check` has passed the file as it stands under the lock.
    JournalError add(std::string_view line, const AddCheck& check);

    // Replaces the text of the line `old` names, keeping its line end. When that line is not
    // there any more, nothing is written, and the error says where its bytes stand now if they
    // stand in the file once.
    JournalError replaceLine(const LineRef& old, std::string_view newLine);

    // Replaces the fields of that line that `edits` changes, on the same terms; the others keep
    // their bytes.
    JournalError editLine(const LineRef& old, const FieldEdits& edits);

    // Removes the line `old` names together with its line end, on the same terms.
    JournalError removeLine(const LineRef& old);

  private:
    JournalError appendLine(std::string_view text, const AddCheck* check);
    // The add's check, on the file as it stands under the lock.
    JournalError checkUnderLock(const AddCheck& check) const;
    // `replacement` is the new line's bytes; none removes the line.
    JournalError rewrite(const LineRef& old, const std::optional<std::string>& replacement);

    std::string path_;
    FileOps& ops_;
    std::chrono::milliseconds lockWait_{3000};
    bool createsFolders_ = false;
};

}  // namespace zoltrek
