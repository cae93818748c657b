// TextToNum over arbitrary bytes, and the number texts read back.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "journal/numbers.h"
#include "oracle.h"

using zoltrek::fuzz::require;

namespace {

// Journal values are far from the edge of a double; a 15-digit text of a value beside the
// largest double rounds past it and reads back as infinity.
bool roundTrips(double value) {
    return std::isfinite(value) && std::fabs(value) < 1e300;
}

void checkRoundTrips(double value) {
    if (!roundTrips(value))
        return;
    for (const char separator : {'.', ','}) {
        const std::string text = zoltrek::NumToText(value, separator);
        require(zoltrek::NumToText(zoltrek::TextToNum(text), separator) == text,
                "NumToText reads back as itself");
    }
    const std::string listed = zoltrek::NumToListText(value);
    require(zoltrek::NumToListText(zoltrek::TextToNum(listed)) == listed,
            "NumToListText reads back as itself");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Read in place: a text in a journal line ends where the line does, with no NUL after it.
    const double value = zoltrek::TextToNum({reinterpret_cast<const char*>(data), size});
    const std::string text(reinterpret_cast<const char*>(data), size);
    require(!std::isnan(value), "TextToNum never gives NaN");
    require(!(value == 0 && std::signbit(value)), "TextToNum never gives -0");

    std::string squeezed, points = text;
    for (const char c : text)
        if (c != ' ' && c != '\t' && c != '\n')
            squeezed += c;
    for (char& c : points)
        if (c == ',')
            c = '.';
    require(zoltrek::TextToNum(squeezed) == value, "spaces, tabs and LFs are skipped anywhere");
    require(zoltrek::TextToNum(points) == value, "a comma is a point like \".\"");

    checkRoundTrips(value);
    if (size >= sizeof(double)) {
        double raw;
        std::memcpy(&raw, data, sizeof raw);
        checkRoundTrips(raw);
    }
    return 0;
}
