#include <QApplication>

#include "program.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The journal lives beside the executable.
    return zoltrek::runProgram(app, zoltrek::journalBesideExecutable());
}
