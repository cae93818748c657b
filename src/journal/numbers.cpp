#include "journal/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace zoltrek {

namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether a number beyond the range of a double is too large rather than too small: whether its
// first significant digit, moved by the exponent, stands left of the point (far left or far
// right, as that of such a number does).
bool tooLarge(std::string_view number) {
    constexpr long long kFar = std::numeric_limits<int>::max();
    const auto e = std::min(number.find('e'), number.size());
    const std::string_view mantissa = number.substr(0, e);
    const long long shift = static_cast<long long>(std::min(mantissa.find('.'), mantissa.size())) -
                            static_cast<long long>(mantissa.find_first_of("123456789"));
    long long exponent = 0;
    for (const char c : number.substr(e))
        if (isDigit(c))
            exponent = std::min(exponent * 10 + (c - '0'), kFar);
    return number.find('-', e) == std::string_view::npos ? shift + exponent > 0
                                                         : shift - exponent > 0;
}

// An unsigned number as the "C" locale reads it, whatever the process locale; text without digits
// reads as 0. Beyond the range of a double, infinity or 0 as strtod gives them, never undefined
// behaviour.
double parseNumber(std::string_view number) {
    double value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec ==
        std::errc::result_out_of_range)
        return tooLarge(number) ? HUGE_VAL : 0.0;
    return value;
}

// Shortest form with at most 15 significant digits, "." as the point.
std::string general15(double value) {
    if (value == 0)
        value = 0;  // never show "-0"
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    (void)ec;
    return std::string(buf, end);
}

}  // namespace

double TextToNum(std::string_view text) {
    std::string number;
    std::size_t i = 0;
    const auto peek = [&] { return i < text.size() ? text[i] : '\0'; };
    const auto skip = [&] {
        while (isSkipped(peek()))
            ++i;
    };

    skip();
    const bool negative = peek() == '-';
    if (negative || peek() == '+')
        ++i;
    bool point = false;
    for (;; ++i) {
        skip();
        if (isDigit(peek())) {
            number += peek();
        } else if ((peek() == '.' || peek() == ',') && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }

    // An exponent without digits reads as none, and a number without digits as 0.
    if (peek() == 'e' || peek() == 'E') {
        number += 'e';
        ++i;
        skip();
        if (peek() == '+' || peek() == '-')
            number += text[i++];
        for (skip(); isDigit(peek()); ++i, skip())
            number += peek();
    }
    const double value = parseNumber(number);
    return value == 0 ? 0.0 : negative ? -value : value;
}

std::string NumToText(double value, char decimalSeparator) {
    if (!std::isfinite(value))
        return std::string(kNoValue);
    std::string text = general15(value);
    for (char& c : text)
        if (c == '.')
            c = decimalSeparator;
    return text;
}

std::string NumToListText(double value) {
    if (!std::isfinite(value))
        return " " + std::string(kNoValue);
    std::string digits = general15(value);
    const bool negative = digits.front() == '-';
    if (negative)
        digits.erase(0, 1);
    if (digits.starts_with("0."))
        digits.erase(0, 1);
    return (negative ? "-" : " ") + digits;
}

std::string NumWithUnit(double value, std::string_view unit, char decimalSeparator) {
    if (!std::isfinite(value))
        return std::string(kNoValue);
    return NumToText(value, decimalSeparator) + std::string(unit);
}

}  // namespace zoltrek
