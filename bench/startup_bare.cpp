// A bare Qt window of the main window's size, started and timed as the program is.
#include <QApplication>
#include <QWidget>

#include "firstframe.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    zoltrek::bench::FirstFrame frame(app);
    QWidget window;
    window.resize(229, 201);
    window.show();
    return app.exec();
}
