#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zoltrek::testing {

// The line of record `k` in the journals that the fault and crash tests write.
inline std::string recordLine(int k) {
    return "0" + std::to_string(1 + k % 9) + ".01.26|" + std::to_string(80000 + 100 * k) +
           "|40|20.5|820";
}

// A journal of `count` records, each line ending in CR LF.
inline std::string journalOf(int count) {
    std::string text;
    for (int k = 0; k < count; ++k)
        text += recordLine(k) + "\r\n";
    return text;
}

// The lines of a text whose every line ends in CR LF.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// The text with line `index` replaced by `line`, or removed when `line` is null.
inline std::string changedLine(const std::string& text, std::size_t index, const char* line) {
    std::string out;
    const auto lines = linesOf(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (i != index)
            out += lines[i] + "\r\n";
        else if (line)
            out += std::string(line) + "\r\n";
    return out;
}

// Temporary files of a rewrite left in a folder.
inline int temporariesIn(const std::string& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().filename().string().starts_with(".zoltrek.dat."))
            ++count;
    return count;
}

}  // namespace zoltrek::testing
