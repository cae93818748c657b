#pragma once

#include <QImage>

#include "controls/propertybag.h"

namespace zoltrek {

// A bitmap or icon picture carried by a QImage; icons keep their transparency.
class ImagePicture : public Picture {
  public:
    ImagePicture(const QImage& image, Kind kind);
    Kind kind() const override { return kind_; }
    std::int32_t widthHiMetric() const override;
    std::int32_t heightHiMetric() const override;
    const QImage& image() const { return image_; }

  private:
    QImage image_;
    Kind kind_;
};

PictureRef makePicture(const QImage& image, Picture::Kind kind);

}  // namespace zoltrek
