// Every window at the test's scale and faces: each text whole in its box, at the screen's size.
#include <QTimer>

#include <utility>

#include "about/about.h"
#include "controls/xpb/widget/xpb.h"
#include "mainwindow/messages.h"
#include "mainwindow/windowtest.h"
#include "platform/appearance.h"

namespace zoltrek {
namespace {

using namespace testing;
using ScaleTest = WindowTest;

const auto scale = [] { return qApp->devicePixelRatio(); };

// Ink in a picture of text: the rows it spans, and the width of its strokes (the median
// stretch of ink along a row).
struct Ink {
    int rows = 0;
    int stroke = 0;
};
Ink inkOf(const QImage& shot) {
    Ink ink;
    std::vector<int> runs;
    for (int y = 0; y < shot.height(); ++y) {
        int run = 0, inRow = 0;
        for (int x = 0; x <= shot.width(); ++x)
            if (x < shot.width() && qGray(shot.pixel(x, y)) < 128)
                ++run, ++inRow;
            else if (run > 0)
                runs.push_back(std::exchange(run, 0));
        ink.rows += inRow > 0;
    }
    std::ranges::nth_element(runs, runs.begin() + runs.size() / 2);
    ink.stroke = runs.empty() ? 0 : runs[runs.size() / 2];
    return ink;
}

// A text in a font, as the screen shows it.
QImage drawn(const QString& text, const QFont& font) {
    QLabel label(text);
    label.setFont(font);
    label.adjustSize();
    return label.grab().toImage();
}

// A label's capitals drawn at the screen's size: at least `rows`, what they span at 1, for each
// unit of scale. (The system's faces, wider than the program's, are as large as fits.)
void expectScreenSized(QWidget* label, int rows) {
    if (qApp->arguments().contains(QStringLiteral("--system-faces")))
        return;
    EXPECT_GE(inkOf(drawn(QStringLiteral("Н"), label->font())).rows, int(rows * scale()))
        << qPrintable(label->objectName()) << " at " << scale();
}

// Bold reads bold at every scale: its strokes half as wide again as the regular face's.
void expectBold(QLabel* bold) {
    QFont regular = bold->font();
    regular.setBold(false);
    EXPECT_GE(inkOf(bold->grab().toImage()).stroke,
              1.5 * inkOf(drawn(bold->text(), regular)).stroke)
        << qPrintable(bold->objectName()) << " at " << scale();
}

void expectWhole(QWidget* w, const QString& text, QRectF room, int flags = 0) {
    const QRectF used = QFontMetricsF(w->font()).boundingRect(room, flags, text);
    // A bold drawn twice is a pixel wider, unless its letter spacing leaves room for that.
    const qreal overstrike = isOverstruck(w->font())
                                 ? std::max(0.0, overstrikePixels(w->font(), scale()) / scale() -
                                                     w->font().letterSpacing())
                                 : 0;
    EXPECT_TRUE(used.width() + overstrike <= room.width() && used.height() <= room.height())
        << qPrintable(w->objectName()) << " \"" << qPrintable(text) << "\" " << used.width() << "x"
        << used.height() << " in " << room.width() << "x" << room.height();
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
    expectBold(child<QLabel>(main.get(), "i5"));

    // The statistics box shows each line of the report whole.
    QTimer::singleShot(0, [] {
        auto* box = QApplication::activeModalWidget();
        ASSERT_TRUE(box);
        const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        const QFontMetrics metrics(label->font());
        EXPECT_EQ(metrics.boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text()),
                  metrics.boundingRect(label->contentsRect(), 0, label->text()))
            << qPrintable(label->text()) << " at " << scale();
        box->close();
    });
    showMessageBox(main.get(), statisticsMessage(main->journal(), main->environment().locale));

    FNew* dialog = openEdit(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    expectTextsWhole(dialog);
    expectScreenSized(child(dialog, "Label6"), 8);
    expectBold(child<QLabel>(dialog, "Label5"));
    dialog->close();

    About* about = About::open(main->environment(), QIcon());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(about));
    expectTextsWhole(about);
    expectScreenSized(child(about, "Label8"), 11);
    expectBold(child<QLabel>(about, "Label8"));
    delete about;
}

}  // namespace
}  // namespace zoltrek
