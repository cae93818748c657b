#include "environment.h"

#include <QDesktopServices>
#include <QLocale>
#include <QMessageBox>
#include <QRegularExpression>

#include "text.h"

namespace zoltrek {

namespace {

// The long time format names the time zone with "t"; the clock shows none.
QString withoutTimeZone(QString format) {
    static const QRegularExpression zone(QStringLiteral("\\s*t+\\s*"));
    return format.replace(zone, QStringLiteral(" ")).trimmed();
}

}  // namespace

Locale Locale::system() {
    const QLocale locale = QLocale::system();
    Locale out;
    const QString point = locale.decimalPoint();
    if (!point.isEmpty())
        out.decimalSeparator = point.front();
    out.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
    out.timeFormat = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    return out;
}

char Locale::separatorByte() const {
    const std::string byte = toJournal(QString(decimalSeparator));
    return byte.size() == 1 ? byte.front() : '.';
}

void showMessageBox(QWidget* parent, const Message& message) {
    QMessageBox box(
        message.icon == MessageIcon::Critical ? QMessageBox::Critical : QMessageBox::Information,
        message.title, message.text, QMessageBox::Ok, parent);
    box.exec();
}

Environment Environment::system() {
    return {Locale::system(), [] { return QDateTime::currentDateTime(); }, showMessageBox,
            [](const QUrl& url) { return QDesktopServices::openUrl(url); }};
}

}  // namespace zoltrek
