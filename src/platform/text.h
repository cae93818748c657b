#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zoltrek {

// The journal keeps Windows-1251 bytes; windows show QString. These convert at that boundary.
QString fromJournal(std::string_view bytes);
std::string toJournal(const QString& text);

// Every decimal digit of any script as its digit 0-9, without the marks that set the direction
// of the text around them.
QString withPlainDigits(const QString& text);

// A number as the user typed it, for the journal: its digits as 0-9, and the Arabic decimal
// separator "٫", which has no byte in the code page, as ".".
std::string numberToJournal(const QString& typed);

}  // namespace zoltrek
