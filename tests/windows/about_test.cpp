#include "about.h"

#include <QLabel>
#include <QPointer>
#include <map>

#include "maker.h"
#include "resources.h"
#include "windowtest.h"

namespace zoltrek {
namespace {

using testing::child;
using testing::inWindow;

TEST(AboutWindow, EveryOpeningIsANewWindowLaidOutInPixelsWhoseLinkOpensTheSite) {
    testing::FakePlatform platform;
    const QIcon icon = programIcon();
    for (int opening = 0; opening < 2; ++opening) {
        QPointer<About> about = About::open(platform.environment(), icon);
        EXPECT_EQ(about->size(), QSize(154, 242));
        EXPECT_EQ(about->windowTitle(), "О программе");
        EXPECT_FALSE(about->windowFlags() &
                     (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
        EXPECT_TRUE(about->isModal());
        const std::map<std::string, QRect> expected = {
            {"XpB1", {8, 212, 137, 25}},  {"Label3", {8, 136, 137, 65}},
            {"Label8", {8, 8, 142, 24}},  {"Line2", {80, 36, 68, 1}},
            {"Label7", {20, 28, 55, 13}}, {"Label5", {20, 96, 119, 13}},
            {"Line1", {4, 36, 12, 1}},    {"Label2", {20, 64, 114, 33}},
            {"Label1", {60, 48, 40, 13}},
        };
        for (const auto& [name, rect] : expected)
            EXPECT_EQ(inWindow(child(about.data(), name.c_str())), rect) << name;
        EXPECT_EQ(child<QLabel>(about.data(), "Label7")->text(), "Версия 1.1");
        // The link sizes itself to the address, which must fit in the window.
        QWidget* link = child(about.data(), "Label6");
        EXPECT_EQ(inWindow(link).topLeft(), QPoint(24, 112));
        EXPECT_TRUE(link->height() == 13 && inWindow(link).right() <= 153);
        EXPECT_GE(link->width(), QFontMetrics(link->font()).horizontalAdvance(maker::kWebAddress));

        ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
        EXPECT_EQ(about->windowIcon().cacheKey(), icon.cacheKey());  // the program's own
        const QRect bg = inWindow(child(about.data(), "BG"));
        EXPECT_TRUE(bg.topLeft().isNull() && bg.height() > 242);  // the outer size, every load

        QTest::mouseClick(link, Qt::LeftButton);
        ASSERT_EQ(platform.openedUrls.size(), static_cast<std::size_t>(opening + 1));
        EXPECT_EQ(platform.openedUrls.back(), QUrl(maker::kWebAddress));
        EXPECT_TRUE(about->isVisible());  // a browser that fails to start changes nothing
        testing::clickButton(child(about.data(), "XpB1"));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(about.isNull());
    }
}

}  // namespace
}  // namespace zoltrek
