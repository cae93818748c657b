#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>

#include "controls/propertybag.h"
#include "controls/xpb/core/xpbcontrol.h"
#include "controls/xpb/core/xpbproperties.h"

namespace zoltrek {

class WidgetSurface;

// The program's owner-drawn push button. A window places it from its stored design with
// `place` and reacts to `Click`.
class XpB : public QWidget, public XpbProperties<XpB> {
    Q_OBJECT

  public:
    explicit XpB(QWidget* parent = nullptr);
    ~XpB() override;

    // Applies the design's "_extentx"/"_extenty" (HiMetric), then reads its stored settings;
    // `name` is the instance's name, which is also the caption a design leaves out.
    void place(const PropertyBag& design, const QString& name);
    void readProperties(const PropertyBag& bag, const QString& name);
    void writeProperties(PropertyBag& bag) const;

    // The button's own window handle; asking for it gives the button a native window.
    WId mhwnd() const { return winId(); }

    // Repaints the whole button.
    void Refresh() { control_->Refresh(); }

    const XpbState& state() const { return control_->state(); }
    // What the button shows, in its own pixels.
    const QImage& image() const;
    // The caption as shown: without its "&" marks.
    QString shownCaption() const;

  signals:
    void Click();
    void KeyDown(qint16 keyCode, qint16 shift);
    void KeyUp(qint16 keyCode, qint16 shift);
    void MouseDown(qint16 button, qint16 shift, float x, float y);
    void MouseMove(qint16 button, qint16 shift, float x, float y);
    void MouseUp(qint16 button, qint16 shift, float x, float y);
    void MouseIn(qint16 shift);
    void MouseOut(qint16 shift);

  protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    template <typename>
    friend class XpbProperties;
    class Relay;

    XpbControl& control() const { return *control_; }
    void dropCapture();
    // Hands a mouse event's place and keys to the control's `step`, with these buttons.
    using MouseStep = bool (XpbControl::*)(std::int16_t, std::int16_t, float, float);
    void sendMouse(MouseStep step, std::int16_t buttons, const QMouseEvent* event);
    void passToButtonUnderPointer(const QMouseEvent& event);

    std::unique_ptr<WidgetSurface> surface_;
    std::unique_ptr<Relay> relay_;
    std::unique_ptr<XpbControl> control_;
};

}  // namespace zoltrek
