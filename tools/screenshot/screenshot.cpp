// Writes a picture of the X screen, or of one window given by its id (or a part of it), in the
// format the file's name ends with (PNG, PPM...): the end-to-end tests look at the real windows
// with it.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3 && argc != 7) {
        std::fprintf(stderr, "usage: %s <file.png|.ppm> [window id [x y width height]]\n", argv[0]);
        return 2;
    }
    const WId window = argc >= 3 ? QByteArray(argv[2]).toULongLong(nullptr, 0) : 0;
    int part[4] = {0, 0, -1, -1};  // the whole window unless told
    for (int i = 0; argc == 7 && i < 4; ++i)
        part[i] = QByteArray(argv[3 + i]).toInt();
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(window, part[0], part[1], part[2], part[3]);
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
