#pragma once

#include <QFont>
#include <QImage>
#include <QList>

#include "controls/xpb/core/canvas.h"

namespace zoltrek {

// A line of text left out of a canvas, to be drawn over it at the screen's own resolution.
struct PlacedText {
    QPoint baseline;
    QString text;
    QRect underline;  // empty without an access key
    QRgb colour;
};

// A canvas on a QImage of format RGB32: exact pixels for the geometry, text in a given font,
// drawn into the image or, given `later`, only placed there.
class QImageCanvas : public Canvas {
  public:
    QImageCanvas(QImage& image, const QFont& font, QList<PlacedText>* later = nullptr);

    std::int32_t width() const override { return image_.width(); }
    std::int32_t height() const override { return image_.height(); }
    Rgb pixel(std::int32_t x, std::int32_t y) const override;
    void setPixel(std::int32_t x, std::int32_t y, Rgb colour) override;
    void fillRect(const Rect& r, Rgb colour) override;

    std::int32_t lineHeight() const override;
    std::int32_t textWidth(std::string_view text) const override;
    void drawTextLine(std::int32_t x, std::int32_t y, const TextLine& line, Rgb colour) override;

    void drawPicture(const Picture& picture, std::int32_t x, std::int32_t y) override;
    void drawPictureScaled(const Picture& picture, const Rect& to, std::int32_t fromWidth,
                           std::int32_t fromHeight) override;
    void drawPictureDisabled(const Picture& picture, std::int32_t x, std::int32_t y) override;

  private:
    QImage& image_;
    QFont font_;
    QList<PlacedText>* later_;
};

QRgb toQRgb(Rgb colour);
Rgb fromQRgb(QRgb colour);

}  // namespace zoltrek
