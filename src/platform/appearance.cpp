#include "appearance.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QLibraryInfo>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionViewItem>
#include <QTranslator>

#include <fontconfig/fontconfig.h>

#include <system_error>

#include "resources.h"
#include "syscolors.h"

namespace zoltrek {

namespace {

const QString kSansSerif = QStringLiteral("MS Sans Serif");

// 8.25 pt at 96 dpi: the layouts are in pixels, so the text must be too.
constexpr int kDefaultPixels = 11;
constexpr int kTitlePixels = 16;  // Tahoma Bold 12 pt: "Zoltrek Calculator" in 143 px

// The family a font file brings, the file loaded at its first use (so the title's face costs
// nothing until the About window opens); a fallback when the file is missing.
QString familyOf(const QString& fileName) {
    static QHash<QString, QString> families;
    auto known = families.constFind(fileName);
    if (known != families.constEnd())
        return *known;
    const int id = QFontDatabase::addApplicationFont(fontFile(fileName));
    const QStringList loaded = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
    return families[fileName] = loaded.isEmpty() ? QStringLiteral("Sans Serif") : loaded.front();
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
        if (isOverstruck(painter->font()))
            QProxyStyle::drawItemText(painter, rect.translated(1, 0), flags, palette, enabled, text,
                                      role);
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
        text.rect.translate(1, 0);
        text.backgroundBrush = Qt::NoBrush;
        text.state &= ~(State_Selected | State_HasFocus | State_MouseOver);
        text.features &=
            ~(QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration);
        if (item->state & State_Selected)
            text.palette.setColor(QPalette::Text, item->palette.color(QPalette::HighlightedText));
        QProxyStyle::drawControl(element, &text, painter, widget);
    }
};

// The toolkit's own words (the text boxes' and the scroll bars' menus) in the program's language,
// whatever the user's; its English stays where the translation is missing.
void loadToolkitTranslation(QApplication& app) {
    auto* translation = new QTranslator(&app);
    if (translation->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translation);
}

}  // namespace

FontConfigurationReader::FontConfigurationReader() {
    try {
        // FcInit is safe on any thread: whichever of two concurrent callers finishes first
        // installs its configuration and the other's is dropped.
        reader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread: the configuration is read later, where it was always read.
    }
}

FontConfigurationReader::~FontConfigurationReader() {
    wait();
}

void FontConfigurationReader::wait() {
    if (reader_.joinable())
        reader_.join();
}

bool isOverstruck(const QFont& font) {
    return font.bold() &&
           (font.family() == kSansSerif || font.styleStrategy() & QFont::NoAntialias);
}

QFont defaultFont() {
    QFont font(familyOf(QStringLiteral("ms_sans_serif.ttf")));
    font.setPixelSize(kDefaultPixels);
    return font;
}

QFont boldFont() {
    QFont font = defaultFont();
    font.setBold(true);
    // The bitmap face has no bold of its own: emboldened, it needs one pixel more per letter.
    if (font.family() == kSansSerif)
        font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    return font;
}

QFont titleFont() {
    QFont font(familyOf(QStringLiteral("tahomabd.ttf")));
    font.setPixelSize(kTitlePixels);
    font.setBold(true);
    // Smoothed, its one-pixel strokes turn grey and the title reads lighter than the bold
    // under it; unsmoothed and overstruck, it is as black and as bold as that.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
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

void setUpApplication(QApplication& app) {
    app.setStyle(new OverstrikeStyle(QStyleFactory::create(QStringLiteral("Fusion"))));
    app.setPalette(standardPalette());
    app.setFont(defaultFont());
    app.setWindowIcon(programIcon());
    loadToolkitTranslation(app);
}

}  // namespace zoltrek
