#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace zoltrek {

// The user's number, date and time formats.
struct Locale {
    QChar decimalSeparator = u'.';
    QString shortDateFormat = QStringLiteral("dd.MM.yyyy");
    QString timeFormat = QStringLiteral("H:mm:ss");  // with seconds, without a time zone
    QLocale names = QLocale::c();                    // month and day names, AM and PM

    static Locale of(const QLocale& locale);
    static Locale system() { return of(QLocale::system()); }
    // The separator as the journal writes it: the user's, when the journal reads it back.
    char separatorByte() const;
    // A date or a time in one of these formats, with the digits 0-9 whatever the language, and
    // without direction marks, for a left-to-right sentence.
    QString format(const QDate& date, const QString& pattern) const;
    QString format(const QTime& time, const QString& pattern) const;
};

// A long time format without the time zone and what would stand around it alone ("(t)",
// ", t"); the day period that Qt cannot show ("B") becomes its AM/PM.
QString withoutTimeZone(const QString& format);

enum class MessageIcon { Information, Critical };

struct Message {
    MessageIcon icon;
    QString title;
    QString text;
};

// What the windows take from the platform, as values a test can replace: the locale, the
// clock, the message boxes and the web browser.
struct Environment {
    Locale locale;
    std::function<QDateTime()> now;
    std::function<void(QWidget* parent, const Message&)> showMessage;
    std::function<bool(const QUrl&)> openUrl;

    static Environment system();
};

// A modal box with its icon and one OK button; where no box can be drawn (see roomToShow), its
// title and text go to standard error instead.
void showMessageBox(QWidget* parent, const Message& message);

// Whether a window can be drawn now. If it cannot, says on standard error that `what` was not
// shown and why; the windows already open stay as they are, and the user may try again.
bool roomToShow(const QString& what);

}  // namespace zoltrek
