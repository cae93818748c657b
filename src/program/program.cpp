#include "program/program.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QApplication>
#include <QDebug>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "about/about.h"
#include "entry/entrydialoghost.h"
#include "entry/fnew.h"
#include "journal/fileops.h"
#include "mainwindow/mainwindow.h"
#include "platform/appearance.h"
#include "platform/environment.h"

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

namespace {

// The executable's folder, as the bytes the file system holds: Qt's application folder is empty
// when a folder's name is not UTF-8 (one unpacked from a Windows archive, say).
std::string executableFolder() {
    const std::string exe = FileOps::system().readLink("/proc/self/exe");
    if (!exe.empty())
        return exe.substr(0, exe.rfind('/'));
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

// $XDG_DATA_HOME when it is an absolute path, as the base directory rules ask, else
// ~/.local/share; from the environment's bytes.
std::string userDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return dataHome;
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* user = getpwuid(getuid());
        home = user ? user->pw_dir : "";
    }
    return std::string(home) + "/.local/share";
}

}  // namespace

JournalPlace journalPlace() {
    const std::string folder = executableFolder();
    const std::string beside = folder + "/zoltrek.dat";
    struct stat st;
    // Anything of that name is the user's journal, even one this program cannot open: that is
    // said at the load, never passed over for another file.
    if (::lstat(beside.c_str(), &st) == 0 || ::access(folder.c_str(), W_OK | X_OK) == 0)
        return {beside, false};
    return {userDataFolder() + "/zoltrek/zoltrek.dat", true};
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
    return Main::textsToFit() + FNew::textsToFit() + About::textsToFit();
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
