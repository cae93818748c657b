#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "fileops.h"
#include "fillup.h"
#include "journalerror.h"

namespace zoltrek {

struct LoadResult {
    enum class Status { Loaded, Absent, Failed };

    Status status = Status::Absent;
    JournalError error;                     // when Failed
    std::vector<std::size_t> skippedLines;  // line numbers from 1, the first ten
    std::size_t skippedCount = 0;           // malformed lines passed over
    bool leftUnloaded = false;              // the load stopped before the end of the file
};

// The journal file: load, append, and the rewrite of one line. Appends and rewrites hold an
// exclusive lock on the journal's folder, so two running copies never lose each other's
// lines; a rewrite goes through a temporary file, so the journal holds either its old bytes
// or its new ones, never a mixture.
class JournalFile {
  public:
    static constexpr std::size_t kMaxSkipped = 1000;
    static constexpr std::size_t kReportedLines = 10;

    explicit JournalFile(std::string path, FileOps& ops = FileOps::system());

    const std::string& path() const { return path_; }

    // Refills `journal` from the file; on a failure or an absent file `journal` is untouched.
    // Empty lines are passed over, malformed ones skipped and reported; the load stops at the
    // record that would not fit. A load never writes.
    LoadResult load(Journal& journal) const;

    // Adds one line and its CR LF at the end (creating the file), after a CR LF of its own
    // when the last line has none. On failure the file keeps its old length.
    JournalError append(std::string_view line);

    // Replaces the text of the line `old` names, keeping its line end.
    JournalError replaceLine(const LineRef& old, std::string_view newLine);

    // Removes the line `old` names together with its line end.
    JournalError removeLine(const LineRef& old);

  private:
    JournalError rewrite(const LineRef& old, const std::string_view* replacement);

    std::string path_;
    FileOps& ops_;
};

}  // namespace zoltrek
