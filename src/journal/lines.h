#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace zoltrek {

// The one line splitter of the journal, shared by the load and the rewrite so that both
// number lines alike: CR LF, a lone CR and a lone LF (a file written on Linux) each end a
// line, a last line without an end still counts, and nothing follows a final line end.
struct LineSpan {
    std::size_t begin = 0;    // first byte of the text
    std::size_t textEnd = 0;  // one past the text: the line end starts here
    std::size_t next = 0;     // one past the line end: the next line starts here
};

// Finds the line that starts at `begin`. Without `atEnd` (more bytes may follow) a line
// whose end is not yet certain is not returned; `scanFrom` then says where to resume.
std::optional<LineSpan> findLine(std::string_view data, std::size_t begin, bool atEnd,
                                 std::size_t& scanFrom);

// The span of line `index` (from 0) of a whole text, if the text has that many lines.
std::optional<LineSpan> lineAt(std::string_view text, std::size_t index);

}  // namespace zoltrek
