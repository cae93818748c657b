#include <QApplication>

#include "appearance.h"
#include "entrydialoghost.h"
#include "environment.h"
#include "mainwindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zoltrek::setUpApplication(app);
    // The journal lives beside the executable.
    zoltrek::Main window(QCoreApplication::applicationDirPath() + QStringLiteral("/zoltrek.dat"),
                         zoltrek::Environment::system());
    zoltrek::EntryDialogHost dialogs(window);
    window.setEntryDialogs(&dialogs);
    window.show();
    return app.exec();
}
