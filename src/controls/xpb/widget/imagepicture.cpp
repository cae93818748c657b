#include "controls/xpb/widget/imagepicture.h"

#include "base/units.h"

namespace zoltrek {

ImagePicture::ImagePicture(const QImage& image, Kind kind)
    : image_(image.convertToFormat(kind == Kind::Bitmap ? QImage::Format_RGB32
                                                        : QImage::Format_ARGB32_Premultiplied)),
      kind_(kind) {}

std::int32_t ImagePicture::widthHiMetric() const {
    return pixelsToHiMetric(image_.width());
}

std::int32_t ImagePicture::heightHiMetric() const {
    return pixelsToHiMetric(image_.height());
}

PictureRef makePicture(const QImage& image, Picture::Kind kind) {
    return std::make_shared<ImagePicture>(image, kind);
}

}  // namespace zoltrek
