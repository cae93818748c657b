#include "text.h"

#include "codepage.h"

namespace zoltrek {

QString fromJournal(std::string_view bytes) {
    return QString::fromStdString(fromCp1251(bytes));
}

std::string toJournal(const QString& text) {
    return toCp1251(text.toStdString());
}

}  // namespace zoltrek
