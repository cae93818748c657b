#pragma once

#include <cstddef>
#include <random>
#include <string>

namespace zoltrek::testing {

// `line` written `times` times over.
inline std::string repeated(const std::string& line, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += line;
    return text;
}

// Bytes of every value, the same for every run.
inline std::string junk(std::size_t size, unsigned seed = 42) {
    std::mt19937 random(seed);
    std::string text(size, '\0');
    for (char& c : text)
        c = static_cast<char>(random());
    return text;
}

}  // namespace zoltrek::testing
