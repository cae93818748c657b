// Every window at the test's scale and faces: each text whole in its box, at the screen's size.
#include <QTimer>

#include "about/about.h"
#include "controls/xpb/widget/xpb.h"
#include "mainwindow/windowtest.h"
#include "platform/appearance.h"

namespace zoltrek {
namespace {

using namespace testing;
using ScaleTest = WindowTest;

const auto scale = [] { return qApp->devicePixelRatio(); };

// Ink in a picture of text: the rows it spans and its pixels.
std::pair<int, int> inkOf(const QImage& shot) {
    int rows = 0, pixels = 0;
    for (int y = 0; y < shot.height(); ++y) {
        int inRow = 0;
        for (int x = 0; x < shot.width(); ++x)
            inRow += qGray(shot.pixel(x, y)) < 128;
        rows += inRow > 0, pixels += inRow;
    }
    return {rows, pixels};
}

// A label's text drawn at the screen's size: from the tops of the capitals to the descenders,
// about `rows` for each unit of scale, and more than the bitmap face's 10 at any scale but 1.
void expectScreenSized(QWidget* label, int rows) {
    EXPECT_GE(inkOf(label->grab().toImage()).first,
              std::max(rows * scale(), scale() == 1 ? 0 : 11.0))
        << qPrintable(label->objectName()) << " at " << scale();
}

// Bold reads bold at every scale: the text takes a good deal more ink than in the regular face.
void expectBold(QLabel* bold) {
    QLabel regular(bold->text());
    regular.setFont(defaultFont());
    regular.adjustSize();
    EXPECT_GT(inkOf(bold->grab().toImage()).second, 1.15 * inkOf(regular.grab().toImage()).second)
        << qPrintable(bold->objectName()) << " at " << scale();
}

void expectWhole(QWidget* w, const QString& text, QRectF room, int flags = 0) {
    const QRectF used = QFontMetricsF(w->font()).boundingRect(room, flags, text);
    // A bold drawn twice is a pixel wider, unless its letter spacing leaves room for that.
    const qreal overstrike = isOverstruck(w->font()) ? 1 - w->font().letterSpacing() : 0;
    EXPECT_TRUE(used.width() + overstrike <= room.width() && used.height() <= room.height())
        << qPrintable(w->objectName()) << " \"" << qPrintable(text) << "\" " << used.width() << "x"
        << used.height() << " in " << room.width() << "x" << room.height();
    EXPECT_TRUE(usesBitmapFace() || !isOverstruck(w->font())) << qPrintable(w->objectName());
}

// Labels, entry boxes, list items and button captions of a window, each in its own room.
void expectTextsWhole(QWidget* window) {
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty())
            expectWhole(label, label->text(), label->contentsRect(),
                        int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0));
    for (QLineEdit* box : window->findChildren<QLineEdit*>())  // inside a frame and the margins
        expectWhole(box, box->text(), box->rect().adjusted(3, 1, -3, -1));
    for (QListWidget* list : window->findChildren<QListWidget*>())
        for (int row = 0; row < list->count(); ++row)
            expectWhole(list, list->item(row)->text(),
                        list->visualItemRect(list->item(row)).adjusted(1, 0, -1, 0));
    for (XpB* button : window->findChildren<XpB*>()) {
        expectWhole(button, button->shownCaption(), button->rect().adjusted(1, 0, -1, 0));
        // At another scale the caption is drawn over the scaled picture, in shades of its own.
        EXPECT_EQ(
            std::ranges::includes(coloursOf(button->image()), coloursOf(button->grab().toImage())),
            scale() == 1)
            << qPrintable(button->objectName());
    }
}

TEST_F(ScaleTest, EveryTextIsWholeAndAtTheScreensSize) {
    std::string lines = "15.11.26|99999.5|35.25|21.15|745.54\r\n";
    for (int i = 0; i < 14; ++i)  // a scroll bar
        lines += "d|" + std::to_string(100000 + i) + "|1|1|1\r\n";
    start(lines);
    clickItem(0);
    QTRY_VERIFY_WITH_TIMEOUT(!child<QLabel>(main.get(), "Label9")->text().isEmpty(), 2000);
    expectTextsWhole(main.get());
    expectScreenSized(child(main.get(), "Label1"), 8);

    FNew* dialog = openEdit(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    expectTextsWhole(dialog);
    expectScreenSized(child(dialog, "Label6"), 8);
    expectBold(child<QLabel>(dialog, "Label5"));
    dialog->close();

    About* about = About::open(main->environment(), QIcon());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    expectTextsWhole(about);
    expectScreenSized(child(about, "Label8"), 10);
    expectBold(child<QLabel>(about, "Label8"));
    delete about;
}

}  // namespace
}  // namespace zoltrek
