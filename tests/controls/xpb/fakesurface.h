#pragma once

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "memorycanvas.h"
#include "surface.h"
#include "xpbcontrol.h"

namespace zoltrek::test {

// What a control did, in order: events raised, repaints and capture changes.
using Log = std::vector<std::string>;

class LoggingEvents : public XpbEvents {
  public:
    explicit LoggingEvents(Log& log) : log_(log) {}
    void Click() override { log_.push_back("Click"); }
    void KeyDown(std::int16_t k, std::int16_t s) override { add("KeyDown", k, s); }
    void KeyUp(std::int16_t k, std::int16_t s) override { add("KeyUp", k, s); }
    void MouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        add("MouseDown", b, s, x, y);
    }
    void MouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
        add("MouseMove", b, s, x, y);
    }
    void MouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        add("MouseUp", b, s, x, y);
    }
    void MouseIn(std::int16_t s) override { add("MouseIn", s); }
    void MouseOut(std::int16_t s) override { add("MouseOut", s); }

  private:
    template <typename... Args>
    void add(const char* name, Args... args) {
        std::ostringstream out;
        out << name << '(';
        const char* sep = "";
        ((out << sep << args, sep = ","), ...);
        out << ')';
        log_.push_back(out.str());
    }
    Log& log_;
};

// A surface in memory; resizing measures the control again, as the platform does.
class FakeSurface : public XpbSurface {
  public:
    FakeSurface(Log& log, std::int32_t width, std::int32_t height)
        : canvas(width, height), stage(83, 55), log_(log), width_(width), height_(height) {}

    bool enabled() const override { return enabled_; }
    void setEnabled(bool e) override { enabled_ = e; }
    std::int32_t width() const override { return width_; }
    std::int32_t height() const override { return height_; }
    void setWidthTwips(std::int32_t twips) override { resize(twips / 15, height_); }
    void setHeightTwips(std::int32_t twips) override { resize(width_, twips / 15); }
    Canvas& beginPaint() override {
        if (canvas.width() != width_ || canvas.height() != height_)
            canvas.resize(width_, height_);
        canvas.texts.clear();
        canvas.pictures.clear();
        return canvas;
    }
    void endPaint() override { log_.push_back("repaint"); }
    Canvas& staging(std::int32_t w, std::int32_t h) override {
        if (stage.width() < w || stage.height() < h)
            stage.resize(w, h);
        return stage;
    }
    bool pointerOver() const override { return over; }
    void setCapture() override {
        captured = true;
        log_.push_back("capture+");
    }
    void releaseCapture() override {
        captured = false;
        log_.push_back("capture-");
    }

    void resize(std::int32_t w, std::int32_t h) {
        if (!resizable || (w == width_ && h == height_))
            return;
        width_ = w;
        height_ = h;
        if (control && remeasures)
            control->CalcSize();
    }

    MemoryCanvas canvas;
    MemoryCanvas stage;
    XpbControl* control = nullptr;
    bool over = true;
    bool captured = false;
    bool resizable = true;
    bool remeasures = true;

  private:
    Log& log_;
    bool enabled_ = true;
    std::int32_t width_, height_;
};

// A control on a fake surface, logging into `log`.
struct Rig {
    explicit Rig(std::int32_t width = 145, std::int32_t height = 25)
        : surface(log, width, height), events(log), control(surface, events) {
        surface.control = &control;
    }
    std::size_t count(const std::string& entry) const {
        return static_cast<std::size_t>(std::count(log.begin(), log.end(), entry));
    }
    Log log;
    FakeSurface surface;
    LoggingEvents events;
    XpbControl control;
};

}  // namespace zoltrek::test
