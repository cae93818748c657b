#include "appearance.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QStyleFactory>

#include "resources.h"
#include "syscolors.h"

namespace zoltrek {

namespace {

const QString kSansSerif = QStringLiteral("MS Sans Serif");
const QString kTahoma = QStringLiteral("Tahoma");
const QString kFontFolder = QStringLiteral("/usr/share/wine/fonts/");

// 8.25 pt at 96 dpi: the layouts are in pixels, so the text must be too.
constexpr int kDefaultPixels = 11;
constexpr int kTitlePixels = 16;  // Tahoma Bold 12 pt: "Zoltrek Calculator" in 143 px

bool haveFamily(const QString& family) {
    return QFontDatabase::families().contains(family);
}

QColor colour(int index) {
    const std::uint32_t bgr = sysColor(index);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

}  // namespace

void loadFonts() {
    static const bool loaded = [] {
        QStringList files = embeddedFontFiles();
        if (files.isEmpty())
            files = {kFontFolder + QStringLiteral("ms_sans_serif.ttf"),
                     kFontFolder + QStringLiteral("tahomabd.ttf")};
        for (const QString& file : files)
            if (QFile::exists(file))
                QFontDatabase::addApplicationFont(file);
        return true;
    }();
    (void)loaded;
}

QFont defaultFont() {
    loadFonts();
    QFont font(haveFamily(kSansSerif) ? kSansSerif : QStringLiteral("Sans Serif"));
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
    loadFonts();
    QFont font(haveFamily(kTahoma) ? kTahoma : QStringLiteral("Sans Serif"));
    font.setPixelSize(kTitlePixels);
    font.setBold(true);
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
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    app.setPalette(standardPalette());
    app.setFont(defaultFont());
    app.setWindowIcon(programIcon());
}

}  // namespace zoltrek
