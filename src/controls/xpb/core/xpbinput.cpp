#include "xpbcontrol.h"

namespace zoltrek {

namespace {

constexpr std::int16_t kLeftButton = 1;
constexpr std::int16_t kSpace = 32;

}  // namespace

void XpbControl::mousePressed(std::int16_t button, std::int16_t shift, float x, float y) {
    if (button < 2) {
        state_.Pressed = 1;
        Refresh();
    }
    raise([&] { events_.MouseDown(button, shift, x, y); });
}

void XpbControl::mouseMoved(std::int16_t button, std::int16_t shift, float x, float y) {
    if (state_.Hover == 0) {
        surface_.releaseCapture();
        state_.Pressed = static_cast<std::uint8_t>(button);
        state_.Hover = 1;
        if (!raise([&] { events_.MouseIn(shift); }))
            return;
        Refresh();
        surface_.setCapture();
    } else if (!surface_.pointerOver()) {
        state_.Hover = 0;
        state_.Pressed = 0;
        if (!raise([&] { events_.MouseOut(shift); }))
            return;
        Refresh();
        surface_.releaseCapture();
    }
    raise([&] { events_.MouseMove(button, shift, x, y); });
}

void XpbControl::mouseReleased(std::int16_t button, std::int16_t shift, float x, float y) {
    state_.Pressed = 0;
    state_.Hover = 0;
    if (button < 2) {
        Refresh();
        if (surface_.pointerOver() && !raise([&] { events_.Click(); }))
            return;
    }
    raise([&] { events_.MouseUp(button, shift, x, y); });
}

void XpbControl::keyPressed(std::int16_t keyCode, std::int16_t shift) {
    if (state_.Pressed == 0 && keyCode == kSpace) {
        state_.Pressed = 1;
        state_.Hover = 1;
        Refresh();
    }
    raise([&] { events_.KeyDown(keyCode, shift); });
}

void XpbControl::keyReleased(std::int16_t keyCode, std::int16_t shift) {
    if (keyCode == kSpace) {
        state_.Pressed = 0;
        state_.Hover = 0;
        Refresh();
        const std::weak_ptr<int> alive = lifetime_;
        mouseReleased(kLeftButton, shift, 0.0f, 0.0f);
        if (alive.expired())
            return;
    }
    raise([&] { events_.KeyUp(keyCode, shift); });
}

void XpbControl::accessKeyPressed() {
    if (surface_.enabled())
        raise([&] { events_.Click(); });
}

void XpbControl::focusEntered() {
    state_.Hover = 0;
    state_.Focused = 1;
    Refresh();
}

void XpbControl::focusLeft() {
    state_.Focused = 0;
    state_.Pressed = 0;
    state_.Hover = 0;
    Refresh();
}

void XpbControl::captureLost() {
    if (state_.Hover == 0 && state_.Pressed == 0)
        return;
    state_.Hover = 0;
    state_.Pressed = 0;
    Refresh();
}

}  // namespace zoltrek
