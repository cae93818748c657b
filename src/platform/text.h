#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zoltrek {

// Every decimal digit of any script as its digit 0-9, without the marks that set the direction
// of the text around them.
QString withPlainDigits(const QString& text);

// A number as the user typed it, for the journal (UTF-8): its digits as 0-9, and the Arabic
// decimal separator "٫", which has no byte in the journal's code page, as ".".
std::string plainNumber(const QString& typed);

}  // namespace zoltrek
