#include "resources.h"

#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>

#include <fstream>
#include <iostream>
#include <set>

namespace zoltrek {
namespace {

// The toolkit reads our PNGs itself: image plugins would load into every start of the program.
// In a fresh process, since a plugin that another test loaded would stay.
TEST(Pictures, LoadNoImagePlugin) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto loadPictures = [] {
        programIcon(), handCursor(), backgroundPicture();
        std::ifstream maps("/proc/self/maps");
        for (std::string line; std::getline(maps, line);)
            if (line.find("/imageformats/") != std::string::npos)
                std::cerr << line << '\n', std::_Exit(1);
        std::_Exit(0);
    };
    EXPECT_EXIT(loadPictures(), ::testing::ExitedWithCode(0), "");
}

// The program's own picture at both sizes, in the sixteen colours of the old displays.
TEST(ProgramIcon, HasItsOwnImageAtBothSizesInTheSixteenColours) {
    const QIcon icon = programIcon();
    ASSERT_EQ(icon.availableSizes().size(), 2);
    const std::set<QRgb> vga = {0xff000000, 0xff800000, 0xff008000, 0xff808000,
                                0xff000080, 0xff800080, 0xff008080, 0xffc0c0c0,
                                0xff808080, 0xffff0000, 0xff00ff00, 0xffffff00,
                                0xff0000ff, 0xffff00ff, 0xff00ffff, 0xffffffff};
    for (int side : {16, 32}) {
        SCOPED_TRACE(side);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(side, side)));
        const QImage image = icon.pixmap(side).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(side, side));
        std::set<QRgb> opaque;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (qAlpha(image.pixel(x, y)) == 255)
                    opaque.insert(image.pixel(x, y));
        EXPECT_GE(opaque.size(), 4u);
        EXPECT_TRUE(std::includes(vga.begin(), vga.end(), opaque.begin(), opaque.end()));
    }
}

// Shown where the picture is opaque, black where it is black, pointing from the finger tip.
TEST(HandCursor, IsATwoColourBitmapOfThePicturePointingFromTheFingerTip) {
    const QCursor cursor = handCursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(5, 0));
    const QImage ink = cursor.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = QImage(":/zoltrek/hand.png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_TRUE(picture.size() == QSize(32, 32) && ink.size() == picture.size() &&
                mask.size() == picture.size());
    EXPECT_EQ(picture.pixel(5, 0), qRgb(0, 0, 0));  // the tip is the outline
    int black = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb p = picture.pixel(x, y);
            black += p == qRgb(0, 0, 0) ? 1 : 0;
            EXPECT_EQ(mask.pixel(x, y) == qRgb(0, 0, 0), qAlpha(p) == 255) << x << ", " << y;
            EXPECT_EQ(ink.pixel(x, y) == qRgb(0, 0, 0), p == qRgb(0, 0, 0)) << x << ", " << y;
        }
    }
    EXPECT_GT(black, 20);
}

// From #FAFAFA to #A6A6A6, darkening row by row, the lowest quarter faintly blue.
TEST(BackgroundPicture, IsAGreyGradientDarkeningDownwards) {
    const QImage image = backgroundPicture().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(image.size(), QSize(1, 300));
    const std::initializer_list<int (*)(QRgb)> channels = {qRed, qGreen, qBlue};
    const std::tuple<const char*, int, QRgb> samples[] = {
        {"the top row is the lightest", 0, 0xfafafa},
        {"a third of the way down", 100, 0xdedede},
        {"two thirds of the way down", 200, 0xc0c0c0},
        {"the bottom row is the darkest", 299, 0xa6a6a6},
    };
    for (const auto& [name, y, colour] : samples)
        for (const auto channel : channels)
            EXPECT_LE(std::abs(channel(image.pixel(0, y)) - channel(colour)), 2) << name;
    std::set<QRgb> colours;
    int tinted = 0;
    for (int y = 0; y < 300; ++y) {
        const QRgb here = image.pixel(0, y), above = image.pixel(0, std::max(0, y - 1));
        colours.insert(here);
        tinted += qBlue(here) > qRed(here) ? 1 : 0;
        EXPECT_TRUE(qBlue(here) - qRed(here) <= 6 && (y >= 225 || qBlue(here) == qRed(here))) << y;
        for (const auto channel : channels)
            EXPECT_LE(channel(here), channel(above)) << y;
    }
    EXPECT_LE(colours.size(), 64u);
    EXPECT_GT(tinted, 20);
}

}  // namespace
}  // namespace zoltrek
