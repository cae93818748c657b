#pragma once

#include <QImage>
#include <QWidget>
#include <optional>

#include "controls/xpb/core/surface.h"
#include "controls/xpb/widget/qimagecanvas.h"

namespace zoltrek {

// A widget as a button's surface: its persistent image, the staging image, the pointer
// test and the mouse grab.
class WidgetSurface : public XpbSurface {
  public:
    explicit WidgetSurface(QWidget& widget);

    bool enabled() const override;
    void setEnabled(bool enabled) override;
    std::int32_t width() const override { return widget_.width(); }
    std::int32_t height() const override { return widget_.height(); }
    void setWidthTwips(std::int32_t twips) override;
    void setHeightTwips(std::int32_t twips) override;

    Canvas& beginPaint() override;
    void endPaint() override;
    Canvas& staging(std::int32_t width, std::int32_t height) override;

    bool pointerOver() const override;
    bool holdsCapture() const override;
    void setCapture() override;
    void releaseCapture() override;
    void captionChanged(char32_t accessKey) override;

    const QImage& image() const { return image_; }
    // Where the screen's pixels are not the image's, the caption goes over the image scaled, in
    // a face of the screen's size.
    const QList<PlacedText>& textOver() const { return textOver_; }

  private:
    QWidget& widget_;
    QImage image_;
    QList<PlacedText> textOver_;
    QImage stagingImage_;
    std::optional<QImageCanvas> canvas_;
    std::optional<QImageCanvas> stagingCanvas_;
    int shortcutId_ = 0;
};

}  // namespace zoltrek
