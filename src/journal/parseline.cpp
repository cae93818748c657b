#include "parseline.h"

#include "codepage.h"
#include "numbers.h"

namespace zoltrek {

namespace {

// Takes the text before the next "|" off the front of `rest`.
std::optional<std::string_view> takeField(std::string_view& rest) {
    const auto bar = rest.find('|');
    if (bar == std::string_view::npos)
        return std::nullopt;
    const std::string_view field = rest.substr(0, bar);
    rest.remove_prefix(bar + 1);
    return field;
}

}  // namespace

std::optional<FillUp> ParseLine(std::string_view line) {
    std::string_view rest = line;
    const auto date = takeField(rest);
    const auto km = date ? takeField(rest) : std::nullopt;
    const auto liters = km ? takeField(rest) : std::nullopt;
    const auto cena = liters ? takeField(rest) : std::nullopt;
    if (!cena)
        return std::nullopt;
    return FillUp{fromCp1251(*date), TextToNum(*km), TextToNum(*liters), TextToNum(*cena),
                  TextToNum(rest)};
}

}  // namespace zoltrek
