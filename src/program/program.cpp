#include "program/program.h"

#include <QApplication>
#include <QDebug>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "about/about.h"
#include "entry/entrydialoghost.h"
#include "entry/fnew.h"
#include "mainwindow/mainwindow.h"
#include "platform/appearance.h"
#include "platform/environment.h"
#include "platform/journalplace.h"

namespace zoltrek {

namespace {

// What the toolkit said while it looked for a display, kept until it has found one.
QStringList heldMessages;
QString displayTrouble;  // the platform's first word on it

void holdUntilTheDisplayOpens(QtMsgType type, const QMessageLogContext& context,
                              const QString& message) {
    const QString line = message.section(u'\n', 0, 0).trimmed();
    if (displayTrouble.isEmpty() && QByteArray(context.category).startsWith("qt.qpa"))
        displayTrouble = line;
    if (type != QtFatalMsg)
        return heldMessages.append(message);
    std::fprintf(stderr, "zoltrek: no display to open the window on (%s)\n",
                 (displayTrouble.isEmpty() ? line : displayTrouble).toLocal8Bit().constData());
    std::_Exit(1);
}

}  // namespace

void exitQuietlyWithoutDisplay() {
    qInstallMessageHandler(holdUntilTheDisplayOpens);
}

void displayOpened() {
    qInstallMessageHandler(nullptr);
    for (const QString& message : std::exchange(heldMessages, {}))
        qWarning().noquote() << message;
}

JournalPlace journalPlace() {
    std::string folder = executableFolder();
    // Qt's application folder is empty when a folder's name is not UTF-8 (one unpacked from a
    // Windows archive, say), so it only stands in when the system does not say.
    if (folder.empty())
        folder = QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    return journalPlace(folder, userEnvironment());
}

std::unique_ptr<EntryDialogHost> entryDialogsOf(Main& window, JournalFile& file) {
    auto dialogs =
        std::make_unique<EntryDialogHost>(file, window.environment(), window.windowIcon());
    QObject::connect(&window, &Main::newFillUpAsked, dialogs.get(), &EntryDialogHost::showNew);
    QObject::connect(&window, &Main::editAsked, dialogs.get(), &EntryDialogHost::fEdit);
    QObject::connect(dialogs.get(), &EntryDialogHost::journalChanged, &window, &Main::UpList);
    return dialogs;
}

QList<TextInBox> programTexts() {
    return Main::textsToFit();
}

int runProgram(QApplication& app, const JournalPlace& place, FontConfigurationReader& fonts) {
    fonts.wait();
    setUpApplication(app);
    fitFaces(programTexts());
    // Outlives every window, so they may close in any order.
    JournalFile file(place.path);
    file.setCreatesFolders(place.inUserData);
    Main window(file, Environment::system());
    const auto dialogs = entryDialogsOf(window, file);
    window.show();
    return app.exec();
}

}  // namespace zoltrek
