#pragma once

#include <string>

// Paths between the journal's form (UTF-8, "/" between names) and the system's (UTF-16).
namespace zoltrek {

std::string narrow(const std::wstring& wide);

// UTF-8 with "/" between names, without the long-path mark.
std::string pathFromSystem(std::wstring path);

}  // namespace zoltrek
