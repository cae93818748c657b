#include "environment.h"

#include <QDesktopServices>
#include <QLocale>
#include <QMessageBox>

#include "text.h"

namespace zoltrek {

namespace {

bool isQuote(QChar c) {
    return c == u'\'';
}

// Where the quoted literal that starts at `from` ends (one past its closing quote).
qsizetype afterQuote(const QString& format, qsizetype from) {
    const qsizetype close = format.indexOf(u'\'', from + 1);
    return close < 0 ? format.size() : close + 1;
}

// What stood only to set off a removed field: spaces, commas, and brackets around it.
bool isGlueBefore(QChar c) {
    return c.isSpace() || c == u',' || c == u'(' || c == u'[';
}
bool isGlueAfter(QChar c) {
    return c.isSpace() || c == u',' || c == u')' || c == u']';
}

// Removes one run of unquoted "t" with its glue; false when there is none.
bool removeOneZone(QString& format) {
    for (qsizetype i = 0; i < format.size();) {
        if (isQuote(format[i])) {
            i = afterQuote(format, i);
            continue;
        }
        if (format[i] != u't') {
            ++i;
            continue;
        }
        qsizetype end = i;
        while (end < format.size() && format[end] == u't')
            ++end;
        qsizetype left = i, right = end;
        while (left > 0 && isGlueBefore(format[left - 1]))
            --left;
        while (right < format.size() && isGlueAfter(format[right]))
            ++right;
        // At either end the glue goes; between two fields a space keeps them apart.
        const bool edge = left == 0 || right == format.size();
        format.replace(left, right - left, edge ? QString() : QStringLiteral(" "));
        return true;
    }
    return false;
}

// Qt shows the flexible day period "B" as the letter itself; AM/PM says nearly the same.
QString withDayPeriod(QString format) {
    for (qsizetype i = 0; i < format.size();) {
        if (isQuote(format[i])) {
            i = afterQuote(format, i);
        } else if (format[i] == u'B') {
            qsizetype end = i;
            while (end < format.size() && format[end] == u'B')
                ++end;
            format.replace(i, end - i, QStringLiteral("AP"));
            i += 2;
        } else {
            ++i;
        }
    }
    return format;
}

}  // namespace

QString withoutTimeZone(const QString& format) {
    QString out = withDayPeriod(format);
    while (removeOneZone(out)) {
    }
    return out.trimmed();
}

Locale Locale::of(const QLocale& locale) {
    Locale out;
    const QString point = locale.decimalPoint();
    if (!point.isEmpty())
        out.decimalSeparator = point.front();
    out.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    out.timeFormat = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    out.names = locale;
    return out;
}

// Any other separator ("٫" of Arabic and Persian has no byte in the code page at all) would
// end the number where the journal reads it back, so "." stands in for it.
char Locale::separatorByte() const {
    return decimalSeparator == u',' ? ',' : '.';
}

QString Locale::format(const QDate& date, const QString& pattern) const {
    return withPlainDigits(names.toString(date, pattern));
}

QString Locale::format(const QTime& time, const QString& pattern) const {
    return withPlainDigits(names.toString(time, pattern));
}

void showMessageBox(QWidget* parent, const Message& message) {
    QMessageBox box(
        message.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
        message.title, message.text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // a date from the journal may hold "<b>"
    box.exec();
}

Environment Environment::system() {
    return {Locale::system(), [] { return QDateTime::currentDateTime(); }, showMessageBox,
            [](const QUrl& url) { return QDesktopServices::openUrl(url); }};
}

}  // namespace zoltrek
