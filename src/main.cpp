#include <QApplication>

#include "appearance.h"
#include "program.h"

int main(int argc, char** argv) {
    zoltrek::FontConfigurationReader fonts;  // while the application connects to the display
    QApplication app(argc, argv);
    // The journal lives beside the executable.
    return zoltrek::runProgram(app, zoltrek::journalBesideExecutable(), fonts);
}
