// Renders every button style and state into one PNG, for a person to look at.

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <optional>
#include <vector>

#include "base/units.h"
#include "controls/xpb/core/painter.h"
#include "controls/xpb/widget/imagepicture.h"
#include "controls/xpb/widget/qimagecanvas.h"
#include "platform/appearance.h"

namespace zoltrek {
namespace {

struct Look {
    const char* name;
    std::uint8_t focused, pressed, hover;
    bool enabled;
};

struct Variant {
    const char* name;
    int width, height;
    std::string caption;
    PictureRef picture;
    std::int32_t position;
};

constexpr Look kLooks[] = {
    {"normal", 0, 0, 0, true},  {"hovered", 0, 0, 1, true},         {"pressed", 0, 1, 1, true},
    {"focused", 1, 0, 0, true}, {"focused+hovered", 1, 0, 1, true}, {"disabled", 0, 0, 0, false},
};

PictureRef bitmapPicture() {
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 255));  // the top-left colour is the transparent one
    QPainter p(&image);
    p.fillRect(3, 3, 10, 10, QColor(0, 0, 128));
    p.fillRect(5, 5, 6, 6, QColor(255, 210, 0));
    return makePicture(image, Picture::Kind::Bitmap);
}

PictureRef iconPicture() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(200, 30, 30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 14, 14);
    return makePicture(image, Picture::Kind::Icon);
}

QImage renderButton(const Variant& v, std::int32_t style, const Look& look, const QFont& font) {
    QImage image(v.width, v.height, QImage::Format_RGB32);
    QImage stage;
    QImageCanvas surface(image, font);
    std::optional<QImageCanvas> staging;
    XpbState s;
    s.ButtonWidth = v.width;
    s.ButtonHeight = v.height;
    s.FocusRect = {4, 4, v.width - 4, v.height - 4};
    s.Caption = v.caption;
    s.Picture = v.picture;
    if (v.picture) {
        s.PictureWidth = himetricToPixels(v.picture->widthHiMetric());
        s.PictureHeight = himetricToPixels(v.picture->heightHiMetric());
    }
    s.PicturePosition = v.position;
    s.ButtonStyle = style;
    s.ShowFocusRect = kTrue16;
    s.XPDefaultColors = kTrue16;
    s.Focused = look.focused;
    s.Pressed = look.pressed;
    s.Hover = look.hover;
    PaintTarget target{surface, look.enabled, [&](std::int32_t w, std::int32_t h) -> Canvas& {
                           stage = QImage(w, h, QImage::Format_RGB32);
                           return staging.emplace(stage, font);
                       }};
    Refresh(s, XpbLayout{}, target);
    return image;
}

int run(const char* path) {
    const QFont font = defaultFont();
    const std::vector<Variant> variants = {
        {"caption", 145, 25, "&Новая заправка", nullptr, 1},
        {"bitmap left", 145, 30, "Ста&тистика", bitmapPicture(), 1},
        {"icon above", 100, 50, "&ОК", iconPicture(), 0},
        {"wrapped", 80, 40, "Удалить эти данные", nullptr, 1},
    };
    constexpr int kCellWidth = 160, kCellHeight = 60, kLabelWidth = 150, kHeaderHeight = 24;
    QImage sheet(kLabelWidth + kCellWidth * std::size(kLooks),
                 kHeaderHeight + kCellHeight * 4 * variants.size(), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.setFont(font);
    p.setPen(Qt::black);
    for (std::size_t c = 0; c < std::size(kLooks); ++c)
        p.drawText(kLabelWidth + kCellWidth * c + 5, 16, kLooks[c].name);
    int row = 0;
    for (std::int32_t style = 0; style <= 3; ++style) {
        for (const Variant& v : variants) {
            const int y = kHeaderHeight + kCellHeight * row++;
            p.drawText(5, y + 20, QString("style %1, %2").arg(style).arg(v.name));
            for (std::size_t c = 0; c < std::size(kLooks); ++c)
                p.drawImage(kLabelWidth + kCellWidth * c + 5, y + 5,
                            renderButton(v, style, kLooks[c], font));
        }
    }
    p.end();
    if (!sheet.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    std::printf("%s\n", path);
    return 0;
}

}  // namespace
}  // namespace zoltrek

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return zoltrek::run(argc > 1 ? argv[1] : "xpb-gallery.png");
}
