#include "program.h"

#include <limits.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>

#include "appearance.h"
#include "entrydialoghost.h"
#include "environment.h"
#include "mainwindow.h"

namespace zoltrek {

// The executable's own path, as the bytes the file system holds: Qt's application folder is
// empty when a folder's name is not UTF-8 (one unpacked from a Windows archive, say).
std::string journalBesideExecutable() {
    std::string exe(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", exe.data(), exe.size());
    if (n > 0 && static_cast<std::size_t>(n) < exe.size()) {
        exe.resize(static_cast<std::size_t>(n));
        return exe.substr(0, exe.rfind('/')) + "/zoltrek.dat";
    }
    return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString() + "/zoltrek.dat";
}

int runProgram(QApplication& app, const std::string& journalPath, FontConfigurationReader& fonts) {
    fonts.wait();
    setUpApplication(app);
    Main window(journalPath, Environment::system());
    EntryDialogHost dialogs(window);
    window.setEntryDialogs(&dialogs);
    window.show();
    return app.exec();
}

}  // namespace zoltrek
