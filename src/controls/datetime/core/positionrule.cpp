#include "controls/datetime/core/positionrule.h"

#include <optional>
#include <span>

#include "controls/datetime/core/maskshape.h"
#include "controls/datetime/core/utf8text.h"

namespace zoltrek {

namespace {

std::optional<int> digitAt(std::string_view text, int pos) {
    const std::string_view c = charAt(text, pos);
    if (c.size() == 1 && c[0] >= '0' && c[0] <= '9')
        return c[0] - '0';
    return std::nullopt;
}

// A two-digit field starting at `tens`: its tens digit goes up to `maxTens` and, under that
// tens digit, its units up to `maxUnits`. When `fixes`, the highest tens digit typed over a
// units digit it would not allow is written with a 0 after it.
struct Field {
    int tens, maxTens, maxUnits;
    bool fixes;
};

DigitVerdict fieldRule(const Field& f, std::string_view text, int pos, int digit) {
    if (pos == f.tens) {
        if (digit > f.maxTens)
            return DigitVerdict::Reject;
        const std::optional<int> units = digitAt(text, pos + 1);
        return f.fixes && digit == f.maxTens && units && *units > f.maxUnits ? DigitVerdict::TensFix
                                                                             : DigitVerdict::Write;
    }
    if (pos == f.tens + 1 && digitAt(text, f.tens) == f.maxTens && digit > f.maxUnits)
        return DigitVerdict::Reject;
    return DigitVerdict::Write;
}

// Day and month; the year takes any digit.
constexpr Field kDateFields[] = {{0, 3, 1, true}, {3, 1, 2, false}};
// Hours, minutes, seconds.
constexpr Field kTimeFields[] = {{0, 2, 3, true}, {3, 5, 9, false}, {6, 5, 9, false}};

}  // namespace

DigitVerdict positionRule(std::int32_t layout, std::string_view text, int pos, int digit) {
    for (const Field& f : isDateLayout(layout) ? std::span<const Field>(kDateFields)
                                               : std::span<const Field>(kTimeFields)) {
        if (pos == f.tens || pos == f.tens + 1)
            return fieldRule(f, text, pos, digit);
    }
    return DigitVerdict::Write;
}

}  // namespace zoltrek
