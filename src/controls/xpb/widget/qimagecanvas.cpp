#include "controls/xpb/widget/qimagecanvas.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "base/syscolors.h"
#include "controls/xpb/widget/imagepicture.h"

namespace zoltrek {

namespace {

const QImage* imageOf(const Picture& picture) {
    auto* p = dynamic_cast<const ImagePicture*>(&picture);
    return p ? &p->image() : nullptr;
}

// Pixels that the disabled look embosses: opaque and not white, as a monochrome copy keeps.
bool isInk(QRgb p) {
    return qAlpha(p) >= 128 && (p & 0x00FFFFFFu) != 0x00FFFFFFu;
}

}  // namespace

QRgb toQRgb(Rgb c) {
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

Rgb fromQRgb(QRgb c) {
    return rgb(qRed(c), qGreen(c), qBlue(c));
}

QImageCanvas::QImageCanvas(QImage& image, const QFont& font, QList<PlacedText>* later)
    : image_(image), font_(font), later_(later) {}

Rgb QImageCanvas::pixel(std::int32_t x, std::int32_t y) const {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return kInvalidPixel;
    return fromQRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(y))[x]);
}

void QImageCanvas::setPixel(std::int32_t x, std::int32_t y, Rgb colour) {
    if (x < 0 || y < 0 || x >= width() || y >= height())
        return;
    reinterpret_cast<QRgb*>(image_.scanLine(y))[x] = toQRgb(colour);
}

void QImageCanvas::fillRect(const Rect& r, Rgb colour) {
    const std::int32_t x0 = std::max(r.left, 0), x1 = std::min(r.right, width());
    const std::int32_t y0 = std::max(r.top, 0), y1 = std::min(r.bottom, height());
    if (x0 >= x1)
        return;
    const QRgb value = toQRgb(colour);
    for (std::int32_t y = y0; y < y1; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + x0, row + x1, value);
    }
}

std::int32_t QImageCanvas::lineHeight() const {
    return QFontMetrics(font_).height();
}

std::int32_t QImageCanvas::textWidth(std::string_view text) const {
    return QFontMetrics(font_).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void QImageCanvas::drawTextLine(std::int32_t x, std::int32_t y, const TextLine& line, Rgb colour) {
    if (image_.isNull() || line.text.empty())
        return;
    const QFontMetrics metrics(font_);
    const QString text = QString::fromStdString(line.text);
    const QPoint baseline(x, y + metrics.ascent());
    QRect underline;
    if (line.underline < line.text.size()) {
        const QString before = QString::fromStdString(line.text.substr(0, line.underline));
        const QString rest = QString::fromStdString(line.text.substr(line.underline));
        const int length = rest.size() > 1 && rest.at(0).isHighSurrogate() ? 2 : 1;
        // A one-pixel underline, as the platform draws it under a mnemonic at small sizes.
        underline =
            QRect(x + metrics.horizontalAdvance(before), baseline.y() + metrics.underlinePos(),
                  metrics.horizontalAdvance(rest.left(length)), 1);
    }
    if (later_) {
        later_->append({baseline, text, underline, toQRgb(colour)});
        return;
    }
    {
        QPainter painter(&image_);
        painter.setFont(font_);
        painter.setPen(QColor(toQRgb(colour)));
        painter.drawText(baseline, text);
    }
    if (!underline.isEmpty())
        Canvas::fillRect(
            {underline.left(), underline.top(), underline.right() + 1, underline.bottom() + 1},
            colour);
}

void QImageCanvas::drawPicture(const Picture& picture, std::int32_t x, std::int32_t y) {
    const QImage* source = imageOf(picture);
    if (!source || image_.isNull())
        return;
    QPainter painter(&image_);
    painter.drawImage(x, y, *source);
}

void QImageCanvas::drawPictureScaled(const Picture& picture, const Rect& to, std::int32_t fromWidth,
                                     std::int32_t fromHeight) {
    const QImage* source = imageOf(picture);
    if (!source || image_.isNull() || to.width() <= 0 || to.height() <= 0 || fromWidth <= 0 ||
        fromHeight <= 0)
        return;
    QPainter painter(&image_);
    painter.drawImage(QRect(to.left, to.top, to.width(), to.height()), *source,
                      QRect(0, 0, fromWidth, fromHeight));
}

void QImageCanvas::drawPictureDisabled(const Picture& picture, std::int32_t x, std::int32_t y) {
    const QImage* source = imageOf(picture);
    if (!source)
        return;
    const QImage argb = source->convertToFormat(QImage::Format_ARGB32);
    std::vector<std::pair<int, int>> ink;
    for (int j = 0; j < argb.height(); ++j) {
        const QRgb* row = reinterpret_cast<const QRgb*>(argb.constScanLine(j));
        for (int i = 0; i < argb.width(); ++i)
            if (isInk(row[i]))
                ink.emplace_back(i, j);
    }
    for (auto [i, j] : ink)
        setPixel(x + i + 1, y + j + 1, sysColor(COLOR_BTNHIGHLIGHT));
    for (auto [i, j] : ink)
        setPixel(x + i, y + j, sysColor(COLOR_BTNSHADOW));
}

}  // namespace zoltrek
