#include "entryrules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zoltrek {
namespace {

// The product of the two numbers, cut to cents, in the user's separator; none when too big.
TEST(AmountText, ProductCutToCents) {
    const std::tuple<const char*, const char*, char, const char*> cases[] = {
        {"2", "1.15", '.', "2.29"},    {"20.5", "3.3", '.', "67.64"}, {"0.001", "1", '.', "0"},
        {"20,5", "3,3", ',', "67,64"}, {"", "20", '.', "0"},          {"1e300", "1e300", '.', ""},
    };
    for (const auto& [litres, price, sep, amount] : cases)
        EXPECT_EQ(amountText(litres, price, sep), amount) << litres << " x " << price;
}

// Three numbers above zero, and nothing that would split the line.
TEST(EntryIsValid, ThreeNumbersAboveZeroAndNothingThatSplitsTheLine) {
    const std::pair<EntryTexts, bool> cases[] = {
        {{"06.12.26", "84512", "40", "20.5", "820"}, true},
        {{"06.12.26", "12abc", "40", "20.5", "820"}, true},  // the leading number counts
        {{"", "84512", "40", "20.5", ""}, true},             // date and amount are not examined
        {{"06.12.26", "", "40", "20.5", "820"}, false},
        {{"06.12.26", "84512", "0", "20.5", "820"}, false},
        {{"06.12.26", "1e999", "40", "20.5", "820"}, false},
        {{"06.12.26", "84512", "1e300", "1e300", ""}, false},
        {{"06|12", "84512", "40", "20.5", "820"}, false},
        {{"06.12.26", "84512", "40", "20.5", "8\r20"}, false},
    };
    for (const auto& [texts, valid] : cases)
        EXPECT_EQ(entryIsValid(texts), valid) << dialogLine(texts);
}

// A field typed as shown keeps the line's own bytes; anything after the fifth field stays unless
// the amount changed.
TEST(EditedLine, UnchangedFieldsKeepTheirBytes) {
    const EntryTexts shown = {"06.12.26", "12345", "40.5", "20.5", "820"};
    const EntryTexts priceAndSum = {"06.12.26", "12345", "40.5", "21", "850.5"};
    const EntryTexts date = {"07.12.26", "12345", "40.5", "20.5", "820"};
    const EntryTexts six = {"a", "1", "2", "3", "4"}, price = {"a", "1", "2", "7", "4"};
    const EntryTexts sum = {"a", "1", "2", "3", "9"};
    const std::tuple<const char*, EntryTexts, EntryTexts, const char*> cases[] = {
        {"06.12.26|12345|40.50|20.5|820", shown, shown, "06.12.26|12345|40.50|20.5|820"},
        {"06.12.26|12345|40.50|20.5|820", shown, priceAndSum, "06.12.26|12345|40.50|21|850.5"},
        {"06.12.26|12 345|40.50|20.5|820", shown, date, "07.12.26|12 345|40.50|20.5|820"},
        {"a|1|2|3|4|5", six, price, "a|1|2|7|4|5"},
        {"a|1|2|3|4|5", six, sum, "a|1|2|3|9"},
    };
    for (const auto& [original, before, typed, line] : cases)
        EXPECT_EQ(editedLine(typed, before, original), line) << original;
}

}  // namespace
}  // namespace zoltrek
