#pragma once

#include <QFont>
#include <QPalette>

#include <thread>

class QApplication;

namespace zoltrek {

// Reads the system's font configuration on a second thread. Reading it is the longest single
// step of the start-up, and no window can measure a letter before it is done; made before the
// QApplication, it overlaps the connection to the display. Harmless if it never finishes
// first: the toolkit then reads the configuration itself.
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

// Sets up what every window expects: the fonts, the Fusion style with the fixed Windows
// colours (so the program looks the same on every desktop theme), the program icon, and the
// toolkit's own texts in Russian.
void setUpApplication(QApplication& app);

QFont defaultFont();  // "MS Sans Serif" 8.25 pt, 13-pixel lines
QFont boldFont();     // the same face emboldened
QFont titleFont();    // 13.5 pt bold, for the About window's title

QPalette standardPalette();

// The bitmap face has no bold of its own: like the system that made it, we draw its bold as
// the text twice, the second copy one pixel to the right. So is the title's face, drawn
// unsmoothed, whose strokes are one pixel wide at its size. The style does it for labels and
// list items; a widget that paints text itself asks here.
bool isOverstruck(const QFont& font);

}  // namespace zoltrek
