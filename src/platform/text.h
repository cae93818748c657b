#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zoltrek {

// The journal keeps Windows-1251 bytes; windows show QString. These convert at that boundary.
QString fromJournal(std::string_view bytes);
std::string toJournal(const QString& text);

// "не больше N заправок", the noun in the case the number asks for: "не больше 101 заправки".
QString atMostFillUps(int count);

}  // namespace zoltrek
