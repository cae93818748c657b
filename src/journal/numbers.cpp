#include "journal/numbers.h"

#include <locale.h>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace zoltrek {

namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod in the "C" locale: the process locale may use "," as its point.
double parseCLocale(const std::string& clean) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return strtod_l(clean.c_str(), nullptr, cLocale);
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
    std::string clean;
    std::size_t i = 0;
    const std::size_t n = text.size();
    auto skip = [&] {
        while (i < n && isSkipped(text[i]))
            ++i;
    };

    skip();
    if (i < n && (text[i] == '+' || text[i] == '-'))
        clean += text[i++];

    bool digits = false, point = false;
    for (;; ++i) {
        skip();
        if (i >= n)
            break;
        if (isDigit(text[i])) {
            clean += text[i];
            digits = true;
        } else if ((text[i] == '.' || text[i] == ',') && !point) {
            clean += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digits)
        return 0.0;

    skip();
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::string exponent = "e";
        ++i;
        skip();
        if (i < n && (text[i] == '+' || text[i] == '-'))
            exponent += text[i++];
        bool expDigits = false;
        for (;; ++i) {
            skip();
            if (i >= n || !isDigit(text[i]))
                break;
            exponent += text[i];
            expDigits = true;
        }
        if (expDigits)
            clean += exponent;
    }
    // Out of range gives +-infinity (or 0 for underflow), never undefined behaviour.
    const double value = parseCLocale(clean);
    return value == 0 ? 0.0 : value;
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
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.')
        digits.erase(0, 1);
    return (negative ? "-" : " ") + digits;
}

std::string NumWithUnit(double value, std::string_view unit, char decimalSeparator) {
    if (!std::isfinite(value))
        return std::string(kNoValue);
    return NumToText(value, decimalSeparator) + std::string(unit);
}

}  // namespace zoltrek
