// Event sequences on the push button's logic over a platform in memory that delivers input
// as the toolkit does: mouse input only over the button, while it holds the capture or while
// a press lasts; keys only with the focus; nothing while disabled. A Click handler may
// disable the button, open a modal box, hide its window or destroy the button. Every input
// that no handler disturbs is checked against the button's transition table written out
// plainly, and every repaint runs the real painter.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/xpb/core/xpbcontrol.h"
#include "oracle.h"
#include "support/testcanvas.h"

using zoltrek::XpbControl;
using zoltrek::fuzz::require;
using zoltrek::test::MemoryCanvas;
using zoltrek::test::TestPicture;
using Log = std::vector<std::string>;

namespace {

// libFuzzer's coverage leaves out what only stands in for the toolkit; other compilers have none.
#ifdef __clang__
#define NO_COVERAGE __attribute__((no_sanitize("coverage")))
#else
#define NO_COVERAGE
#endif

// Fills in runs, as the toolkit's canvas does, so that the fuzzer's time goes to the button.
struct RunCanvas : MemoryCanvas {
    using MemoryCanvas::MemoryCanvas;
    NO_COVERAGE void fillRect(const zoltrek::Rect& r, zoltrek::Rgb colour) override {
        const int x0 = std::max(r.left, 0), x1 = std::min(r.right, w);
        const int y0 = std::max(r.top, 0), y1 = std::min(r.bottom, h);
        for (int y = y0; y < y1 && x0 < x1; ++y)
            std::fill(pixels.begin() + y * w + x0, pixels.begin() + y * w + x1, colour);
    }
};

// What a Click handler does.
enum class Reaction { Nothing, Disable, Modal, Hide, Destroy };

struct Platform : zoltrek::XpbSurface, zoltrek::XpbEvents {
    int w = 145, h = 25;
    bool on = true, over = false, captured = false, focused = false, pressing = false;
    int held = 0;  // the mouse buttons down
    Reaction reaction = Reaction::Nothing;
    bool reacted = false;
    RunCanvas canvas{1, 1};
    std::optional<RunCanvas> stage;
    std::unique_ptr<XpbControl> control = std::make_unique<XpbControl>(*this, *this);
    Log log;

    bool enabled() const override { return on; }
    // The toolkit moves the focus off a disabled widget and takes its mouse grab away.
    void setEnabled(bool e) override {
        if (on == e)
            return;
        on = e;
        if (!on) {
            loseFocus();
            dropCapture();
        }
    }
    std::int32_t width() const override { return w; }
    std::int32_t height() const override { return h; }
    void setWidthTwips(std::int32_t t) override { resize(t / 15, h); }
    void setHeightTwips(std::int32_t t) override { resize(w, t / 15); }
    zoltrek::Canvas& beginPaint() override { return canvas = RunCanvas(w, h); }
    void endPaint() override { log.push_back("repaint"); }
    zoltrek::Canvas& staging(std::int32_t sw, std::int32_t sh) override {
        return stage.emplace(sw, sh);
    }
    bool pointerOver() const override { return over; }
    bool holdsCapture() const override { return captured; }
    void setCapture() override {
        log.push_back("capture+");
        captured = true;
    }
    void releaseCapture() override {
        log.push_back("capture-");
        captured = false;
    }

    void Click() override {
        require(on, "Click is never raised while the button is disabled");
        log.push_back("Click");
        react();
    }
    void KeyDown(std::int16_t, std::int16_t) override { log.push_back("KeyDown"); }
    void KeyUp(std::int16_t, std::int16_t) override { log.push_back("KeyUp"); }
    void MouseDown(std::int16_t, std::int16_t, float, float) override {
        log.push_back("MouseDown");
    }
    void MouseMove(std::int16_t, std::int16_t, float, float) override {
        log.push_back("MouseMove");
    }
    void MouseUp(std::int16_t, std::int16_t, float, float) override { log.push_back("MouseUp"); }
    void MouseIn(std::int16_t) override { log.push_back("MouseIn"); }
    void MouseOut(std::int16_t) override { log.push_back("MouseOut"); }

    void resize(int nw, int nh) {
        if (nw == w && nh == h)
            return;
        w = nw, h = nh;
        control->CalcSize();
    }
    bool mouseReaches() const { return on && (over || captured || pressing); }
    void loseFocus() {
        if (!focused)
            return;
        focused = false;
        control->focusLeft();
    }
    // A modal window opened, or the window was hidden.
    void dropCapture() {
        releaseCapture();
        control->captureLost();
    }
    void react() {
        reacted = true;
        switch (reaction) {
            case Reaction::Nothing:
                break;
            case Reaction::Disable:
                control->setEnabledCtrl(false);
                break;
            case Reaction::Modal: {
                const bool hadFocus = focused;
                dropCapture();
                loseFocus();
                if (hadFocus) {
                    focused = true;
                    control->focusEntered();
                }
                break;
            }
            case Reaction::Hide:
                dropCapture();
                loseFocus();
                break;
            case Reaction::Destroy:
                // The widget lets the grab go when it is destroyed.
                control.reset();
                captured = focused = false;
                break;
        }
    }
};

struct Bytes {
    int focused, pressed, hover;
};

Bytes bytesOf(const XpbControl& c) {
    return {c.state().Focused, c.state().Pressed, c.state().Hover};
}

// One input and what the transition table says it gives.
struct Expected {
    Bytes after;
    Log log;
};

enum class Input { Press, Move, Release, KeyDown, KeyUp, AccessKey, FocusIn, FocusOut };

Expected expect(Bytes s, Input input, int code, bool over, bool captured, bool enabled) {
    Log log;
    // The button takes the mouse only over it or while it holds the capture.
    const bool mouse = input == Input::Press || input == Input::Move || input == Input::Release;
    if (mouse && !over && !captured)
        return {s, log};
    const auto releaseSteps = [&] {
        s.pressed = s.hover = 0;
        if (code < 2) {
            log.push_back("repaint");
            if (over)
                log.push_back("Click");
        }
        log.push_back("MouseUp");
    };
    switch (input) {
        case Input::Press:
            if (!captured)
                log.push_back("capture+");
            if (code < 2) {
                s.pressed = 1;
                log.push_back("repaint");
            }
            log.push_back("MouseDown");
            break;
        case Input::Move:
            if (s.hover == 0) {
                s.pressed = code;
                s.hover = 1;
                log.insert(log.end(), {"capture-", "MouseIn", "repaint", "capture+"});
            } else if (!over) {
                s.pressed = s.hover = 0;
                log.insert(log.end(), {"MouseOut", "repaint", "capture-"});
            }
            log.push_back("MouseMove");
            break;
        case Input::Release:
            releaseSteps();
            if (captured)
                log.push_back("capture-");
            break;
        case Input::KeyDown:
            if (s.pressed == 0 && code == 32) {
                s.pressed = s.hover = 1;
                log.push_back("repaint");
            }
            log.push_back("KeyDown");
            break;
        case Input::KeyUp:
            if (code == 32) {
                log.push_back("repaint");
                code = 1;
                over = true;  // Space clicks the focused button wherever the pointer is
                releaseSteps();
            }
            log.push_back("KeyUp");
            break;
        case Input::AccessKey:
            if (enabled)
                log.push_back("Click");
            break;
        case Input::FocusIn:
            s.hover = 0;
            s.focused = 1;
            log.push_back("repaint");
            break;
        case Input::FocusOut:
            s = {0, 0, 0};
            log.push_back("repaint");
            break;
    }
    return {s, log};
}

std::string randomCaption(FuzzedDataProvider& in) {
    constexpr std::array<const char*, 12> kPieces = {
        "&", "&&", "a", "Б", " ", "\r\n", "\n", "Новая", "заправка", "OK", "€", "xxxxxxxxxxxx"};
    if (in.ConsumeIntegralInRange(0, 7) == 0)
        return in.ConsumeRandomLengthString(24);
    std::string caption;
    const int count = in.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < count; ++i)
        caption += kPieces[in.ConsumeIntegralInRange<std::size_t>(0, kPieces.size() - 1)];
    return caption;
}

// Settings that change what a repaint draws.
void changeLook(FuzzedDataProvider& in, Platform& p) {
    XpbControl& c = *p.control;
    switch (in.ConsumeIntegralInRange(0, 5)) {
        case 0:
            c.setCaption(randomCaption(in));
            break;
        case 1:
            c.setButtonStyle(in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 3)
                                              : in.ConsumeIntegral<std::int32_t>());
            break;
        case 2:
            c.setShowFocusRect(in.ConsumeBool());
            break;
        case 3: {
            const auto kind =
                in.ConsumeBool() ? zoltrek::Picture::Kind::Bitmap : zoltrek::Picture::Kind::Icon;
            c.setPicture(in.ConsumeBool() ? nullptr
                                          : std::make_shared<TestPicture>(
                                                kind, in.ConsumeIntegralInRange(1, 100),
                                                in.ConsumeIntegralInRange(1, 70),
                                                in.ConsumeIntegral<std::uint32_t>() & 0xFFFFFF));
            break;
        }
        case 4:
            c.setPicturePosition(in.ConsumeIntegralInRange(-1, 4));
            break;
        case 5:
            p.resize(in.ConsumeIntegralInRange(0, 160), in.ConsumeIntegralInRange(0, 60));
            break;
    }
}

// Sends one input the way the toolkit would; false when the button never got it.
bool deliver(FuzzedDataProvider& in, Platform& p, Input& input, int& code) {
    XpbControl& c = *p.control;
    // The control only passes these on, so they cost the fuzzer no bytes.
    constexpr std::int16_t kShift = 1;
    constexpr float kX = 5, kY = 6;
    constexpr std::array<int, 3> kButtons = {1, 2, 4};
    constexpr std::array<int, 6> kKeys = {32, 32, 13, 27, 65, 9};
    switch (input) {
        case Input::Move:
            p.over = in.ConsumeBool();
            code = p.held;
            if (!p.mouseReaches())
                return false;
            c.mouseMoved(static_cast<std::int16_t>(code), kShift, kX, kY);
            return true;
        case Input::Press:
        case Input::Release: {
            code = kButtons[in.ConsumeIntegralInRange<std::size_t>(0, kButtons.size() - 1)];
            const bool down = (p.held & code) != 0;
            if (down == (input == Input::Press))
                return false;
            p.held ^= code;
            if (!p.mouseReaches())
                return false;
            // A press holds the mouse for the button until every button is up again.
            p.pressing = p.held != 0;
            if (input == Input::Press)
                c.mousePressed(static_cast<std::int16_t>(code), kShift, kX, kY);
            else
                c.mouseReleased(static_cast<std::int16_t>(code), kShift, kX, kY);
            return true;
        }
        case Input::KeyDown:
        case Input::KeyUp:
            code = in.ConsumeBool() ? kKeys[in.ConsumeIntegralInRange<std::size_t>(0, 5)]
                                    : in.ConsumeIntegral<std::int16_t>();
            if (!p.on || !p.focused)
                return false;
            if (input == Input::KeyDown)
                c.keyPressed(static_cast<std::int16_t>(code), kShift);
            else
                c.keyReleased(static_cast<std::int16_t>(code), kShift);
            return true;
        case Input::AccessKey:
            c.accessKeyPressed();
            return true;
        case Input::FocusIn:
            if (!p.on || p.focused)
                return false;
            p.focused = true;
            c.focusEntered();
            return true;
        case Input::FocusOut:
            if (!p.focused)
                return false;
            p.loseFocus();
            return true;
    }
    return false;
}

void checkBytes(const Platform& p) {
    const Bytes s = bytesOf(*p.control);
    require(s.focused <= 1 && s.hover <= 1, "Focused and Hover are 0 or 1");
    require(s.pressed <= 7, "Pressed is 0, 1 or the mouse buttons held");
    require(p.on || (s.focused == 0 && s.pressed == 0 && s.hover == 0),
            "a disabled button shows neither focus, nor hover, nor a press");
    require(p.on || !p.captured, "a disabled button never holds the mouse");
}

void step(FuzzedDataProvider& in, Platform& p) {
    const int choice = in.ConsumeIntegralInRange(0, 11);
    if (choice >= 8) {
        switch (choice) {
            case 8:
                p.control->setEnabledCtrl(in.ConsumeBool());
                require(bytesOf(*p.control).pressed == 0 && bytesOf(*p.control).hover == 0,
                        "writing EnabledCtrl clears the look");
                break;
            case 9:
                p.dropCapture();
                if (in.ConsumeBool())
                    p.loseFocus();
                require(bytesOf(*p.control).pressed == 0 && bytesOf(*p.control).hover == 0,
                        "a button that lost the mouse shows no hover and no press");
                break;
            default:
                changeLook(in, p);
                break;
        }
        return;
    }
    Input input = static_cast<Input>(choice);
    const Bytes before = bytesOf(*p.control);
    const bool enabled = p.on;
    p.log.clear();
    p.reacted = false;
    int code = 0;
    const bool captured = p.captured;
    if (!deliver(in, p, input, code))
        return;
    const auto clicks = std::count(p.log.begin(), p.log.end(), "Click");
    require(clicks <= 1, "one input raises Click once at most");
    if (!p.control) {
        require(p.log.back() == "Click", "nothing is raised after the handler destroyed it");
        return;
    }
    if (p.reacted && p.reaction != Reaction::Nothing)
        return;
    const Expected want = expect(before, input, code, p.over, captured, enabled);
    const Bytes after = bytesOf(*p.control);
    require(after.focused == want.after.focused && after.pressed == want.after.pressed &&
                after.hover == want.after.hover,
            "the state follows the transition table");
    require(p.log == want.log, "events, repaints and the capture follow the transition table");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Platform p;
    p.reaction = static_cast<Reaction>(in.ConsumeIntegralInRange(0, 4));
    p.control->setButtonStyle(in.ConsumeIntegralInRange(0, 3));
    p.control->setShowFocusRect(in.ConsumeBool());
    p.control->setCaption(randomCaption(in));
    p.control->CalcSize();

    for (int i = 0; i < 96 && in.remaining_bytes() > 0; ++i) {
        step(in, p);
        if (!p.control) {
            // The platform makes a new button in its place.
            p.control = std::make_unique<XpbControl>(p, p);
            p.on = true;
            p.pressing = false;
            p.held = 0;
            p.control->CalcSize();
        }
        checkBytes(p);
    }
    return 0;
}
