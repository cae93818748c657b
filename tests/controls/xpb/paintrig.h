#pragma once

#include "memorycanvas.h"
#include "painter.h"

namespace zoltrek::test {

inline constexpr Rgb kFace = 0xF0F0F0;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kShadow = 0xA0A0A0;
inline constexpr Rgb kDarkFrame = 0x696969;
constexpr Rgb grey(int v) {
    return rgb(v, v, v);
}

// One button's state painted on a canvas in memory, as a window's settings leave it.
struct PaintRig {
    PaintRig(std::int32_t w, std::int32_t h) : surface(w, h), stage(83, 55) {
        state.ButtonWidth = w;
        state.ButtonHeight = h;
        state.FocusRect = {4, 4, w - 4, h - 4};
        state.ShowFocusRect = True16;
        state.XPDefaultColors = True16;
        state.ButtonStyle = kStyleFlat;
    }
    void paint(bool enabled = true) {
        surface.texts.clear();
        surface.pictures.clear();
        PaintTarget target{surface, enabled, [this](std::int32_t w, std::int32_t h) -> Canvas& {
                               if (stage.width() < w || stage.height() < h)
                                   stage.resize(w, h);
                               return stage;
                           }};
        Refresh(state, target);
    }
    Rgb at(std::int32_t x, std::int32_t y) const { return surface.pixel(x, y); }

    MemoryCanvas surface;
    MemoryCanvas stage;
    XpbState state;
};

}  // namespace zoltrek::test
