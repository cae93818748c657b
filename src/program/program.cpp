#include "program.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "appearance.h"
#include "entrydialoghost.h"
#include "environment.h"
#include "fileops.h"
#include "mainwindow.h"

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

// The executable's own path, as the bytes the file system holds: Qt's application folder is
// empty when a folder's name is not UTF-8 (one unpacked from a Windows archive, say).
std::string journalBesideExecutable() {
    const std::string exe = FileOps::system().readLink("/proc/self/exe");
    if (!exe.empty())
        return exe.substr(0, exe.rfind('/')) + "/zoltrek.dat";
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + "/zoltrek.dat";
}

std::unique_ptr<EntryDialogHost> entryDialogsOf(Main& window) {
    auto dialogs = std::make_unique<EntryDialogHost>(window.journalFile(), window.environment(),
                                                     window.windowIcon());
    QObject::connect(&window, &Main::newFillUpAsked, dialogs.get(), &EntryDialogHost::showNew);
    QObject::connect(&window, &Main::editAsked, dialogs.get(), &EntryDialogHost::fEdit);
    QObject::connect(dialogs.get(), &EntryDialogHost::journalChanged, &window, &Main::UpList);
    return dialogs;
}

int runProgram(QApplication& app, const std::string& journalPath, FontConfigurationReader& fonts) {
    fonts.wait();
    setUpApplication(app);
    Main window(journalPath, Environment::system());
    const auto dialogs = entryDialogsOf(window);
    window.show();
    return app.exec();
}

}  // namespace zoltrek
