#include "platform/appearance.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QLibraryInfo>
#include <QPainter>
#include <QProxyStyle>
#include <QScreen>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QTranslator>

#include <algorithm>
#include <cmath>

#include "base/syscolors.h"
#include "resources/resources.h"

namespace zoltrek {

namespace {

const QString kSansSerif = QStringLiteral("MS Sans Serif");
const QString kBitmapFile = QStringLiteral("ms_sans_serif.ttf");
// Scalable, and the face the old system itself drew in place of the bitmap face at higher
// resolutions.
const QString kScalableFile = QStringLiteral("tahoma.ttf");
const QString kScalableBoldFile = QStringLiteral("tahomabd.ttf");

// 8.25 pt at 96 dpi: the layouts are in pixels, so the text must be too.
constexpr int kDefaultPixels = 11;
constexpr int kTitlePixels = 16;  // 12 pt, made smaller where the title's box needs it
constexpr double kSmallestPixels = 6;
constexpr double kFittingStep = 0.25;

struct FaceChoice {
    bool systemOnly = false;
    double textPixels = kDefaultPixels;  // of the scalable faces, once fitted
    QHash<QString, double> fitted;       // each fixed text's own size, keyed by fittingKey()
};

FaceChoice& faceChoice() {
    static FaceChoice choice;
    return choice;
}

// The family a font file brings, the file loaded at its first use (so the title's face costs
// nothing until the About window opens); a fallback when the file is missing.
QString familyOf(const QString& fileName) {
    static QHash<QString, QString> families;
    if (faceChoice().systemOnly)
        return QStringLiteral("Sans Serif");
    auto known = families.constFind(fileName);
    if (known != families.constEnd())
        return *known;
    const int id = QFontDatabase::addApplicationFont(fontFile(fileName));
    const QStringList loaded = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    return families[fileName] = loaded.isEmpty() ? QStringLiteral("Sans Serif") : loaded.front();
}

// The face of a font file at a size in pixels that need not be whole, given in points as the
// screen counts them.
QFont scalableFace(const QString& fileName, double pixels, bool bold) {
    QFont font(familyOf(fileName));
    const QScreen* screen = QGuiApplication::primaryScreen();
    font.setPointSizeF(pixels * 72 / (screen ? screen->logicalDotsPerInchY() : 96));
    font.setBold(bold);
    // Fitted to the pixel rows only, as most desktops' font settings ask: the letters keep their
    // own widths, and the text its length, whatever the desktop or the system says.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}

// The font a text is drawn in at a size in pixels; the bitmap face has one size only.
QFont fontOf(TextInBox::Font kind, double pixels) {
    if (!usesBitmapFace()) {
        // Bold is overstruck (see isOverstruck): the bundled bold face has the regular one's
        // strokes, and the font engine's emboldening adds little to them.
        return scalableFace(kScalableFile, pixels, kind != TextInBox::Plain);
    }
    if (kind == TextInBox::Title) {
        // Beside the bitmap face, the title is drawn like it: smoothed, its one-pixel strokes
        // would turn grey and it would read lighter than the bold under it; unsmoothed and
        // overstruck, it is as black and as bold as that.
        QFont font = scalableFace(kScalableBoldFile, pixels, true);
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }
    QFont font(familyOf(kBitmapFile));
    font.setPixelSize(kDefaultPixels);
    if (kind == TextInBox::Bold) {
        font.setBold(true);
        // Emboldened, the bitmap face needs one pixel more per letter.
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    }
    return font;
}

bool fits(const TextInBox& text, const QFont& font) {
    const QRectF room(QPointF(0, 0), QSizeF(text.box));
    const int flags = Qt::AlignLeft | Qt::AlignTop | (text.wraps ? Qt::TextWordWrap : 0);
    const QRectF used = QFontMetricsF(font).boundingRect(room, flags, text.text);
    // Overstruck, the ink is a pixel wider, unless the letter spacing already left it room.
    const double ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    const double overstrike =
        isOverstruck(font)
            ? std::max(0.0, overstrikePixels(font, ratio) / ratio - font.letterSpacing())
            : 0;
    return used.width() + overstrike <= room.width() && used.height() <= room.height();
}

// The largest size, from `largest` down, at which each of the texts fits its box.
double largestFitting(const QList<TextInBox>& texts, double largest) {
    const auto fitAt = [&](double pixels) {
        return std::all_of(texts.begin(), texts.end(), [&](const TextInBox& text) {
            return fits(text, fontOf(text.font, pixels));
        });
    };
    double pixels = largest;
    while (pixels > kSmallestPixels && !fitAt(pixels))
        pixels -= kFittingStep;
    return pixels;
}

QString fittingKey(const TextInBox& text) {
    return QStringLiteral("%1 %2x%3 %4 ")
               .arg(int(text.font))
               .arg(text.box.width())
               .arg(text.box.height())
               .arg(int(text.wraps)) +
           text.text;
}

QColor colour(int index) {
    const std::uint32_t bgr = sysColor(index);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

constexpr int kCheckBoxSide = 13;

// The platform's check box: a sunken frame of two tones on each side, white inside (the button
// face while pressed or disabled), and the tick.
void drawCheckBox(QPainter* painter, const QStyleOption& option) {
    static constexpr const char* kTick[] = {"......X", ".....XX", "X...XXX", "XX.XXX.",
                                            "XXXXX..", ".XXX...", "..X...."};
    const int x = option.rect.left(), y = option.rect.top(), n = kCheckBoxSide;
    const auto line = [&](int left, int top, int width, int height, int index) {
        painter->fillRect(QRect(x + left, y + top, width, height), colour(index));
    };
    line(0, 0, n - 1, 1, COLOR_BTNSHADOW);
    line(0, 0, 1, n - 1, COLOR_BTNSHADOW);
    line(0, n - 1, n, 1, COLOR_BTNHIGHLIGHT);
    line(n - 1, 0, 1, n, COLOR_BTNHIGHLIGHT);
    line(1, 1, n - 3, 1, COLOR_3DDKSHADOW);
    line(1, 1, 1, n - 3, COLOR_3DDKSHADOW);
    line(1, n - 2, n - 2, 1, COLOR_3DLIGHT);
    line(n - 2, 1, 1, n - 2, COLOR_3DLIGHT);
    const bool enabled = option.state & QStyle::State_Enabled;
    line(2, 2, n - 4, n - 4,
         enabled && !(option.state & QStyle::State_Sunken) ? COLOR_WINDOW : COLOR_BTNFACE);
    if (!(option.state & QStyle::State_On))
        return;
    for (int row = 0; row < 7; ++row)
        for (int column = 0; column < 7; ++column)
            if (kTick[row][column] == 'X')
                line(3 + column, 3 + row, 1, 1, enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT);
}

// Fusion, with the bold of the bitmap face drawn as the old system drew it, flat list
// selections, and the boxes' buttons, as the old system's, without icons.
class OverstrikeStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_DialogButtonBox_ButtonsHaveIcons)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }

    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                      bool enabled, const QString& text, QPalette::ColorRole role) const override {
        QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, role);
        if (!isOverstruck(painter->font()))
            return;
        overstrike(painter, painter->font(), [&] {
            QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, role);
        });
    }

    // A selected row is filled flatly with the highlight colour, as the platform's list box
    // does, with or without the focus: Fusion's focus frame in a list is a shaded outline.
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameFocusRect && qobject_cast<const QAbstractItemView*>(widget))
            return;
        if (element == PE_IndicatorCheckBox)
            return drawCheckBox(painter, *option);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        if (metric == PM_IndicatorWidth || metric == PM_IndicatorHeight)
            return kCheckBoxSide;
        // The platform's list box starts its text one pixel in and cuts it at its edge.
        if (metric == PM_FocusFrameHMargin && qobject_cast<const QAbstractItemView*>(widget))
            return 0;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option);
        if (element != CE_ItemViewItem || !item || !isOverstruck(item->font))
            return;
        // The text alone once more: no background, no selection, no focus frame.
        QStyleOptionViewItem text(*item);
        text.backgroundBrush = Qt::NoBrush;
        text.state &= ~(State_Selected | State_HasFocus | State_MouseOver);
        text.features &=
            ~(QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration);
        if (item->state & State_Selected)
            text.palette.setColor(QPalette::Text, item->palette.color(QPalette::HighlightedText));
        overstrike(painter, item->font,
                   [&] { QProxyStyle::drawControl(element, &text, painter, widget); });
    }
};

// The toolkit's own words (the text boxes' and the scroll bars' menus) in the program's language,
// whatever the user's; its English stays where the translation is missing.
// A build that carries the translation (one that runs where no Qt is installed) uses its own.
void loadToolkitTranslation(QApplication& app) {
    auto* translation = new QTranslator(&app);
    const QString embedded = embeddedTranslation();
    if ((!embedded.isEmpty() && translation->load(embedded)) ||
        translation->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translation);
}

// A desktop's platform theme sets its own font for the whole application once the program runs
// (qt6ct does, after the first events). Every control that does not name its font would take
// it, and its text would no longer fit the box the layout gives it: the program's font is set
// again at once.
class FontKeeper : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == qApp && event->type() == QEvent::ApplicationFontChange &&
            QApplication::font() != defaultFont())
            QApplication::setFont(defaultFont());
        return false;
    }
};

}  // namespace

bool isOverstruck(const QFont& font) {
    return font.bold() && (font.family() == kSansSerif ||
                           font.styleStrategy() & QFont::NoAntialias || !usesBitmapFace());
}

int overstrikePixels(const QFont& font, double devicePixelRatio) {
    // The scalable face's stems are a tenth of its size wide: half a stem more, at least.
    return std::max(1, int(std::ceil(QFontInfo(font).pixelSize() * devicePixelRatio / 20)));
}

void overstrike(QPainter* painter, const QFont& font, const std::function<void()>& draw) {
    const double ratio = painter->device() ? painter->device()->devicePixelRatio() : 1.0;
    for (int pixel = 1, last = overstrikePixels(font, ratio); pixel <= last; ++pixel) {
        painter->save();
        painter->translate(pixel / ratio, 0);
        draw();
        painter->restore();
    }
}

bool usesBitmapFace() {
    return familyOf(kBitmapFile) == kSansSerif && (!qGuiApp || qGuiApp->devicePixelRatio() == 1.0);
}

QFont defaultFont() {
    return fontOf(TextInBox::Plain, faceChoice().textPixels);
}

QFont boldFont() {
    return fontOf(TextInBox::Bold, faceChoice().textPixels);
}

QFont fittedFont(const TextInBox& text) {
    const double designed = text.font == TextInBox::Title ? kTitlePixels : kDefaultPixels;
    if (usesBitmapFace() && text.font != TextInBox::Title)
        return fontOf(text.font, designed);
    auto& fitted = faceChoice().fitted;
    const QString key = fittingKey(text);
    auto known = fitted.constFind(key);
    if (known == fitted.constEnd())
        known = fitted.insert(key, largestFitting({text}, designed));
    return fontOf(text.font, *known);
}

void fitFaces(const QList<TextInBox>& texts) {
    faceChoice().fitted.clear();
    if (!usesBitmapFace())
        faceChoice().textPixels = largestFitting(texts, kDefaultPixels);
    if (qApp)
        QApplication::setFont(defaultFont());
}

QPalette standardPalette() {
    QPalette p;
    const QColor face = colour(COLOR_BTNFACE), text = colour(COLOR_BTNTEXT);
    p.setColor(QPalette::Window, face);
    p.setColor(QPalette::Button, face);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Text, colour(COLOR_WINDOWTEXT));
    p.setColor(QPalette::Base, colour(COLOR_WINDOW));
    p.setColor(QPalette::AlternateBase, face);
    p.setColor(QPalette::Light, colour(COLOR_BTNHIGHLIGHT));
    p.setColor(QPalette::Midlight, colour(COLOR_3DLIGHT));
    p.setColor(QPalette::Mid, colour(COLOR_BTNSHADOW));
    p.setColor(QPalette::Dark, colour(COLOR_BTNSHADOW));
    p.setColor(QPalette::Shadow, colour(COLOR_3DDKSHADOW));
    p.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xE1));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::Highlight, QColor(0x33, 0x99, 0xFF));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, QColor(0x00, 0x00, 0xC0));
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        p.setColor(QPalette::Disabled, role, colour(COLOR_GRAYTEXT));
    return p;
}

void setUpApplication(QApplication& app, Faces faces) {
    faceChoice().systemOnly = faces == Faces::System;
    app.setStyle(new OverstrikeStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    app.setPalette(standardPalette());
    app.setFont(defaultFont());
    app.installEventFilter(new FontKeeper(&app));
    app.setWindowIcon(programIcon());
    loadToolkitTranslation(app);
}

}  // namespace zoltrek
