#pragma once

#include <QDateTime>

#include "journal/fillup.h"
#include "journal/journalfile.h"
#include "platform/environment.h"

namespace zoltrek {

// The statistics box: the report, or the warning that there is too little data.
Message statisticsMessage(const Journal& journal, const Locale& locale);

// What the user is told after a load of the journal at `path` (bytes): a failure, or lines
// that were skipped or not loaded. Nothing when the load went well.
std::optional<Message> loadMessage(const LoadResult& result, const std::string& path);

// The status strip's clock: "Сегодня " + short date + ", " + time with seconds.
QString clockText(const QDateTime& now, const Locale& locale);

}  // namespace zoltrek
