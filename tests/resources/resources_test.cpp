#include "resources/resources.h"

#include <gtest/gtest.h>

#include <QBitmap>
#include <QImage>

#include <fstream>
#include <iostream>

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

// The program's own picture at both sizes, so the window system never scales one.
TEST(ProgramIcon, HasItsOwnImageAtBothSizes) {
    const QList<QSize> sizes = programIcon().availableSizes();
    EXPECT_TRUE(sizes.size() == 2 && sizes.contains(QSize(16, 16)) &&
                sizes.contains(QSize(32, 32)));
}

// Shown where the picture is opaque, black where it is black, pointing from the finger tip.
TEST(HandCursor, IsATwoColourBitmapOfThePicturePointingFromTheFingerTip) {
    const QCursor cursor = handCursor();
    EXPECT_EQ(std::pair(cursor.shape(), cursor.hotSpot()),
              std::pair(Qt::BitmapCursor, QPoint(5, 0)));
    const QImage ink = cursor.bitmap().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage mask = cursor.mask().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage picture = QImage(":/zoltrek/hand.png").convertToFormat(QImage::Format_ARGB32);
    ASSERT_TRUE(picture.size() == QSize(32, 32) && ink.size() == picture.size() &&
                mask.size() == picture.size());
    EXPECT_EQ(picture.pixel(5, 0), qRgb(0, 0, 0));  // the tip is the outline
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const QRgb p = picture.pixel(x, y);
            EXPECT_EQ(mask.pixel(x, y) == qRgb(0, 0, 0), qAlpha(p) == 255) << x << ", " << y;
            EXPECT_EQ(ink.pixel(x, y) == qRgb(0, 0, 0), p == qRgb(0, 0, 0)) << x << ", " << y;
        }
}

}  // namespace
}  // namespace zoltrek
