#include "entry/entryrules.h"

#include <cmath>

#include "journal/figures.h"
#include "journal/numbers.h"

namespace zoltrek {

std::string amountText(std::string_view litres, std::string_view price, char sep) {
    const double product = TextToNum(price) * TextToNum(litres);
    if (!std::isfinite(product))
        return {};
    return NumToText(Okr(product), sep);
}

namespace {

bool textsAreValid(const EntryTexts& texts) {
    for (const auto& text : texts)
        if (text.find_first_of("|\r\n") != std::string::npos)
            return false;
    const double km = TextToNum(texts[1]), litres = TextToNum(texts[2]),
                 price = TextToNum(texts[3]);
    const auto positive = [](double x) { return std::isfinite(x) && x > 0; };
    return positive(km) && positive(litres) && positive(price) && std::isfinite(litres * price);
}

}  // namespace

JournalError::Kind saveRefusal(Save save, const EntryTexts& texts, const Journal* table,
                               bool partlyLoaded) {
    using Kind = JournalError::Kind;
    if (save == Save::Delete)
        return Kind::None;
    if (!textsAreValid(texts))
        return Kind::InvalidData;
    if (save == Save::Edit || !table)
        return Kind::None;
    if (table->full())
        return Kind::Full;
    if (partlyLoaded)
        return Kind::Unloaded;
    return Srav(*table, texts[1]) ? Kind::Duplicate : Kind::None;
}

std::string dialogLine(const EntryTexts& texts) {
    std::string line = texts[0];
    for (std::size_t i = 1; i < texts.size(); ++i)
        line += "|" + texts[i];
    return line;
}

FieldEdits editedFields(const EntryTexts& texts, const EntryTexts& shown) {
    FieldEdits edits;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (texts[i] != shown[i])
            edits[i] = texts[i];
    return edits;
}

}  // namespace zoltrek
