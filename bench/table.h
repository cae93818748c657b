#pragma once

#include <string>
#include <vector>

namespace zoltrek::bench {

struct Row {
    std::string figure, measured, target, met;
};

// printf-style text of one number.
std::string number(double value, const char* format);

// A table with a header, its columns padded to the widest cell (UTF-8 aware).
void printTable(const std::vector<Row>& rows);

}  // namespace zoltrek::bench
