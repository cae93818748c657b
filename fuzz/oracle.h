#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace zoltrek::fuzz {

// Stops the run with a message, so libFuzzer keeps the input that broke a rule.
inline void require(bool ok, const char* rule) {
    if (!ok) {
        std::fprintf(stderr, "broken: %s\n", rule);
        std::abort();
    }
}

// Lines as the journal's format defines them, written out plainly to check the core against:
// CR LF, a lone CR or a lone LF ends a line, a last line may lack its end.
struct Line {
    std::size_t begin, textEnd, next;
};

inline std::vector<Line> plainLines(std::string_view data) {
    std::vector<Line> lines;
    std::size_t begin = 0;
    while (begin < data.size()) {
        std::size_t end = begin;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n')
            ++end;
        if (end == data.size()) {
            lines.push_back({begin, end, end});
            break;
        }
        const bool crlf = data[end] == '\r' && end + 1 < data.size() && data[end + 1] == '\n';
        const std::size_t next = end + (crlf ? 2 : 1);
        lines.push_back({begin, end, next});
        begin = next;
    }
    return lines;
}

}  // namespace zoltrek::fuzz
