#include "entry/entryrules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zoltrek {
namespace {

// The product of the two numbers, cut to cents, in the user's separator; none when too big.
TEST(AmountText, ProductCutToCents) {
    const std::tuple<const char*, const char*, const char*, char, const char*> cases[] = {
        {"cut, not rounded", "2", "1.15", '.', "2.29"},
        {"cut to cents", "20.5", "3.3", '.', "67.64"},
        {"less than a cent", "0.001", "1", '.', "0"},
        {"the user's comma", "20,5", "3,3", ',', "67,64"},
        {"no litres", "", "20", '.', "0"},
        {"past a double", "1e300", "1e300", '.', ""},
    };
    for (const auto& [name, litres, price, sep, amount] : cases)
        EXPECT_EQ(amountText(litres, price, sep), amount) << name;
}

// The texts first, but for a deletion; then, for an add alone, the table under the lock.
TEST(SaveRefusal, TheTextsThenTheTableInTheOrderTheUserIsTold) {
    using enum JournalError::Kind;
    using enum Save;
    const char* const good = "06.12.26|84512|40|20.5|820";
    Journal room, full;
    room.records[0].fKm = 84000;
    room.JournalLast = 0;
    full.JournalLast = Journal::kSlots - 1;
    const std::tuple<const char*, Save, const char*, const Journal*, bool, JournalError::Kind>
        cases[] = {
            {"the leading number counts", Edit, "d|12abc|40|20.5|820", nullptr, false, None},
            {"date and amount not examined", Edit, "|84512|40|20.5|", nullptr, false, None},
            {"no reading", Edit, "d||40|20.5|820", nullptr, false, InvalidData},
            {"no litres", Edit, "d|84512|0|20.5|820", nullptr, false, InvalidData},
            {"a reading past a double", Edit, "d|1e999|40|20.5|", nullptr, false, InvalidData},
            {"a product past a double", Edit, "d|1|1e300|1e300|", nullptr, false, InvalidData},
            {"a bar would shift the fields", Edit, "d|1|1|1|8|20", nullptr, false, InvalidData},
            {"a CR would end the line", Edit, "d|1|1|1|8\r20", nullptr, false, InvalidData},
            {"a deletion writes nothing typed", Delete, "d||||", &full, true, None},
            {"an edit needs no room", Edit, good, &full, true, None},
            {"the texts come before the table", New, "d||||", &full, true, InvalidData},
            {"before the lock the texts alone", New, "d|84000|1|1|", nullptr, true, None},
            {"a new fill-up with room", New, good, &room, false, None},
            {"a full table", New, good, &full, false, Full},
            {"full comes before a partial load", New, good, &full, true, Full},
            {"a partial load", New, "d|84000|1|1|", &room, true, Unloaded},
            {"a reading already there", New, "d|84 000|1|1|", &room, false, Duplicate},
        };
    for (const auto& [name, save, texts, table, partly, refusal] : cases)
        EXPECT_EQ(saveRefusal(save, lineFields(texts), table, partly), refusal) << name;
}

// A field left as shown keeps its bytes, the tail too unless the amount changed; typed, cp1251.
TEST(EditedFields, UnchangedFieldsKeepTheirBytes) {
    const char *const stored = "d|1 2|4.50|2|9", *const shown = "d|12|4.5|2|9";
    // The line in the file, the texts shown, the texts when saved, the line written.
    const std::tuple<const char*, const char*, const char*, const char*, const char*> cases[] = {
        {"nothing typed", stored, shown, shown, stored},
        {"price and amount typed", stored, shown, "d|12|4.5|3|13.5", "d|1 2|4.50|3|13.5"},
        {"a date typed", stored, shown, "e|12|4.5|2|9", "e|1 2|4.50|2|9"},
        {"a sixth field stays", "a|1|2|3|4|5", "a|1|2|3|4", "a|1|2|7|4", "a|1|2|7|4|5"},
        {"a new amount ends the line", "a|1|2|3|4|5", "a|1|2|3|4", "a|1|2|3|9", "a|1|2|3|9"},
        {"a byte without a character", "\x98|1|2|3|4", "a|1|2|3|4", "a|1|2|7|4", "\x98|1|2|7|4"},
        {"typed in the code page", "a|1|2|3|4", "a|1|2|3|4", "Пн中|1|2|3|4", "\xCF\xED?|1|2|3|4"},
    };
    for (const auto& [name, original, before, typed, line] : cases)
        EXPECT_EQ(editedLine(original, editedFields(lineFields(typed), lineFields(before))), line)
            << name;
}

}  // namespace
}  // namespace zoltrek
