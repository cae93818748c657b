#pragma once

#include <optional>
#include <string>

namespace zoltrek::bench {

// The real time of the benchmark `name` in a Google Benchmark JSON report, in microseconds;
// nothing when the report or the benchmark is missing.
std::optional<double> microseconds(const std::string& reportPath, const std::string& name);

}  // namespace zoltrek::bench
