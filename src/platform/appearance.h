#pragma once

#include <QFont>
#include <QList>
#include <QPalette>
#include <QSize>
#include <QString>

#include <thread>

class QApplication;

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
QFont titleFont();    // 13.5 pt bold, for the About window's title

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

// Sizes the title's face, and the scalable faces where they draw the text, so that each text
// fits its box: as large as designed at most, plain and bold of one size.
void fitFaces(const QList<TextInBox>& texts);

QPalette standardPalette();

// The bitmap face has no bold of its own: like the system that made it, we draw its bold as
// the text twice, the second copy one pixel to the right. So is the title's face, drawn
// unsmoothed, whose strokes are one pixel wide at its size. The style does it for labels and
// list items; a widget that paints text itself asks here.
bool isOverstruck(const QFont& font);

}  // namespace zoltrek
