#include "mainwindow/messages.h"

#include "journal/journaltexts.h"
#include "journal/report.h"

namespace zoltrek {

Message statisticsMessage(const Journal& journal, const Locale& locale) {
    const StatisticsReport report = statisticsReport(journal, locale.separatorByte());
    return {MessageIcon::Information, QString::fromStdString(report.title),
            QString::fromStdString(report.text)};
}

std::optional<Message> loadMessage(const LoadResult& result, const std::string& path) {
    if (result.status == LoadResult::Status::Failed)
        return Message{MessageIcon::Critical, QStringLiteral("Ошибка"),
                       QString::fromStdString(errorMessage(result.error))};
    const std::string notice = loadNotice(result, path);
    if (notice.empty())
        return std::nullopt;
    return Message{MessageIcon::Information, QStringLiteral("Внимание"),
                   QString::fromStdString(notice)};
}

QString clockText(const QDateTime& now, const Locale& locale) {
    return QStringLiteral("Сегодня ") + locale.format(now.date(), locale.shortDateFormat) +
           QStringLiteral(", ") + locale.format(now.time(), locale.timeFormat);
}

}  // namespace zoltrek
