#include "platform/environment.h"

#include <QDesktopServices>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include <cstdio>

#include "platform/systemlimits.h"
#include "platform/text.h"

namespace zoltrek {

namespace {

constexpr int kWidestUnwrapped = 500;  // Qt's own widest box before it wraps

// What stood only to set off a removed field: spaces, commas, and brackets around it.
bool isGlueBefore(QChar c) {
    return c.isSpace() || c == u',' || c == u'(' || c == u'[';
}
bool isGlueAfter(QChar c) {
    return c.isSpace() || c == u',' || c == u')' || c == u']';
}

// The next run of a field letter from `from`, outside quoted literals; `at` is -1 when none.
struct Run {
    qsizetype at = -1, end = -1;
};
Run unquotedRun(const QString& format, QChar letter, qsizetype from) {
    for (qsizetype i = from; i < format.size();) {
        if (format[i] == u'\'') {
            const qsizetype close = format.indexOf(u'\'', i + 1);
            i = close < 0 ? format.size() : close + 1;
        } else if (format[i] == letter) {
            qsizetype end = i;
            while (end < format.size() && format[end] == letter)
                ++end;
            return {i, end};
        } else {
            ++i;
        }
    }
    return {};
}

}  // namespace

QString withoutTimeZone(const QString& format) {
    QString out = format;
    // Qt shows the flexible day period "B" as the letter itself; AM/PM says nearly the same.
    for (Run b = unquotedRun(out, u'B', 0); b.at >= 0; b = unquotedRun(out, u'B', b.at + 2))
        out.replace(b.at, b.end - b.at, QStringLiteral("AP"));
    for (Run t; (t = unquotedRun(out, u't', 0)).at >= 0;) {
        qsizetype left = t.at, right = t.end;
        while (left > 0 && isGlueBefore(out[left - 1]))
            --left;
        while (right < out.size() && isGlueAfter(out[right]))
            ++right;
        // At either end the glue goes; between two fields a space keeps them apart.
        const bool edge = left == 0 || right == out.size();
        out.replace(left, right - left, edge ? QString() : QStringLiteral(" "));
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

bool roomToShow(const QString& what) {
    if (descriptorsToSpare())
        return true;
    std::fprintf(stderr, "zoltrek: не показано, программе не хватает дескрипторов файлов: %s\n",
                 what.toLocal8Bit().constData());
    return false;
}

void showMessageBox(QWidget* parent, const Message& message) {
    if (!roomToShow(QStringLiteral("«%1»: %2").arg(message.title, message.text)))
        return;
    QMessageBox box(
        message.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
        message.title, message.text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);  // a date from the journal may hold "<b>"
    box.button(QMessageBox::Ok)->setText(QStringLiteral("ОК"));  // Qt's Russian keeps it Latin
    // Qt wraps a box's lines wider than half the screen counted in its scaled pixels: at three
    // times the scale, a third as wide as on an ordinary screen. A line no wider than a box shows
    // whole at 1 stays whole.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const QMargins margins = label->contentsMargins();
        const int widest =
            QFontMetrics(label->font()).boundingRect(QRect(), 0, message.text).width() +
            margins.left() + margins.right() + 1;
        if (widest <= kWidestUnwrapped)
            label->setMinimumWidth(widest);
    }
    box.exec();
}

Environment Environment::system() {
    return {Locale::system(), [] { return QDateTime::currentDateTime(); }, showMessageBox,
            [](const QUrl& url) { return QDesktopServices::openUrl(url); }};
}

}  // namespace zoltrek
