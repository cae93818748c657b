#pragma once

#include <cstdint>

#include "controls/xpb/core/canvas.h"

namespace zoltrek {

// What the platform gives a button: its surface, the pointer test and the mouse capture.
class XpbSurface {
  public:
    virtual ~XpbSurface() = default;

    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;
    // Inner size in pixels.
    virtual std::int32_t width() const = 0;
    virtual std::int32_t height() const = 0;
    // Resizing may run the control's `CalcSize` again before it returns.
    virtual void setWidthTwips(std::int32_t twips) = 0;
    virtual void setHeightTwips(std::int32_t twips) = 0;

    // The persistent image, sized to the surface; `endPaint` shows what was drawn.
    virtual Canvas& beginPaint() = 0;
    virtual void endPaint() = 0;
    // The hidden staging surface, of the size asked for.
    virtual Canvas& staging(std::int32_t width, std::int32_t height) = 0;

    // Whether the window under the pointer's current position is this surface.
    virtual bool pointerOver() const = 0;
    virtual bool holdsCapture() const = 0;
    virtual void setCapture() = 0;
    virtual void releaseCapture() = 0;

    // The caption changed: the platform's access key and what screen readers read follow it.
    virtual void captionChanged(char32_t /*accessKey*/) {}
};

// The events a button raises; arguments are never read back.
class XpbEvents {
  public:
    virtual ~XpbEvents() = default;
    virtual void Click() {}
    virtual void KeyDown(std::int16_t /*keyCode*/, std::int16_t /*shift*/) {}
    virtual void KeyUp(std::int16_t /*keyCode*/, std::int16_t /*shift*/) {}
    virtual void MouseDown(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                           float /*y*/) {}
    virtual void MouseMove(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                           float /*y*/) {}
    virtual void MouseUp(std::int16_t /*button*/, std::int16_t /*shift*/, float /*x*/,
                         float /*y*/) {}
    virtual void MouseIn(std::int16_t /*shift*/) {}
    virtual void MouseOut(std::int16_t /*shift*/) {}
};

}  // namespace zoltrek
