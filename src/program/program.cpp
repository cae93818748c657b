#include "program.h"

#include <QApplication>

#include "appearance.h"
#include "entrydialoghost.h"
#include "environment.h"
#include "mainwindow.h"

namespace zoltrek {

QString journalBesideExecutable() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/zoltrek.dat");
}

int runProgram(QApplication& app, const QString& journalPath, FontConfigurationReader& fonts) {
    fonts.wait();
    setUpApplication(app);
    Main window(journalPath, Environment::system());
    EntryDialogHost dialogs(window);
    window.setEntryDialogs(&dialogs);
    window.show();
    return app.exec();
}

}  // namespace zoltrek
