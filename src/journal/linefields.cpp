#include "journal/linefields.h"

#include "journal/codepage.h"

namespace zoltrek {

LineFields lineFields(std::string_view line) {
    LineFields fields;
    std::string_view rest = line;
    for (std::size_t i = 0; i + 1 < fields.size(); ++i) {
        const auto bar = rest.find('|');
        fields[i] = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }
    fields.back() = rest;
    return fields;
}

std::string editedLine(std::string_view line, const FieldEdits& edits) {
    const LineFields original = lineFields(line);
    std::string edited;
    for (std::size_t i = 0; i < original.size(); ++i)
        edited += (i ? "|" : "") + (edits[i] ? toCp1251(*edits[i]) : original[i]);
    return edited;
}

}  // namespace zoltrek
