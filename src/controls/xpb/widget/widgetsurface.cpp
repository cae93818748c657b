#include "controls/xpb/widget/widgetsurface.h"

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QKeySequence>

#include "base/units.h"

namespace zoltrek {

WidgetSurface::WidgetSurface(QWidget& widget) : widget_(widget) {}

bool WidgetSurface::enabled() const {
    // The button's own state; a disabled window keeps its buttons' look.
    return !widget_.testAttribute(Qt::WA_ForceDisabled);
}

void WidgetSurface::setEnabled(bool enabled) {
    widget_.setEnabled(enabled);
}

void WidgetSurface::setWidthTwips(std::int32_t twips) {
    widget_.resize(twipsToPixels(twips), widget_.height());
}

void WidgetSurface::setHeightTwips(std::int32_t twips) {
    widget_.resize(widget_.width(), twipsToPixels(twips));
}

Canvas& WidgetSurface::beginPaint() {
    if (image_.size() != widget_.size())
        image_ = QImage(widget_.size(), QImage::Format_RGB32);
    textOver_.clear();
    canvas_.emplace(image_, widget_.font(),
                    widget_.devicePixelRatio() == 1.0 ? nullptr : &textOver_);
    return *canvas_;
}

void WidgetSurface::endPaint() {
    widget_.update();
}

Canvas& WidgetSurface::staging(std::int32_t width, std::int32_t height) {
    if (stagingImage_.size() != QSize(width, height) || !stagingCanvas_) {
        stagingImage_ = QImage(width, height, QImage::Format_RGB32);
        stagingCanvas_.emplace(stagingImage_, widget_.font());
    }
    return *stagingCanvas_;
}

bool WidgetSurface::pointerOver() const {
    return QApplication::widgetAt(QCursor::pos()) == &widget_;
}

bool WidgetSurface::holdsCapture() const {
    return QWidget::mouseGrabber() == &widget_;
}

void WidgetSurface::setCapture() {
    if (widget_.isVisible() && widget_.isEnabled())
        widget_.grabMouse();
}

void WidgetSurface::releaseCapture() {
    if (holdsCapture())
        widget_.releaseMouse();
}

void WidgetSurface::captionChanged(char32_t accessKey) {
    if (shortcutId_ != 0)
        widget_.releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    if (accessKey != 0) {
        const QString upper = QString::fromUcs4(&accessKey, 1).toUpper();
        shortcutId_ =
            widget_.grabShortcut(QKeySequence(Qt::ALT | Qt::Key(upper.toUcs4().value(0))));
    }
    QAccessibleEvent changed(&widget_, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

}  // namespace zoltrek
