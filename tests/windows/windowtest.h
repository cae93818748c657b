#pragma once

#include <gtest/gtest.h>
#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTest>
#include <memory>
#include <optional>
#include <vector>

#include "../journal/tempfolder.h"
#include "entrydialoghost.h"
#include "environment.h"
#include "fnew.h"
#include "mainwindow.h"

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace zoltrek::testing {

// A fixed clock and locale; message boxes and the web browser recorded instead of shown.
struct FakePlatform {
    std::vector<Message> messages;
    std::vector<QUrl> openedUrls;
    QDateTime now{QDate(2026, 12, 6), QTime(5, 35, 39)};
    Locale locale;

    Environment environment() {
        return {locale, [this] { return now; },
                [this](QWidget*, const Message& m) { messages.push_back(m); },
                [this](const QUrl& url) { return openedUrls.push_back(url), false; }};
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

// A person's click: the pointer arrives the platform's way (so the button sees it), and leaves.
inline void clickButton(QWidget* button) {
    QCursor::setPos(button->mapToGlobal(button->rect().center()));
    QCoreApplication::processEvents();
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
    QCoreApplication::processEvents();
}

// The main window over a journal in a fresh folder, with the real entry dialog.
class WindowTest : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string path = folder.file("zoltrek.dat");
    FakePlatform platform;
    std::unique_ptr<Main> main;
    std::unique_ptr<EntryDialogHost> host;

    void TearDown() override { closeWindows(); }
    // The dialog first: it holds on to the main window.
    void closeWindows() {
        if (host && host->dialog())
            host->dialog()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        host.reset();
        main.reset();
    }
    // Shows the main window over the journal, written first unless none.
    void start(const std::optional<std::string>& journal, FileOps& files = FileOps::system()) {
        closeWindows();
        if (journal)
            writeBytes(path, *journal);
        main = std::make_unique<Main>(path, platform.environment(), files);
        main->journalFile().setLockWait(std::chrono::milliseconds(100));  // a busy journal
        host = std::make_unique<EntryDialogHost>(*main);
        main->setEntryDialogs(host.get());
        main->show();
        QApplication::processEvents();
    }

    QListWidget* list() { return child<QListWidget>(main.get(), "List1"); }
    void clickItem(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list()->viewport(), button, Qt::NoModifier,
                          list()->visualItemRect(list()->item(row)).center());
    }
    FNew* openNew() {
        clickButton(child(main.get(), "XpB1"));
        return host->dialog();
    }
    FNew* openEdit(int slot) {
        host->fEdit(main->journal().records[slot], main->journal().lines[slot]);
        return host->dialog();
    }
    QString text(const char* box) { return child<QLineEdit>(host->dialog(), box)->text(); }
    // Replaces a box's text in the open dialog by typing, on any keyboard layout.
    void type(const char* box, const QString& text) {
        auto* edit = child<QLineEdit>(host->dialog(), box);
        edit->clear();
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, c, Qt::NoModifier);
    }
    void fill(const QString& km, const QString& litres, const QString& price) {
        type("Text1", km), type("Text2", litres), type("Text3", price);
    }
    // Clicks "ОК" and lets a closing dialog go.
    void save() {
        clickButton(child(host->dialog(), "XpB1"));
        QApplication::processEvents();
    }
    const Message& told() {
        static const Message none{};
        return platform.messages.empty() ? none : platform.messages.back();
    }
};

}  // namespace zoltrek::testing
