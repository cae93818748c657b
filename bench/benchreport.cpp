#include "benchreport.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace zoltrek::bench {

namespace {

// The text after `"key": ` within the object that starts at `from`.
std::optional<std::string> field(const std::string& json, std::size_t from, const char* key) {
    const std::size_t end = json.find('}', from);
    const std::size_t at = json.find(std::string("\"") + key + "\": ", from);
    if (at == std::string::npos || at > end)
        return std::nullopt;
    const std::size_t value = json.find(": ", at) + 2;
    return json.substr(value, json.find_first_of(",\n}", value) - value);
}

double unitInMicroseconds(const std::string& unit) {
    if (unit == "\"ns\"")
        return 1e-3;
    if (unit == "\"ms\"")
        return 1e3;
    if (unit == "\"s\"")
        return 1e6;
    return 1.0;
}

}  // namespace

std::optional<double> microseconds(const std::string& reportPath, const std::string& name) {
    std::ifstream in(reportPath);
    const std::string json{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::size_t at = json.find("\"name\": \"" + name + "\",");
    if (at == std::string::npos)
        return std::nullopt;
    if (field(json, at, "error_occurred"))
        return std::nullopt;
    const auto time = field(json, at, "real_time");
    const auto unit = field(json, at, "time_unit");
    if (!time || !unit)
        return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(time->c_str(), &end);
    if (end == time->c_str())
        return std::nullopt;
    return value * unitInMicroseconds(*unit);
}

}  // namespace zoltrek::bench
