#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zoltrek::bench {

struct StartUp {
    double milliseconds;  // from just before the process was made to its first frame
    double peakMiB;       // its largest resident set
};

// Starts `program` with `args` on the X display `display` and waits for the first frame it
// reports; nothing when it reports none.
std::optional<StartUp> timeStartUp(const std::string& program, const std::vector<std::string>& args,
                                   const std::string& display);

}  // namespace zoltrek::bench
