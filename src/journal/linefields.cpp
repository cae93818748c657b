#include "linefields.h"

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

}  // namespace zoltrek
