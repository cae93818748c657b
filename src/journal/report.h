#pragma once

#include <string>

#include "journal/fillup.h"

namespace zoltrek {

// The statistics of the whole period, as the box shows it: its title and its text, both in
// UTF-8, lines ending in CR LF. `enoughData` is false for fewer than two
// records, and the box is then a warning.
struct StatisticsReport {
    bool enoughData = false;
    std::string title;
    std::string text;
};

StatisticsReport statisticsReport(const Journal& journal, char decimalSeparator);

}  // namespace zoltrek
