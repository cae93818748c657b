#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <vector>

#include "environment.h"

namespace zoltrek::testing {

// The platform as a test sets it: a fixed clock, a chosen locale, message boxes and the web
// browser recorded instead of shown.
struct FakePlatform {
    std::vector<Message> messages;
    std::vector<QUrl> openedUrls;
    QDateTime now{QDate(2026, 12, 6), QTime(5, 35, 39)};
    Locale locale;

    Environment environment() {
        return {locale, [this] { return now; },
                [this](QWidget*, const Message& m) { messages.push_back(m); },
                [this](const QUrl& url) {
                    openedUrls.push_back(url);
                    return false;
                }};
    }
};

template <typename T = QWidget>
T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The widget's rectangle in its window's client coordinates.
inline QRect inWindow(const QWidget* widget) {
    return QRect(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
}

// Moves the pointer as the platform does, so that buttons see it arrive.
inline void pointTo(QPoint global) {
    QCursor::setPos(global);
    QCoreApplication::processEvents();
}

// A person's click on a button: the pointer goes onto it, presses and releases, and leaves.
inline void clickButton(QWidget* button) {
    const QPoint centre = button->rect().center();
    pointTo(button->mapToGlobal(centre));
    QTest::mouseClick(button, Qt::LeftButton, {}, centre);
    pointTo(QGuiApplication::primaryScreen()->geometry().bottomRight());
}

}  // namespace zoltrek::testing
