// The real windows on a fixed clock and locale and a journal of their own; boxes only recorded.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <memory>
#include <optional>
#include <set>

#include "entry/entrydialoghost.h"
#include "entry/fnew.h"
#include "mainwindow/mainwindow.h"
#include "program/program.h"
#include "support/journaltext.h"
#include "support/tempfolder.h"

namespace zoltrek::testing {

const std::string kTwoLines = "01.11.26|84000|40|20|800\r\n15.11.26|84500|35|21|735\r\n";

template <typename T = QWidget>
T* child(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// The colours in a picture, without their alpha.
inline std::set<QRgb> coloursOf(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) & RGB_MASK);
    return colours;
}

class WindowTest : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string path = folder.file("zoltrek.dat");
    std::vector<Message> messages;
    std::vector<QUrl> openedUrls;
    QDateTime now{QDate(2026, 12, 6), QTime(5, 35, 39)};
    Locale locale;
    std::optional<JournalFile> file;  // outlives the windows that use it
    std::unique_ptr<Main> main;
    std::unique_ptr<EntryDialogHost> host;

    void TearDown() override { closeWindows(); }
    void closeWindows() {
        main.reset();
        if (host && host->dialog())
            host->dialog()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        host.reset();
    }
    // Shows the main window over the journal, written first unless none.
    void start(const std::optional<std::string>& journal, FileOps& files = FileOps::system()) {
        closeWindows();
        if (journal)
            writeBytes(path, *journal);
        const Environment env{locale, [this] { return now; },
                              [this](QWidget*, const Message& m) { messages.push_back(m); },
                              [this](const QUrl& url) { return openedUrls.push_back(url), false; }};
        file.emplace(path, files);
        file->setLockWait(std::chrono::milliseconds(100));  // a busy journal
        main = std::make_unique<Main>(*file, env);
        host = entryDialogsOf(*main, *file);
        main->show();
        QApplication::processEvents();
    }

    static QRect inWindow(const QWidget* w) { return {w->mapTo(w->window(), QPoint()), w->size()}; }
    // Size, centring, title, buttons, each "name left top width height", a background over all.
    static void expectLayout(QWidget* w, QSize size, const char* title, Qt::WindowFlags buttons,
                             const char* rects) {
        EXPECT_TRUE(w->size() == size && w->minimumSize() == w->maximumSize());
        const QPoint off = w->frameGeometry().center() - w->screen()->availableGeometry().center();
        EXPECT_LE(off.manhattanLength(), 1) << off.x() << ", " << off.y();
        EXPECT_EQ(w->windowTitle(), title);
        EXPECT_EQ(w->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint),
                  buttons);
        for (const QString& rect : QString(rects).split(u',')) {
            const QStringList f = rect.split(u' ', Qt::SkipEmptyParts);
            EXPECT_EQ(inWindow(child(w, qPrintable(f[0]))),
                      QRect(f[1].toInt(), f[2].toInt(), f[3].toInt(), f[4].toInt()))
                << qPrintable(rect);
        }
        const QRect bg = inWindow(child(w, "BG"));
        EXPECT_TRUE(bg.topLeft().isNull() && bg.height() > size.height() &&
                    bg.width() >= size.width());
    }
    // The controls the Tab key visits from the focused one; a control's inner part stands for it.
    static QStringList tabOrder(QWidget* window, int steps) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QStringList visited;
        for (int i = 0; i < steps; ++i) {
            QWidget* control = QApplication::focusWidget();
            while (control && control->parentWidget() != window)
                control = control->parentWidget();
            visited << (control ? control->objectName() : QString());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return visited;
    }
    // A person's click: the pointer arrives the platform's way (so the button sees it), and leaves.
    static void clickButton(QWidget* button) {
        QCursor::setPos(button->mapToGlobal(button->rect().center()));
        QCoreApplication::processEvents();
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().bottomRight());
        QCoreApplication::processEvents();
    }

    QListWidget* list() { return child<QListWidget>(main.get(), "List1"); }
    void clickItem(int row, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(list()->viewport(), button, {},
                          list()->visualItemRect(list()->item(row)).center());
    }
    QStringList details() {
        QStringList texts;
        for (const char* name : {"i1", "i2", "i3", "i4", "i5", "i6"})
            texts << child<QLabel>(main.get(), name)->text();
        return texts;
    }
    FNew* openNew() { return clickButton(child(main.get(), "XpB1")), host->dialog(); }
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
    void fill(const QString& km) { type("Text1", km), type("Text2", "40"), type("Text3", "20"); }
    // Clicks "ОК" and lets a closing dialog go.
    void save() { clickButton(child(host->dialog(), "XpB1")), QApplication::processEvents(); }
    Message told() const { return messages.empty() ? Message{} : messages.back(); }
    // The count-th box is the last: its title, the icon that goes with it, a piece of its text.
    void expectTold(std::size_t count, const QString& title, const QString& piece) {
        ASSERT_EQ(messages.size(), count) << told().text.toStdString();
        EXPECT_EQ(told().title, title);
        EXPECT_EQ(told().icon,
                  title == "Ошибка" ? MessageIcon::Critical : MessageIcon::Information);
        EXPECT_TRUE(told().text.contains(piece)) << told().text.toStdString();
    }
};

}  // namespace zoltrek::testing
