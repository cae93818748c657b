#include "table.h"

#include <algorithm>
#include <cstdio>

namespace zoltrek::bench {

namespace {

// One column per character.
std::size_t columns(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string padded(const std::string& text, std::size_t width) {
    return text + std::string(width > columns(text) ? width - columns(text) : 0, ' ');
}

}  // namespace

std::string number(double value, const char* format) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void printTable(const std::vector<Row>& rows) {
    std::vector<Row> all{{"figure", "measured", "target", "met"}};
    all.insert(all.end(), rows.begin(), rows.end());
    std::size_t widths[4] = {};
    for (const Row& r : all) {
        const std::string* cells[] = {&r.figure, &r.measured, &r.target, &r.met};
        for (int i = 0; i < 4; ++i)
            widths[i] = std::max(widths[i], columns(*cells[i]));
    }
    const auto line = [&widths](const Row& r) {
        std::printf("| %s | %s | %s | %s |\n", padded(r.figure, widths[0]).c_str(),
                    padded(r.measured, widths[1]).c_str(), padded(r.target, widths[2]).c_str(),
                    padded(r.met, widths[3]).c_str());
    };
    line(all[0]);
    line({std::string(widths[0], '-'), std::string(widths[1], '-'), std::string(widths[2], '-'),
          std::string(widths[3], '-')});
    for (const Row& r : rows)
        line(r);
}

}  // namespace zoltrek::bench
