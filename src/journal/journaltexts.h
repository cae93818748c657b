#pragma once

#include <string>
#include <string_view>

#include "journal/journalerror.h"
#include "journal/journalfile.h"

// What the user is told about the journal, in Russian, as UTF-8. A path goes in as the bytes the
// file system holds; the window shows the whole text as UTF-8, as it shows any path. Free of Qt,
// so that the journal tool says the same.
namespace zoltrek {

// Names the file and the reason, and says what was kept.
std::string errorMessage(const JournalError& error);

// Why a system call failed, in Russian for the reasons a user meets (no space, no permission,
// a read-only disk...), in the system's own words for the rest.
std::string systemReason(int err);

// "не больше N заправок", the noun in the case the number asks for: "не больше 101 заправки".
std::string atMostFillUps(int count);

// What a load that went well passed over (malformed lines, the first ten named) or left
// unloaded, ending with the word that the file was not changed; empty when there is nothing to
// tell.
std::string loadNotice(const LoadResult& result, std::string_view path);

}  // namespace zoltrek
