#include "lines.h"

#include <cstring>

namespace zoltrek {

std::optional<LineSpan> findLine(std::string_view data, std::size_t begin, bool atEnd,
                                 std::size_t& scanFrom) {
    if (scanFrom < begin)
        scanFrom = begin;
    if (begin >= data.size())
        return std::nullopt;
    const char* base = data.data();
    const void* cr = std::memchr(base + scanFrom, '\r', data.size() - scanFrom);
    if (cr) {
        const std::size_t at = static_cast<const char*>(cr) - base;
        if (at + 1 < data.size())
            return LineSpan{begin, at, at + (data[at + 1] == '\n' ? 2 : 1)};
        if (atEnd)
            return LineSpan{begin, at, at + 1};
        scanFrom = at;  // a CR at the end of what we have: the next byte decides
        return std::nullopt;
    }
    if (atEnd)
        return LineSpan{begin, data.size(), data.size()};
    scanFrom = data.size();
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
