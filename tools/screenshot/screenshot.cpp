// Writes a picture of the X screen, or of one window given by its id, in the format the file's
// name ends with (PNG, PPM...): the end-to-end tests look at the real windows with it.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: %s <file.png|.ppm> [window id]\n", argv[0]);
        return 2;
    }
    const WId window = argc == 3 ? QByteArray(argv[2]).toULongLong(nullptr, 0) : 0;
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
