#include "positionrule.h"

#include <optional>

#include "maskshape.h"
#include "utf8text.h"

namespace zoltrek {

namespace {

std::optional<int> digitAt(std::string_view text, int pos) {
    const std::string_view c = charAt(text, pos);
    if (c.size() == 1 && c[0] >= '0' && c[0] <= '9')
        return c[0] - '0';
    return std::nullopt;
}

bool isAbove(std::optional<int> digit, int limit) {
    return digit && *digit > limit;
}

bool isEqual(std::optional<int> digit, int value) {
    return digit && *digit == value;
}

DigitVerdict dateRule(std::string_view text, int pos, int digit) {
    switch (pos) {
        case 0:
            if (digit > 3)
                return DigitVerdict::Reject;
            return digit == 3 && isAbove(digitAt(text, 1), 1) ? DigitVerdict::TensFix
                                                              : DigitVerdict::Write;
        case 1:
            return isEqual(digitAt(text, 0), 3) && digit > 1 ? DigitVerdict::Reject
                                                             : DigitVerdict::Write;
        case 3:
            return digit > 1 ? DigitVerdict::Reject : DigitVerdict::Write;
        case 4:
            return isEqual(digitAt(text, 3), 1) && digit > 2 ? DigitVerdict::Reject
                                                             : DigitVerdict::Write;
        default:
            return DigitVerdict::Write;
    }
}

DigitVerdict timeRule(std::string_view text, int pos, int digit) {
    switch (pos) {
        case 0:
            if (digit > 2)
                return DigitVerdict::Reject;
            return digit == 2 && isAbove(digitAt(text, 1), 3) ? DigitVerdict::TensFix
                                                              : DigitVerdict::Write;
        case 1:
            return isEqual(digitAt(text, 0), 2) && digit > 3 ? DigitVerdict::Reject
                                                             : DigitVerdict::Write;
        case 3:
        case 6:
            return digit > 5 ? DigitVerdict::Reject : DigitVerdict::Write;
        default:
            return DigitVerdict::Write;
    }
}

}  // namespace

DigitVerdict positionRule(std::int32_t layout, std::string_view text, int pos, int digit) {
    return isDateLayout(layout) ? dateRule(text, pos, digit) : timeRule(text, pos, digit);
}

}  // namespace zoltrek
