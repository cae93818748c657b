#include "resources/resources.h"

#include <QBitmap>
#include <QFile>
#include <QImage>
#include <QImageReader>

// Q_INIT_RESOURCE declares a global function, so it cannot be expanded inside a namespace.
static void registerZoltrekPictures() {
    Q_INIT_RESOURCE(zoltrek);
#ifdef ZOLTREK_EMBEDDED_FONTS
    Q_INIT_RESOURCE(zoltrek_fonts);
#endif
#ifdef ZOLTREK_EMBEDDED_TRANSLATIONS
    Q_INIT_RESOURCE(zoltrek_translations);
#endif
}

namespace zoltrek {
namespace {

constexpr QPoint handHotSpot{5, 0};

// A static library's resources are linked in only when some code refers to them.
void ensureRegistered() {
    [[maybe_unused]] static const bool registered = (registerZoltrekPictures(), true);
}

// One of our PNGs, read by the toolkit's own PNG reader. Told the format, the reader does not
// load every image plugin to ask whether it knows the file better, which costs the start-up
// about a millisecond.
QImage picture(const QString& name) {
    ensureRegistered();
    QImageReader reader(QStringLiteral(":/zoltrek/") + name, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

}  // namespace

QIcon programIcon() {
    // Two PNGs rather than an .ico, which would need an image plugin.
    QIcon icon;
    for (const auto* name : {"zoltrek.png", "zoltrek-16.png"})
        icon.addPixmap(QPixmap::fromImage(picture(QLatin1String(name))));
    return icon;
}

QCursor handCursor() {
    // The picture holds only opaque black, opaque white and transparent pixels. Each mask comes
    // back black where the cursor's bitmap must be set: the ink where the picture is black, the
    // shape where it is opaque.
    const QImage hand = picture(QStringLiteral("hand.png")).convertToFormat(QImage::Format_ARGB32);
    const QImage ink = hand.createMaskFromColor(qRgb(0, 0, 0), Qt::MaskOutColor);
    const QImage shown = hand.createAlphaMask(Qt::ThresholdAlphaDither);
    return QCursor(QBitmap::fromImage(ink), QBitmap::fromImage(shown), handHotSpot.x(),
                   handHotSpot.y());
}

QString fontFile(const QString& fileName) {
    ensureRegistered();
#ifdef ZOLTREK_EMBEDDED_FONTS
    const QString embedded = QStringLiteral(":/zoltrek/fonts/") + fileName;
    if (QFile::exists(embedded))
        return embedded;
#endif
    return QStringLiteral(ZOLTREK_FONT_DIR "/") + fileName;
}

QString embeddedTranslation() {
    ensureRegistered();
#ifdef ZOLTREK_EMBEDDED_TRANSLATIONS
    return QStringLiteral(":/zoltrek/translations/qtbase_ru.qm");
#else
    return {};
#endif
}

QPixmap backgroundPicture() {
    return QPixmap::fromImage(picture(QStringLiteral("background.png")));
}

}  // namespace zoltrek
