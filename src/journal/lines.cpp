#include "lines.h"

namespace zoltrek {

std::optional<LineSpan> findLine(std::string_view data, std::size_t begin, bool atEnd,
                                 std::size_t& scanFrom) {
    if (scanFrom < begin)
        scanFrom = begin;
    if (begin >= data.size())
        return std::nullopt;
    // One pass for either byte: a search for each would rescan CR-only files once per line.
    std::size_t at = scanFrom;
    while (at < data.size() && data[at] != '\r' && data[at] != '\n')
        ++at;
    if (at == data.size()) {
        if (atEnd)
            return LineSpan{begin, at, at};
        scanFrom = at;
        return std::nullopt;
    }
    if (data[at] == '\n')
        return LineSpan{begin, at, at + 1};
    if (at + 1 < data.size())
        return LineSpan{begin, at, at + (data[at + 1] == '\n' ? 2 : 1)};
    if (atEnd)
        return LineSpan{begin, at, at + 1};
    scanFrom = at;  // a CR at the end of what we have: the next byte decides
    return std::nullopt;
}

std::optional<LineSpan> lineAt(std::string_view text, std::size_t index) {
    std::size_t begin = 0, scanFrom = 0;
    for (std::size_t i = 0;; ++i) {
        const auto span = findLine(text, begin, true, scanFrom);
        if (!span || i == index)
            return span;
        begin = span->next;
    }
}

}  // namespace zoltrek
