#include <QApplication>

#include "mainwindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The journal lives beside the executable.
    zoltrek::Main window(QCoreApplication::applicationDirPath() + QStringLiteral("/zoltrek.dat"));
    window.show();
    return app.exec();
}
