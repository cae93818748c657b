#include "messages.h"

#include <QStringList>

#include "report.h"
#include "text.h"

namespace zoltrek {

Message statisticsMessage(const Journal& journal, const Locale& locale) {
    const StatisticsReport report = statisticsReport(journal, locale.separatorByte());
    return {MessageIcon::Information, fromJournal(report.title), fromJournal(report.text)};
}

std::optional<Message> loadMessage(const LoadResult& result, const QString& path) {
    if (result.status == LoadResult::Status::Failed)
        return Message{MessageIcon::Critical, QStringLiteral("Ошибка"),
                       QString::fromStdString(result.error.message())};
    if (result.status != LoadResult::Status::Loaded)
        return std::nullopt;
    if (result.skippedCount == 0 && !result.leftUnloaded)
        return std::nullopt;

    QStringList parts;
    if (result.skippedCount > 0) {
        QStringList numbers;
        for (std::size_t line : result.skippedLines)
            numbers << QString::number(line);
        QString list = numbers.join(QStringLiteral(", "));
        if (result.skippedCount > result.skippedLines.size())
            list +=
                QStringLiteral(" и ещё %1").arg(result.skippedCount - result.skippedLines.size());
        parts << (result.skippedCount == 1
                      ? QStringLiteral("Строка журнала «%1», которую не удалось прочитать, "
                                       "пропущена: %2.")
                      : QStringLiteral("Строки журнала «%1», которые не удалось прочитать, "
                                       "пропущены: %2."))
                     .arg(path, list);
    }
    if (result.leftUnloaded) {
        parts << (result.skippedCount >= JournalFile::kMaxSkipped
                      ? QStringLiteral(
                            "Испорченных строк слишком много: остаток журнала не загружен.")
                      : QStringLiteral("Программа показывает %1: остальные строки журнала не "
                                       "загружены.")
                            .arg(QString::fromStdString(atMostFillUps(Journal::kSlots))));
    }
    parts << QStringLiteral("Файл не изменён.");
    return Message{MessageIcon::Information, QStringLiteral("Внимание"), parts.join(u' ')};
}

QString clockText(const QDateTime& now, const Locale& locale) {
    return QStringLiteral("Сегодня ") + locale.format(now.date(), locale.shortDateFormat) +
           QStringLiteral(", ") + locale.format(now.time(), locale.timeFormat);
}

}  // namespace zoltrek
