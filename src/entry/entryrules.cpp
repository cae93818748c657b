#include "entryrules.h"

#include <cmath>

#include "figures.h"
#include "numbers.h"

namespace zoltrek {

std::string amountText(std::string_view litres, std::string_view price, char sep) {
    const double product = TextToNum(price) * TextToNum(litres);
    if (!std::isfinite(product))
        return {};
    return NumToText(Okr(product), sep);
}

bool entryIsValid(const EntryTexts& texts) {
    for (const auto& text : texts)
        if (text.find_first_of("|\r\n") != std::string::npos)
            return false;
    const double km = TextToNum(texts[1]), litres = TextToNum(texts[2]),
                 price = TextToNum(texts[3]);
    const auto positive = [](double x) { return std::isfinite(x) && x > 0; };
    return positive(km) && positive(litres) && positive(price) && std::isfinite(litres * price);
}

std::string dialogLine(const EntryTexts& texts) {
    std::string line = texts[0];
    for (std::size_t i = 1; i < texts.size(); ++i)
        line += "|" + texts[i];
    return line;
}

std::string editedLine(const EntryTexts& texts, const EntryTexts& shown,
                       std::string_view originalLine) {
    // The original's fields; the last one keeps whatever followed the fourth "|".
    EntryTexts original;
    std::string_view rest = originalLine;
    for (std::size_t i = 0; i + 1 < original.size(); ++i) {
        const auto bar = rest.find('|');
        original[i] = rest.substr(0, bar);
        rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }
    original.back() = rest;

    EntryTexts merged;
    for (std::size_t i = 0; i < texts.size(); ++i)
        merged[i] = texts[i] == shown[i] ? original[i] : texts[i];
    return dialogLine(merged);
}

}  // namespace zoltrek
