#pragma once

#include <QFrame>
#include <QLabel>
#include <QRect>
#include <QSize>

#include "base/units.h"
#include "platform/appearance.h"

class QLineEdit;

namespace zoltrek {

// Layouts are written in twips.
inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

// A window of a fixed client size with the gradient behind its controls. The background
// follows the window's outer size whenever it shows; the first showing centres the window with
// its frame and gives the focus to its first control.
class FixedWindow : public QWidget {
  public:
    FixedWindow(QSize client, bool minimiseButton);

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void setFirstFocus(QWidget* control) { firstFocus_ = control; }

    QWidget* BG;

  private:
    QWidget* firstFocus_ = nullptr;
    bool shown_ = false;
    QMargins centredWithin_;  // the frame as it was known when the window was centred
};

// A label placed at a rectangle in pixels, painting only its text unless `opaque`.
QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& place, const QString& text,
                  const QFont& font, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop);

// A fixed text in a box made to its width: a label at `place` (moved by `offset`), and what a
// scalable face must fit.
struct Caption {
    const char* name;
    QRect place;
    const char16_t* text;
    TextInBox::Font font = TextInBox::Plain;

    QLabel* make(QWidget* parent, QPoint offset = {}) const;
    TextInBox toFit() const;
};

void makeOpaque(QWidget* widget, const QColor& background);
void setTextColour(QWidget* widget, const QColor& colour);

// A one-pixel line in the window-text colour; like a line drawn from `from` to `to`, it
// leaves out its end point.
QFrame* makeHorizontalLine(QWidget* parent, const QString& name, QPoint from, QPoint to);

// A panel with a plain one-pixel frame, or a sunken 3-D edge; `inset` is where its client area
// starts.
QFrame* makePanel(QWidget* parent, const QString& name, const QRect& place, bool sunken);
int inset(const QFrame* panel);

// A one-line entry box: centred text on #E0E0E0 in a plain one-pixel frame, its caret shown
// even while it is locked.
QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QRect& place, const QFont& font);

// A label that acts as a link: underlined, the hand pointer, `clicked` on a left click.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    LinkLabel(QWidget* parent, const QString& name, const QRect& place, const QString& text,
              QFont font);

  signals:
    void clicked();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace zoltrek
