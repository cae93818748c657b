#include <QApplication>

#include "platform/appearance.h"
#include "program/program.h"

int main(int argc, char** argv) {
    zoltrek::FontConfigurationReader fonts;  // while the application connects to the display
    zoltrek::exitQuietlyWithoutDisplay();
    QApplication app(argc, argv);
    zoltrek::displayOpened();
    return zoltrek::runProgram(app, zoltrek::journalPlace(), fonts);
}
