// The About window, opened by the main window's link as a person opens it.
#include "about/about.h"
#include "about/maker.h"
#include "mainwindow/windowtest.h"
#include "resources/resources.h"

namespace zoltrek {
namespace {

using namespace testing;

class AboutTest : public WindowTest {
  protected:
    QPointer<About> about;

    void SetUp() override {
        start("");
        main->setWindowIcon(programIcon());  // not the application's
        open();
    }
    void TearDown() override { delete about.data(); }
    // Each click opens a new About window, modal.
    void open() {
        QTest::mouseClick(child(main.get(), "Label6"), Qt::LeftButton);
        about = qobject_cast<About*>(QApplication::activeModalWidget());
        ASSERT_TRUE(about && QTest::qWaitForWindowExposed(about));
    }
};

// In pixels, as designed; the address takes the width it needs, inside the window.
TEST_F(AboutTest, LaidOutAsDesigned) {
    expectLayout(about, {154, 242}, "О программе", {},
                 "XpB1 8 212 137 25, Label3 8 136 137 65, Label8 8 8 142 24, Line2 80 36 68 1,"
                 "Label7 20 28 55 13, Label5 20 96 119 13, Line1 4 36 12 1,"
                 "Label2 20 64 114 33, Label1 60 48 40 13");
    EXPECT_EQ(about->windowIcon().cacheKey(), main->windowIcon().cacheKey());
    QWidget* site = child(about.data(), "Label6");
    EXPECT_EQ(inWindow(site).topLeft(), QPoint(24, 112));
    EXPECT_TRUE(site->height() == 13 && inWindow(site).right() <= 153);
    // The title in solid ink, no grey; the scales' test sees that it is bold.
    for (QRgb c : coloursOf(child(about.data(), "Label8")->grab().toImage()))
        EXPECT_TRUE(c == 0 || qGray(c) >= 128) << std::hex << c;
}

// A browser that fails to start changes nothing; closed, the window is gone; the link reopens it.
TEST_F(AboutTest, TheLinkOpensTheSiteAndCloseUnloads) {
    QTest::mouseClick(child(about.data(), "Label6"), Qt::LeftButton);
    EXPECT_EQ(openedUrls, std::vector{QUrl(maker::kWebAddress)});
    EXPECT_TRUE(about->isVisible());
    clickButton(child(about.data(), "XpB1"));
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(about.isNull());
    open();
}

}  // namespace
}  // namespace zoltrek
