#include "text.h"

#include "codepage.h"

namespace zoltrek {

QString fromJournal(std::string_view bytes) {
    return QString::fromStdString(fromCp1251(bytes));
}

std::string toJournal(const QString& text) {
    return toCp1251(text.toStdString());
}

QString atMostFillUps(int count) {
    const bool singular = count % 10 == 1 && count % 100 != 11;
    return QStringLiteral("не больше %1 %2")
        .arg(count)
        .arg(singular ? QStringLiteral("заправки") : QStringLiteral("заправок"));
}

}  // namespace zoltrek
