#pragma once

#include <string>

namespace zoltrek::testing {

// A well-formed fill-up line, told apart from others by its reading.
inline std::string fillUp(long reading) {
    return "06.12.26|" + std::to_string(reading) + "|40.5|20.5|820.25";
}

// `count` fill-ups, each ended by CR LF, their readings `step` apart from `first` on.
inline std::string journalOf(long count, long first = 80000, long step = 500) {
    std::string text;
    for (long i = 0; i < count; ++i)
        text += fillUp(first + i * step) + "\r\n";
    return text;
}

inline std::string repeated(const std::string& text, long times) {
    std::string all;
    for (long i = 0; i < times; ++i)
        all += text;
    return all;
}

}  // namespace zoltrek::testing
