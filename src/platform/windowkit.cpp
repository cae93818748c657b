#include "platform/windowkit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QWindow>

#include "controls/caretlineedit.h"
#include "platform/appearance.h"
#include "resources/resources.h"

namespace zoltrek {

namespace {

// What a fixed single border and a caption add around the client area when the window
// system has not said yet.
constexpr QSize kFrameAllowance{6, 25};

// No maximise button; a minimise button only when asked.
void makeFixedWindow(QWidget* window, QSize client, bool minimiseButton) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (minimiseButton)
        flags |= Qt::WindowMinimizeButtonHint;
    window->setWindowFlags(flags);
    window->setFixedSize(client);
}

// The frame around the window as the window system reports it now; none before it has said.
QMargins frameMargins(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

// The frame, where there is one, is what stands in the middle of the screen.
void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QMargins frame = frameMargins(window);
    QRect outer = window->geometry().marginsAdded(frame);
    outer.moveCenter(screen->availableGeometry().center());
    window->setGeometry(outer.marginsRemoved(frame));
}

void sizeBackground(QWidget* background, const QWidget* window) {
    QSize outer = window->geometry().marginsAdded(frameMargins(window)).size();
    if (outer == window->size())
        outer += kFrameAllowance;
    background->setGeometry(QRect(QPoint(0, 0), outer));
}

// A picture stretched over the whole widget as the old system stretched pictures, each of its
// pixels repeated or skipped, never blended. (A scaled QLabel would blend, and smooth-scale
// the whole picture before the window's first frame.)
class StretchedPicture : public QWidget {
  public:
    StretchedPicture(QWidget* parent, const QPixmap& picture) : QWidget(parent), picture_(picture) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

  protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).drawPixmap(rect(), picture_); }

  private:
    QPixmap picture_;
};

QWidget* makeBackground(QWidget* window) {
    auto* background = new StretchedPicture(window, backgroundPicture());
    background->setObjectName(QStringLiteral("BG"));
    sizeBackground(background, window);
    background->lower();
    return background;
}

}  // namespace

FixedWindow::FixedWindow(QSize client, bool minimiseButton) {
    makeFixedWindow(this, client, minimiseButton);
    BG = makeBackground(this);
}

void FixedWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    sizeBackground(BG, this);
    if (shown_)
        return;
    shown_ = true;
    centreOnScreen(this);
    centredWithin_ = frameMargins(this);
    windowHandle()->installEventFilter(this);
    if (firstFocus_)
        firstFocus_->setFocus();
}

// A window manager frames a window as it maps it, and says how only then: the frame, once
// known, is centred and the background stretched over it.
bool FixedWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        watched->removeEventFilter(this);
        if (frameMargins(this) != centredWithin_) {
            centreOnScreen(this);
            sizeBackground(BG, this);
        }
    }
    return QWidget::eventFilter(watched, event);
}

namespace {

void placeLabel(QLabel* label, const QString& name, const QRect& place, const QFont& font,
                Qt::Alignment alignment) {
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);  // a date from the journal may hold "<b>"
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setMargin(0);
    label->setIndent(0);
}

}  // namespace

QLabel* makeLabel(QWidget* parent, const QString& name, const QRect& place, const QString& text,
                  const QFont& font, Qt::Alignment alignment) {
    auto* label = new QLabel(text, parent);
    placeLabel(label, name, place, font, alignment);
    return label;
}

QLabel* Caption::make(QWidget* parent, QPoint offset) const {
    return makeLabel(parent, QString::fromLatin1(name), place.translated(offset),
                     QString::fromUtf16(text), fittedFont(toFit()));
}

TextInBox Caption::toFit() const {
    return {QString::fromUtf16(text), place.size(), font};
}

void makeOpaque(QWidget* widget, const QColor& background) {
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), background);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QFrame* makeHorizontalLine(QWidget* parent, const QString& name, QPoint from, QPoint to) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    // Drawn from `from` towards `to`: `from` is painted, `to` is not.
    const int left = from.x() <= to.x() ? from.x() : to.x() + 1;
    line->setGeometry(QRect(left, from.y(), std::abs(to.x() - from.x()), 1));
    makeOpaque(line, parent->palette().color(QPalette::WindowText));
    return line;
}

QFrame* makePanel(QWidget* parent, const QString& name, const QRect& place, bool sunken) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setGeometry(place);
    if (sunken) {
        panel->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    } else {
        panel->setFrameStyle(QFrame::Box | QFrame::Plain);
        panel->setLineWidth(1);
    }
    return panel;
}

int inset(const QFrame* panel) {
    return panel->frameWidth();
}

namespace {

// A box in the bitmap face's bold paints its text itself, twice; the line edit draws the frame
// and the background, its own text made transparent.
class OverstruckTextBox : public CaretLineEdit {
  public:
    using CaretLineEdit::CaretLineEdit;

  protected:
    void paintEvent(QPaintEvent* event) override {
        CaretLineEdit::paintEvent(event);
        QPainter painter(this);
        painter.setFont(font());
        painter.setPen(QApplication::palette().color(
            isEnabled() ? QPalette::Normal : QPalette::Disabled, QPalette::Text));
        const QRect area = contentsRect().marginsRemoved(textMargins());
        painter.drawText(area, int(alignment()), text());
        overstrike(&painter, font(), [&] { painter.drawText(area, int(alignment()), text()); });
    }
};

}  // namespace

QLineEdit* makeTextBox(QWidget* parent, const QString& name, const QRect& place,
                       const QFont& font) {
    const bool overstruck = isOverstruck(font);
    QLineEdit* box = overstruck ? new OverstruckTextBox(parent) : new CaretLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(place);
    box->setFont(font);
    box->setAlignment(Qt::AlignCenter);
    box->setStyleSheet(textBoxStyle(overstruck));
    return box;
}

LinkLabel::LinkLabel(QWidget* parent, const QString& name, const QRect& place, const QString& text,
                     QFont font)
    : QLabel(text, parent) {
    font.setUnderline(true);
    placeLabel(this, name, place, font, Qt::AlignLeft | Qt::AlignTop);
    setCursor(handCursor());
    setTextColour(this, QColor(0x00, 0x00, 0xC0));
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

// A click is a press and a release of the left button over the label.
void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}

}  // namespace zoltrek
