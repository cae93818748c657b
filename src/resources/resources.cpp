#include "resources.h"

#include <QBitmap>
#include <QFile>
#include <QImage>

#include <functional>

// Q_INIT_RESOURCE declares a global function, so it cannot be expanded inside a namespace.
static void registerZoltrekPictures() {
    Q_INIT_RESOURCE(zoltrek);
#ifdef ZOLTREK_EMBEDDED_FONTS
    Q_INIT_RESOURCE(zoltrek_fonts);
#endif
}

namespace zoltrek {
namespace {

constexpr QPoint handHotSpot{5, 0};

// A static library's resources are linked in only when some code refers to them.
void ensureRegistered() {
    [[maybe_unused]] static const bool registered = (registerZoltrekPictures(), true);
}

// A 1-bit image whose set bits draw as black, as QCursor reads its bitmaps.
QImage oneBit(const QImage& picture, const std::function<bool(QRgb)>& isSet) {
    QImage bits(picture.size(), QImage::Format_MonoLSB);
    bits.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            bits.setPixel(x, y, isSet(picture.pixel(x, y)) ? 1 : 0);
        }
    }
    return bits;
}

}  // namespace

QIcon programIcon() {
    ensureRegistered();
    // Two PNGs rather than the .ico: PNG needs no image plugin, which keeps start-up short.
    QIcon icon;
    icon.addFile(QStringLiteral(":/zoltrek/zoltrek.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/zoltrek/zoltrek-16.png"), QSize(16, 16));
    return icon;
}

QCursor handCursor() {
    ensureRegistered();
    const QImage picture =
        QImage(QStringLiteral(":/zoltrek/hand.png")).convertToFormat(QImage::Format_ARGB32);
    const auto opaque = [](QRgb pixel) { return qAlpha(pixel) >= 128; };
    const auto ink = [&](QRgb pixel) { return opaque(pixel) && qGray(pixel) < 128; };
    return QCursor(QBitmap::fromImage(oneBit(picture, ink)),
                   QBitmap::fromImage(oneBit(picture, opaque)), handHotSpot.x(), handHotSpot.y());
}

QString fontFile(const QString& fileName) {
    ensureRegistered();
#ifdef ZOLTREK_EMBEDDED_FONTS
    const QString embedded = QStringLiteral(":/zoltrek/fonts/") + fileName;
    if (QFile::exists(embedded))
        return embedded;
#endif
    return QStringLiteral("/usr/share/wine/fonts/") + fileName;
}

QPixmap backgroundPicture() {
    ensureRegistered();
    return QPixmap(QStringLiteral(":/zoltrek/background.png"));
}

}  // namespace zoltrek
