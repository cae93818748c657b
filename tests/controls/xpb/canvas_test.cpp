#include <gtest/gtest.h>

#include <set>

#include "memorycanvas.h"

namespace zoltrek {
namespace {

using Points = std::set<std::pair<int, int>>;
constexpr Rgb kBack = 0x00123456;
constexpr Rgb kInk = 0x00FF0000;

Points inked(const test::MemoryCanvas& c) {
    Points out;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) != kBack)
                out.insert({x, y});
    return out;
}

TEST(Canvas, LinesExcludeTheirEndPoint) {
    const struct {
        int x1, y1, x2, y2;
        Points points;
    } rows[] = {
        {1, 2, 4, 2, {{1, 2}, {2, 2}, {3, 2}}}, {4, 2, 1, 2, {{4, 2}, {3, 2}, {2, 2}}},
        {3, 0, 3, 3, {{3, 0}, {3, 1}, {3, 2}}}, {3, 3, 3, 0, {{3, 3}, {3, 2}, {3, 1}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}}}, {2, 2, 2, 2, {}},
        {-2, 1, 2, 1, {{0, 1}, {1, 1}}},        {4, 4, 9, 4, {{4, 4}, {5, 4}}},
    };
    for (const auto& r : rows) {
        test::MemoryCanvas c(6, 5);
        c.line(r.x1, r.y1, r.x2, r.y2, kInk);
        EXPECT_EQ(inked(c), r.points) << r.x1 << "," << r.y1 << " to " << r.x2 << "," << r.y2;
    }
}

TEST(Canvas, BoxOutlinesIncludeBothCorners) {
    const struct {
        int x1, y1, x2, y2;
        Points points;
    } rows[] = {
        {0, 0, 1, 1, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
        {1, 1, 0, 0, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},
        {1, 1, 3, 3, {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}},
        {4, 3, 6, 5, {{4, 3}, {5, 3}, {4, 4}}},
        {2, 2, 2, 2, {{2, 2}}},
    };
    for (const auto& r : rows) {
        test::MemoryCanvas c(6, 5);
        c.box(r.x1, r.y1, r.x2, r.y2, kInk);
        EXPECT_EQ(inked(c), r.points) << r.x1 << "," << r.y1 << " to " << r.x2 << "," << r.y2;
    }
}

TEST(Canvas, FrameAndFocusRectangle) {
    test::MemoryCanvas frame(6, 5);
    frame.frameRect({1, 1, 4, 4}, kInk);
    EXPECT_EQ(inked(frame),
              (Points{{1, 1}, {2, 1}, {3, 1}, {1, 2}, {3, 2}, {1, 3}, {2, 3}, {3, 3}}));
    // Inverting twice restores the picture.
    test::MemoryCanvas focus(8, 6);
    focus.invertFocusRect({1, 1, 7, 5});
    EXPECT_EQ(inked(focus),
              (Points{{1, 1}, {3, 1}, {5, 1}, {2, 4}, {4, 4}, {6, 4}, {1, 3}, {6, 2}}));
    EXPECT_EQ(focus.pixel(1, 1), kBack ^ 0xFFFFFFu);
    focus.invertFocusRect({1, 1, 7, 5});
    EXPECT_TRUE(inked(focus).empty());
}

TEST(Canvas, TransparentCopyLeavesOutTheMaskColour) {
    test::MemoryCanvas from(3, 2, 0x000000FF);
    from.setPixel(1, 0, 0x0000FF00);
    test::MemoryCanvas to(5, 4);
    to.transparentCopy(from, {0, 0, 4, 2}, 2, 1, 0x000000FF);
    EXPECT_EQ(inked(to), (Points{{3, 1}}));
    EXPECT_EQ(to.pixel(3, 1), 0x0000FF00u);
}

}  // namespace
}  // namespace zoltrek
