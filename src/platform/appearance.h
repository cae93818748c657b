#pragma once

#include <QFont>
#include <QList>
#include <QPalette>
#include <QSize>
#include <QString>

#include <functional>
#include <thread>

class QApplication;
class QPainter;

namespace zoltrek {

// Made before the QApplication, it readies the system's fonts for the toolkit. Where fontconfig
// finds them, it reads the configuration on a second thread: reading it is the longest single
// step of the start-up, and no window can measure a letter before it is done, so it overlaps
// the connection to the display; harmless if it never finishes first, as the toolkit then reads
// it itself. On Windows it chooses the FreeType engine, the one that draws the bitmap face.
class FontConfigurationReader {
  public:
    FontConfigurationReader();
    ~FontConfigurationReader();
    FontConfigurationReader(const FontConfigurationReader&) = delete;
    FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

    // Returns once the configuration is read (at once if the thread could not start).
    void wait();

  private:
    std::thread reader_;
};

// The faces the text is drawn in: those the program brings, or the system's alone, as where the
// program was built without them.
enum class Faces { Bundled, System };

// Sets up what every window expects: the fonts, the Fusion style with the fixed Windows
// colours (so the program looks the same on every desktop theme), the program icon, and the
// toolkit's own texts in Russian.
void setUpApplication(QApplication& app, Faces faces = Faces::Bundled);

// A line of text in every window is this high, whatever the face: the layouts are in pixels.
inline constexpr int kLinePixels = 13;

QFont defaultFont();  // "MS Sans Serif" 8.25 pt, 13-pixel lines
QFont boldFont();     // the same face emboldened

// Whether the text is in the bitmap face. It has glyphs of one size, so it serves only where a
// pixel is a pixel of the screen; at any other device pixel ratio, or where it is missing, a
// scalable face draws the text, sized so that every text fits its box.
bool usesBitmapFace();

// A text a window shows in a box of fixed size, in one of the fonts above; wrapped, on as many
// lines as the box holds.
struct TextInBox {
    enum Font { Plain, Bold, Title };
    QString text;
    QSize box;
    Font font = Plain;
    bool wraps = false;
};

// The font of a fixed text: the bitmap face where it draws, else the scalable face (13.5 pt bold
// for a title) as large as designed, made smaller only as far as this text needs to fit its box.
QFont fittedFont(const TextInBox& text);

// Sizes the scalable faces of the default and bold fonts, for the controls whose texts change
// (the list, the values, the entry boxes): as large as designed at most, so that each of these
// texts, the longest each control must show, fits its box.
void fitFaces(const QList<TextInBox>& texts);

QPalette standardPalette();

// The bitmap face has no bold of its own: like the system that made it, we draw its bold as
// the text twice, the second copy one pixel to the right. So is every other bold: the title's
// face, drawn unsmoothed, whose strokes are one pixel wide at its size, and the scalable face at
// other scales, whose bold file has the regular strokes. The style does it for labels and list
// items; a widget that paints text itself asks here.
bool isOverstruck(const QFont& font);

// How far the copies of an overstruck text reach, in pixels of a device of this pixel ratio:
// one at the bitmap face's size, more as the text grows, so that every stroke is half as wide
// again as the regular one at least.
int overstrikePixels(const QFont& font, double devicePixelRatio);

// Draws the copies of an overstruck text in `font`, each a pixel of the device further right:
// `draw` paints the text once where the painter's origin puts it.
void overstrike(QPainter* painter, const QFont& font, const std::function<void()>& draw);

}  // namespace zoltrek
