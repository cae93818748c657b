#include <QApplication>
#include <QListWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QListWidget window;
    window.setWindowTitle(QStringLiteral("Zoltrek Calculator"));
    window.show();
    return app.exec();
}
