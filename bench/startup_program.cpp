// The program as its executable starts it, on the journal the first argument names; it ends
// at its first frame and writes when that was.
#include <QApplication>

#include "firstframe.h"
#include "platform/appearance.h"
#include "program/program.h"

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    zoltrek::FontConfigurationReader fonts;
    QApplication app(argc, argv);
    zoltrek::bench::FirstFrame frame(app);
    return zoltrek::runProgram(app, {argv[1]}, fonts);
}
