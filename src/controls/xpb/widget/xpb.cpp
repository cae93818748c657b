#include "controls/xpb/widget/xpb.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "base/units.h"
#include "controls/xpb/core/textlayout.h"
#include "controls/xpb/widget/widgetsurface.h"
#include "controls/xpb/widget/xpbaccessible.h"
#include "controls/xpb/widget/xpbkeys.h"

namespace zoltrek {

// Raises the control's events as the widget's signals.
class XpB::Relay : public XpbEvents {
  public:
    explicit Relay(XpB& button) : b_(button) {}
    void Click() override { emit b_.Click(); }
    void KeyDown(std::int16_t k, std::int16_t s) override { emit b_.KeyDown(k, s); }
    void KeyUp(std::int16_t k, std::int16_t s) override { emit b_.KeyUp(k, s); }
    void MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        emit b_.MouseDown(b, s, x, y);
    }
    void MouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
        emit b_.MouseMove(b, s, x, y);
    }
    void MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        emit b_.MouseUp(b, s, x, y);
    }
    void MouseIn(std::int16_t s) override { emit b_.MouseIn(s); }
    void MouseOut(std::int16_t s) override { emit b_.MouseOut(s); }

  private:
    XpB& b_;
};

XpB::XpB(QWidget* parent)
    : QWidget(parent),
      surface_(std::make_unique<WidgetSurface>(*this)),
      relay_(std::make_unique<Relay>(*this)),
      control_(std::make_unique<XpbControl>(*surface_, *relay_)) {
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(xpbAccessibleFactory), true);
    setFocusPolicy(Qt::StrongFocus);
    // Movements without a button held must arrive too: they are how the pointer enters.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

XpB::~XpB() {
    if (QWidget::mouseGrabber() == this)
        releaseMouse();
}

void XpB::place(const PropertyBag& design, const QString& name) {
    setObjectName(name);
    const auto extent = [&design](const char* name, int pixels) {
        return design.contains(name) ? himetricToPixels(design.readInt(name, 0)) : pixels;
    };
    resize(extent("_extentx", width()), extent("_extenty", height()));
    readProperties(design, name);
}

void XpB::readProperties(const PropertyBag& bag, const QString& name) {
    control_->readProperties(bag, name.toStdString());
}

void XpB::writeProperties(PropertyBag& bag) const {
    control_->writeProperties(bag, objectName().toStdString());
}

const QImage& XpB::image() const {
    return surface_->image();
}

QString XpB::shownCaption() const {
    return QString::fromStdString(stripMnemonics(Caption()).text);
}

void XpB::dropCapture() {
    surface_->releaseCapture();
    control_->captureLost();
}

bool XpB::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::Shortcut:
            control_->accessKeyPressed();
            return true;
        case QEvent::WindowBlocked:
            // A modal window opened: it must get every mouse event.
            dropCapture();
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

void XpB::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        dropCapture();
    else if (event->type() == QEvent::FontChange)
        control_->CalcSize();
    QWidget::changeEvent(event);
}

void XpB::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), surface_->image());
    painter.setFont(font());
    for (const PlacedText& line : surface_->textOver()) {
        painter.setPen(QColor(line.colour));
        painter.drawText(line.baseline, line.text);
        painter.fillRect(line.underline, QColor(line.colour));
    }
}

void XpB::resizeEvent(QResizeEvent*) {
    if (width() != state().ButtonWidth || height() != state().ButtonHeight)
        control_->CalcSize();
}

void XpB::hideEvent(QHideEvent*) {
    dropCapture();
}

void XpB::focusInEvent(QFocusEvent*) {
    control_->focusEntered();
}

void XpB::focusOutEvent(QFocusEvent*) {
    control_->focusLeft();
}

void XpB::keyPressEvent(QKeyEvent* event) {
    event->accept();
    control_->keyPressed(keyCodeOf(event->key()), shiftOf(event->modifiers()));
}

void XpB::keyReleaseEvent(QKeyEvent* event) {
    event->accept();
    // A held key repeats its press only; its release comes once, when it is let go.
    if (event->isAutoRepeat())
        return;
    control_->keyReleased(keyCodeOf(event->key()), shiftOf(event->modifiers()));
}

void XpB::sendMouse(MouseStep step, std::int16_t buttons, const QMouseEvent* event) {
    if (!(control_.get()->*step)(buttons, shiftOf(event->modifiers()),
                                 static_cast<float>(event->position().x()),
                                 static_cast<float>(event->position().y())))
        passToButtonUnderPointer(*event);
}

// The toolkit sends a press's movements and release to the widget pressed, wherever the pointer
// goes; what this button does not take belongs to the button under the pointer, if any.
void XpB::passToButtonUnderPointer(const QMouseEvent& event) {
    static bool passing = false;  // once: the button it reaches does not pass it back
    const QPoint pointer = QCursor::pos();
    auto* under = qobject_cast<XpB*>(QApplication::widgetAt(pointer));
    const QWidget* modal = QApplication::activeModalWidget();
    if (passing || !under || under == this || !under->isEnabled() ||
        (modal && under->window() != modal))
        return;
    passing = true;
    QMouseEvent passed(event.type(), under->mapFromGlobal(QPointF(pointer)), QPointF(pointer),
                       event.button(), event.buttons(), event.modifiers());
    QCoreApplication::sendEvent(under, &passed);
    passing = false;
}

void XpB::mousePressEvent(QMouseEvent* event) {
    if (const std::int16_t button = buttonsOf(event->button()))
        sendMouse(&XpbControl::mousePressed, button, event);
}

void XpB::mouseMoveEvent(QMouseEvent* event) {
    sendMouse(&XpbControl::mouseMoved, buttonsOf(event->buttons()), event);
}

void XpB::mouseReleaseEvent(QMouseEvent* event) {
    if (const std::int16_t button = buttonsOf(event->button()))
        sendMouse(&XpbControl::mouseReleased, button, event);
}

void XpB::mouseDoubleClickEvent(QMouseEvent*) {
    // The second press of a double click is not a press: its release clicks again.
}

}  // namespace zoltrek
