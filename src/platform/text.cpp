#include "platform/text.h"

#include <QList>

#include "base/digits.h"

namespace zoltrek {

namespace {

// Marks that set the direction of the text around them (the Arabic date formats put one after
// each field): in a left-to-right sentence they would shuffle the fields.
bool isDirectionMark(uint p) {
    return p == 0x200E || p == 0x200F || p == 0x061C || (p >= 0x202A && p <= 0x202E) ||
           (p >= 0x2066 && p <= 0x2069);
}

}  // namespace

QString withPlainDigits(const QString& text) {
    QList<uint> points;
    for (uint p : text.toUcs4())
        if (!isDirectionMark(p))
            points.append(plainDigit(p));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(points.constData()), points.size());
}

std::string plainNumber(const QString& typed) {
    return withPlainDigits(typed).replace(QChar(0x066B), u'.').toStdString();
}

}  // namespace zoltrek
