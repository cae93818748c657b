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

// The texts first, whatever the save but a deletion; then, for a new fill-up only, the table as
// it stands under the lock: room, a load to the end, a reading no record has.
TEST(SaveRefusal, TheTextsThenTheTableInTheOrderTheUserIsTold) {
    using enum JournalError::Kind;
    const EntryTexts good = {"06.12.26", "84512", "40", "20.5", "820"};
    const auto with = [&](std::size_t field, const char* text) {
        EntryTexts texts = good;
        texts[field] = text;
        return texts;
    };
    Journal room, full;
    room.records[0].fKm = 84000;
    room.JournalLast = 0;
    full.JournalLast = Journal::kSlots - 1;
    const std::tuple<const char*, Save, EntryTexts, const Journal*, bool, JournalError::Kind>
        cases[] = {
            {"three numbers above zero", Save::Edit, good, nullptr, false, None},
            {"the leading number counts", Save::Edit, with(1, "12abc"), nullptr, false, None},
            {"the date is not examined", Save::Edit, with(0, ""), nullptr, false, None},
            {"the amount is not examined", Save::Edit, with(4, ""), nullptr, false, None},
            {"no reading", Save::Edit, with(1, ""), nullptr, false, InvalidData},
            {"no litres", Save::Edit, with(2, "0"), nullptr, false, InvalidData},
            {"a reading past a double", Save::Edit, with(1, "1e999"), nullptr, false, InvalidData},
            {"a product past a double",
             Save::Edit,
             {"d", "1", "1e300", "1e300", ""},
             nullptr,
             false,
             InvalidData},
            {"a bar would shift the fields", Save::Edit, with(0, "06|12"), nullptr, false,
             InvalidData},
            {"a CR would end the line", Save::Edit, with(4, "8\r20"), nullptr, false, InvalidData},
            {"a deletion writes nothing typed", Save::Delete, with(1, ""), &full, true, None},
            {"an edit needs no room", Save::Edit, good, &full, true, None},
            {"the texts come before the table", Save::New, with(1, ""), &full, true, InvalidData},
            {"before the lock the texts alone", Save::New, with(1, "84000"), nullptr, true, None},
            {"a new fill-up with room", Save::New, good, &room, false, None},
            {"a full table", Save::New, good, &full, false, Full},
            {"full comes before a partial load", Save::New, good, &full, true, Full},
            {"a partial load", Save::New, with(1, "84000"), &room, true, Unloaded},
            {"a reading already there", Save::New, with(1, "84 000"), &room, false, Duplicate},
        };
    for (const auto& [name, save, texts, table, partly, refusal] : cases)
        EXPECT_EQ(saveRefusal(save, texts, table, partly), refusal) << name;
}

// A field typed as shown keeps the line's own bytes, whatever they are; anything after the fifth
// field stays unless the amount changed; a typed text is written in the file's code page.
TEST(EditedFields, UnchangedFieldsKeepTheirBytes) {
    const EntryTexts shown = {"06.12.26", "12345", "40.5", "20.5", "820"};
    const EntryTexts priceAndSum = {"06.12.26", "12345", "40.5", "21", "850.5"};
    const EntryTexts date = {"07.12.26", "12345", "40.5", "20.5", "820"};
    const EntryTexts six = {"a", "1", "2", "3", "4"}, price = {"a", "1", "2", "7", "4"};
    const EntryTexts sum = {"a", "1", "2", "3", "9"}, cyrillic = {"Пн中", "1", "2", "3", "4"};
    const std::tuple<const char*, const char*, EntryTexts, EntryTexts, const char*> cases[] = {
        {"nothing typed", "06.12.26|12345|40.50|20.5|820", shown, shown,
         "06.12.26|12345|40.50|20.5|820"},
        {"price and amount typed", "06.12.26|12345|40.50|20.5|820", shown, priceAndSum,
         "06.12.26|12345|40.50|21|850.5"},
        {"a date typed", "06.12.26|12 345|40.50|20.5|820", shown, date,
         "07.12.26|12 345|40.50|20.5|820"},
        {"a sixth field stays", "a|1|2|3|4|5", six, price, "a|1|2|7|4|5"},
        {"a new amount ends the line", "a|1|2|3|4|5", six, sum, "a|1|2|3|9"},
        {"a byte without a character", "\x98|1|2|3|4", six, price, "\x98|1|2|7|4"},
        {"a typed text in the code page", "a|1|2|3|4", six, cyrillic, "\xCF\xED?|1|2|3|4"},
    };
    for (const auto& [name, original, before, typed, line] : cases)
        EXPECT_EQ(editedLine(original, editedFields(typed, before)), line) << name;
}

}  // namespace
}  // namespace zoltrek
