#pragma once

#include <QDateTime>
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

    static Locale system();
    // The separator as the journal writes it.
    char separatorByte() const;
};

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

// A modal box with its icon and one OK button.
void showMessageBox(QWidget* parent, const Message& message);

}  // namespace zoltrek
