#include "journal/parseline.h"

#include <algorithm>

#include "journal/codepage.h"
#include "journal/linefields.h"
#include "journal/numbers.h"

namespace zoltrek {

std::optional<FillUp> ParseLine(std::string_view line) {
    if (std::count(line.begin(), line.end(), '|') < 4)
        return std::nullopt;
    const LineFields f = lineFields(line);
    // The amount's field runs to the end of the line; its number ends at the first "|" after it.
    return FillUp{fromCp1251(f[0]), TextToNum(f[1]), TextToNum(f[2]), TextToNum(f[3]),
                  TextToNum(f[4])};
}

}  // namespace zoltrek
