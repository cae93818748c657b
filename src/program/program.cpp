#include "program.h"

#include <QApplication>
#include <QFile>

#include "appearance.h"
#include "entrydialoghost.h"
#include "environment.h"
#include "fileops.h"
#include "mainwindow.h"

namespace zoltrek {

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
