#pragma once

#include <algorithm>
#include <optional>
#include <sstream>

#include "painter.h"
#include "testcanvas.h"
#include "xpbcontrol.h"

namespace zoltrek::test {

inline constexpr Rgb kFace = 0xF0F0F0, kWhite = 0xFFFFFF, kBlack = 0, kShadow = 0xA0A0A0;
constexpr Rgb grey(int v) {
    return rgb(v, v, v);
}

// A state painted on a canvas in memory; the staging surface grows as asked.
struct PaintRig {
    PaintRig(int w, int h, std::int32_t style = kStyleFlat) : surface(w, h) {
        s.ButtonWidth = w, s.ButtonHeight = h, s.FocusRect = {4, 4, w - 4, h - 4};
        s.ShowFocusRect = s.XPDefaultColors = True16, s.ButtonStyle = style;
    }
    void paint(bool enabled = true) {
        surface.drawn.clear();
        PaintTarget t{surface, enabled, [this](std::int32_t w, std::int32_t h) -> Canvas& {
                          return stage.emplace(w, h);
                      }};
        Refresh(s, t);
    }
    Rgb at(int x, int y) const { return surface.pixel(x, y); }
    MemoryCanvas surface;
    std::optional<MemoryCanvas> stage;
    XpbState s;
};

// A control on a surface in memory that logs events, repaints and capture changes in order.
struct Rig : XpbSurface, XpbEvents {
    explicit Rig(int w = 145, int h = 25) : w(w), h(h), canvas(w, h) {}
    bool enabled() const override { return on; }
    void setEnabled(bool e) override { on = e; }
    std::int32_t width() const override { return w; }
    std::int32_t height() const override { return h; }
    void setWidthTwips(std::int32_t t) override { resize(t / 15, h); }
    void setHeightTwips(std::int32_t t) override { resize(w, t / 15); }
    Canvas& beginPaint() override { return canvas = MemoryCanvas(w, h); }
    void endPaint() override { add("repaint"); }
    Canvas& staging(std::int32_t sw, std::int32_t sh) override {
        return stage = MemoryCanvas(sw, sh);
    }
    bool pointerOver() const override { return over; }
    void setCapture() override { add("capture+"); }
    void releaseCapture() override { add("capture-"); }
    // Resizing measures the control again, as the platform does, unless told otherwise.
    void resize(int nw, int nh) {
        if (!resizable || (nw == w && nh == h))
            return;
        w = nw, h = nh;
        if (remeasures)
            control.CalcSize();
    }

    using I = std::int16_t;
    void Click() override { add("Click"); }
    void KeyDown(I k, I s) override { add("KeyDown", k, s); }
    void KeyUp(I k, I s) override { add("KeyUp", k, s); }
    void MouseDown(I b, I s, float x, float y) override { add("MouseDown", b, s, x, y); }
    void MouseMove(I b, I s, float x, float y) override { add("MouseMove", b, s, x, y); }
    void MouseUp(I b, I s, float x, float y) override { add("MouseUp", b, s, x, y); }
    void MouseIn(I s) override { add("MouseIn", s); }
    void MouseOut(I s) override { add("MouseOut", s); }

    template <typename... A>
    void add(const char* name, A... args) {
        std::ostringstream out;
        out << name;
        [[maybe_unused]] const char* sep = "(";
        ((out << sep << args, sep = ","), ...);
        log.push_back(out.str() + (sizeof...(args) ? ")" : ""));
    }
    std::string joined() const {
        std::string out;
        for (const auto& e : log)
            out += (out.empty() ? "" : " ") + e;
        return out;
    }

    int w, h;
    bool on = true, over = true, resizable = true, remeasures = true;
    MemoryCanvas canvas, stage{83, 55};
    std::vector<std::string> log;
    XpbControl control{*this, *this};
};

}  // namespace zoltrek::test
