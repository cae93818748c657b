#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "base/units.h"
#include "controls/xpb/core/accesskeys.h"
#include "controls/xpb/core/layout.h"
#include "controls/xpb/core/textlayout.h"
#include "controls/xpb/core/xpbcontrol.h"
#include "support/testcanvas.h"

namespace zoltrek {
namespace {

using test::MemoryCanvas, test::TestPicture;
using Drawn = MemoryCanvas::Drawn;
constexpr std::size_t kNone = std::string::npos;
constexpr Rgb kFace = 0xF0F0F0, kWhite = 0xFFFFFF, kBlack = 0, kShadow = 0xA0A0A0;
constexpr Rgb kRing = rgb(140, 170, 230), kHoverRing = rgb(225, 153, 71);
constexpr Rgb kMagenta = rgb(255, 0, 255), kRed = rgb(255, 0, 0);

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
    Canvas& staging(std::int32_t sw, std::int32_t sh) override { return stage.emplace(sw, sh); }
    bool pointerOver() const override { return over; }
    bool holdsCapture() const override { return captured; }
    void setCapture() override { add("capture+"), captured = true; }
    void releaseCapture() override { add("capture-"), captured = false; }
    // Resizing measures the control again, as the platform does, unless told otherwise.
    void resize(int nw, int nh) {
        if (!resizable || (nw == w && nh == h))
            return;
        w = nw, h = nh;
        if (remeasures)
            control->CalcSize();
    }

    using I = std::int16_t;
    void Click() override {
        add("Click");
        if (destroyOnClick)
            control.reset();
    }
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
        ((out << (out.tellp() > 0 ? "," : "(") << args), ...);
        log += (log.empty() ? "" : " ") + (name + out.str()) + (sizeof...(args) ? ")" : "");
    }

    // Steps like "m1 D32", capitals off the button; "|" clears the log, "k" also kills on Click.
    Rig& run(const std::string& steps) {
        using C = XpbControl&;
        void (*const send[])(C, I) = {[](C c, I b) { c.mousePressed(b, 4, 5, 6); },
                                      [](C c, I b) { c.mouseMoved(b, 4, 5, 6); },
                                      [](C c, I b) { c.mouseReleased(b, 4, 5, 6); },
                                      [](C c, I k) { c.keyPressed(k, 4); },
                                      [](C c, I k) { c.keyReleased(k, 4); },
                                      [](C c, I) { c.accessKeyPressed(); },
                                      [](C c, I) { c.focusEntered(); },
                                      [](C c, I) { c.focusLeft(); },
                                      [](C c, I) { c.setEnabledCtrl(false); },
                                      [](C c, I) { c.captureLost(); }};
        std::istringstream in(steps);
        for (std::string s; in >> s;) {
            over = std::islower(s[0]);
            if (s == "|" || s == "k")
                log.clear(), destroyOnClick = s == "k";
            else
                send[std::string("pmrduaflxc").find(std::tolower(s[0]))](*control,
                                                                         I(std::atoi(&s[1])));
        }
        return *this;
    }
    Rig& look(const PropertyBag& design, const std::string& steps = "") {
        control->readProperties(design, "");
        return run(steps);
    }

    int w, h;
    bool on = true, over = true, captured = false, resizable = true, remeasures = true,
         destroyOnClick = false;
    MemoryCanvas canvas;
    std::optional<MemoryCanvas> stage;
    std::string log;
    std::unique_ptr<XpbControl> control = std::make_unique<XpbControl>(*this, *this);
};

// Pixels where columns xs cross rows ys, a word a row, each as its letter below ('.' if none).
std::string art(const Rig& rig, std::vector<int> xs, std::vector<int> ys, Rgb ring = kRing) {
    std::map<Rgb, char> letters = {
        {kFace, 'F'},    {kWhite, 'W'},   {kBlack, 'K'},   {0x0F0F0F, 'i'}, {0x696969, 'D'},
        {0xE7E7E7, 'g'}, {0xABABAB, 'f'}, {0xB7B7B7, 'c'}, {kMagenta, 'M'}, {kRed, 'R'}};
    for (auto [shift, c] : {std::pair(0, 'r'), {-40, 'd'}, {90, 't'}, {35, 's'}, {20, 'S'}})
        letters.emplace(ShiftColor(ring, shift), c);
    std::string out;
    for (int y : ys) {
        out += out.empty() ? "" : " ";
        for (int x : xs)
            out += letters.contains(rig.canvas.pixel(x, y)) ? letters[rig.canvas.pixel(x, y)] : '.';
    }
    return out;
}

// Settings go back whole, by the name read, in write order; no settings read as the defaults,
// written as nothing; writes repaint but the ring colours' and switch's; a picture brings its size.
TEST(XpbProperties, ReadBackWrittenAndRepainted) {
    Rig rig;
    const PictureRef icon = std::make_shared<TestPicture>(Picture::Kind::Icon, 16, 24, 0);
    const PropertyBag stored{{"caption", std::string("&ОК")},
                             {"pictureposition", 3},
                             {"buttonstyle", 3},
                             {"picture", icon},
                             {"picturewidth", 20},
                             {"pictureheight", 20},
                             {"enabled", false},
                             {"showfocusrect", false},
                             {"xpcolor_pressed", Colour{1}},
                             {"xpcolor_hover", Colour{2}},
                             {"xpdefaultcolors", false},
                             {"maskcolor", Colour{0x80000005}},
                             {"usemaskcolor", true}};
    XpbControl& c = *rig.control;
    c.readProperties(stored, "XpB1");
    PropertyBag out;
    c.writeProperties(out, "XpB1");
    ASSERT_EQ(out.names(), stored.names());
    for (const std::string& name : stored.names())
        EXPECT_TRUE(*out.find(name) == *stored.find(name)) << name;
    // The stored picture size stands even where the picture's own differs.
    EXPECT_EQ(std::tuple(c.accessKey(), c.state().PictureWidth), std::tuple(U'о', 20));
    c.readProperties(PropertyBag{}, "XpB1");
    c.writeProperties(out, "XpB1");
    EXPECT_EQ(std::tuple(out.names(), c.Caption(), c.EnabledCtrl()),
              std::tuple(std::vector<std::string>{}, "XpB1", true));
    rig.log.clear();
    c.setPicture(icon);
    c.setPicture(nullptr);
    c.setXPColor_Hover(Colour{5}), c.setXPColor_Pressed(Colour{6}), c.setXPDefaultColors(false);
    c.setCaption("Save && E&xit");
    EXPECT_EQ(std::tuple(c.state().PictureWidth, c.state().PictureHeight, rig.log, c.accessKey()),
              std::tuple(16, 24, "repaint repaint repaint", U'x'));
    EXPECT_EQ(std::tuple(c.XPColor_Hover(), c.XPColor_Pressed(), c.XPDefaultColors()),
              std::tuple(Colour{5}, Colour{6}, false));
}

// A side below 10 pixels grows to 150 twips, whether or not the resize measures again.
TEST(CalcSize, GrowsBelowTenPixelsTo150Twips) {
    const std::tuple<const char*, int, int, bool, bool, int, int, const char*> rows[] = {
        // name, size, remeasured on resizing, resizable, size after, log
        {"a narrow one widens", 5, 25, true, true, 10, 25, "repaint repaint"},
        {"measured here, not on resizing", 9, 9, false, true, 10, 10, "repaint repaint repaint"},
        {"one that refuses to grow is asked once", 5, 5, true, false, 5, 5, "repaint"}};
    for (auto [name, w, h, remeasures, resizable, wantW, wantH, log] : rows) {
        Rig rig(w, h);
        rig.remeasures = remeasures, rig.resizable = resizable;
        rig.control->CalcSize();
        const XpbState& s = rig.control->state();
        EXPECT_EQ(std::tuple(s.FocusRect, rig.w, rig.h, rig.canvas.w, rig.log),
                  std::tuple(Rect{4, 4, wantW - 4, wantH - 4}, wantW, wantH, wantW, log))
            << name;
    }
}

// Focused, Pressed and Hover after the steps ("" once destroyed), and the log of the last ones.
TEST(XpbInput, TransitionTable) {
    const std::tuple<const char*, const char*, std::string, std::string> rows[] = {
        {"a left press captures and presses", "p1", "010", "capture+ repaint MouseDown(1,4,5,6)"},
        {"another press only reports", "m0 | p2", "001", "MouseDown(2,4,5,6)"},
        {"the press's capture brings a movement off it, which enters", "p2 | M3", "031",
         "capture- MouseIn(4) repaint capture+ MouseMove(3,4,5,6)"},
        {"leaving lets go", "m1 | M1", "000", "MouseOut(4) repaint capture- MouseMove(1,4,5,6)"},
        {"a release over it clicks", "m1 | r1", "000", "repaint Click MouseUp(1,4,5,6) capture-"},
        {"a release off it does not click", "m1 | R1", "000", "repaint MouseUp(1,4,5,6) capture-"},
        {"another release only reports", "m1 | r2", "000", "MouseUp(2,4,5,6) capture-"},
        {"after a click, a jump away is not an entering", "m0 p1 r1 | M0 P1", "000", ""},
        {"Space presses", "f | d32", "111", "repaint KeyDown(32,4)"},
        {"a repeated Space only reports", "f d32 | d32", "111", "KeyDown(32,4)"},
        {"another key only reports", "f | d13", "100", "KeyDown(13,4)"},
        {"Space let go clicks wherever the pointer is", "f D32 | U32", "100",
         "repaint repaint Click MouseUp(1,4,0,0) KeyUp(32,4)"},
        {"the access key of a disabled button does not", "x | a", "000", ""},
        {"the focus clears the hover", "m1 | f", "110", "repaint"},
        {"disabling clears the look", "f m1 | x", "000", "repaint"},
        {"losing the focus clears all", "f d32 | l", "000", "repaint"},
        {"a lost capture clears the hover", "m0 | c", "000", "repaint"},
        {"a lost capture without a look does nothing", "f | c", "100", ""},
        {"a destroying Click ends a release", "p1 k r1", "", "repaint Click"},
        {"a destroying Click ends a Space", "d32 k u32", "", "repaint repaint Click"}};
    for (auto [name, steps, after, log] : rows) {
        Rig rig;
        rig.run(steps);
        std::string look;
        if (const auto& c = rig.control)
            for (int b : {c->state().Focused, c->state().Pressed, c->state().Hover})
                look += std::to_string(b);
        EXPECT_EQ(std::pair(look, rig.log), std::pair(after, log)) << name;
    }
}

// Colour channels and unit conversions saturate; the painter and the layout prove the middles.
TEST(Units, ColoursClampAndConversionsRound) {
    EXPECT_EQ(std::tuple(ShiftColor(0x0014FF0A, -25), ShiftColor(0x030201, INT32_MAX),
                         ShiftColor(0x030201, INT32_MIN), ShiftColor(0x8000000F, 0)),
              std::tuple(0x00E600u, 0xFFFFFFu, 0u, 0x0Fu));
    EXPECT_EQ(std::tuple(roundHalfEven(1e12), roundHalfEven(-1e12), himetricToPixels(-423)),
              std::tuple(INT32_MAX, INT32_MIN, -16));
    EXPECT_EQ(std::tuple(twipsToPixels(150), twipsToPixels(7), twipsToPixels(8), twipsToPixels(-8)),
              std::tuple(10, 0, 1, -1));
}

// The access key is the first marked character in lower case, looked for at two places only;
// lines shown in a room, "|" between them, "_" before the underlined character.
TEST(Caption, AccessKeyAndLinesWithinTheRoom) {
    const std::tuple<const char*, const char*, char32_t, int, std::string, int> rows[] = {
        {"a two-character caption, a Latin capital", "&A", U'a', 200, "_A", 6},
        {"a word a line past a doubled ampersand", "Save && E&xit", U'x', 30, "Save|&|E_xit", 24},
        {"none without a mark", "Save && Exit", 0, 200, "Save & Exit", 66},
        {"none at the third place", "A&&B&&C&D", 0, 200, "A&B&C_D", 36},
        {"a last ampersand shows nothing", "OK&", 0, 200, "OK", 12},
        {"an ampersand shown is no mark", "&&&", 0, 200, "&", 6},
        {"the first of two marks", "&a&b", U'a', 200, "_ab", 12},
        {"a Cyrillic capital", "З &Ё", U'ё', 200, "З _Ё", 18},
        {"the times sign is no letter", "&×", U'×', 200, "_×", 6},
        {"a line a pixel too wide breaks", "Новая заправка", 0, 83, "Новая|заправка", 48},
        {"several words share a line", "a b c d", 0, 18, "a b|c d", 18},
        {"spaces at a break are dropped", "a  b", 0, 6, "a|b", 6},
        {"CR LF ends a line", "one\r\ntwo", 0, 200, "one|two", 18},
        {"a wide word stays whole", "ab Статистика cd", 0, 30, "ab|Статистика|cd", 60},
        {"an empty line is kept", "x\n\ny", 0, 200, "x||y", 6},
        {"leading spaces are kept", "  lead 😀", 0, 200, "  lead 😀", 48}};
    for (const auto& [name, caption, key, room, lines, width] : rows) {
        const TextBlock block = wrapText(stripMnemonics(caption), room, MemoryCanvas(1, 1));
        std::string got;
        for (TextLine l : block.lines)
            got += "|" + (l.underline == kNone ? l.text : l.text.insert(l.underline, "_"));
        const int count = 1 + std::ranges::count(lines, '|');
        EXPECT_EQ(std::tuple(SetAccessKeys(caption), got.substr(1), block.width, block.height),
                  std::tuple(key, lines, width, 13 * count))
            << name;
    }
}

// Characters are 2 pixels wide: a 19-character caption measures 38 + 2 margins = 40 by 13.
TEST(CalcLayout, PictureBesideTheCaption) {
    // name, pixels beyond 100 × 30, PicturePosition, a caption, a picture, PictureWidth
    const std::tuple<const char*, int, int, bool, bool, int, Rect, Rect> rows[] = {
        {"left", 0, kPictureLeft, true, true, 16, {20, 7, 36, 23}, {40, 8, 80, 21}},
        {"right", 0, kPictureRight, true, true, 16, {64, 7, 80, 23}, {20, 8, 60, 21}},
        {"above", 0, kPictureAbove, true, true, 16, {42, -2, 58, 14}, {30, 18, 70, 31}},
        {"below", 0, kPictureBelow, true, true, 16, {42, 15, 58, 31}, {30, -2, 70, 11}},
        {"another position", 0, 7, true, true, 16, {1, 2, 3, 4}, {30, 8, 70, 21}},
        {"no picture", 0, kPictureLeft, true, false, 16, {1, 2, 3, 4}, {30, 8, 70, 21}},
        {"no caption", 1, kPictureLeft, false, true, 16, {42, 8, 58, 24}, {5, 6, 7, 8}},
        {"beyond 16 bits", 0, 1, true, true, 40000, {-19972, 7, 20028, 23}, {20032, 8, 20072, 21}}};
    MemoryCanvas canvas(1, 1);
    canvas.charWidth = 2;
    for (const auto& [name, more, position, caption, picture, pw, picRect, capRect] : rows) {
        XpbState s;
        s.ButtonWidth = 100 + more, s.ButtonHeight = 30 + more, s.PicturePosition = position;
        s.Caption = caption ? "abcdefghijklmnopqrs" : "", s.PictureWidth = pw, s.PictureHeight = 16;
        s.Picture = picture ? std::make_shared<TestPicture>(Picture::Kind::Icon, 1, 1, 0) : nullptr;
        // What nothing places keeps its previous place.
        const XpbLayout l = CalcLayout(s, {{1, 2, 3, 4}, {5, 6, 7, 8}}, canvas);
        EXPECT_EQ(std::pair(l.PictureRect, l.CaptionRect), std::pair(picRect, capRect)) << name;
    }
}

// The other styles' frame, raised, sunken or none, and the focus rectangle's dots.
TEST(Paint, OtherStylesByState) {
    const char* raised = "WWWWWWWW WFFFFFFK WFFFFFFK WFFFFFFK WFFFFFFK WFFFFFFK WKKKKKKK";
    const char* sunken = "KKKKKKKK KFFFFFFW KFFFFFFW KFFFFFFW KFFFFFFW KFFFFFFW KWWWWWWW";
    const char* flat = "FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF";
    const char* dotted = "FFFFFFFF FFFFFFFF FFiFiFFF FFFFFiFF FFFiFiFF FFFFFFFF FFFFFFFF";
    const std::tuple<const char*, int, bool, const char*, const char*> rows[] = {
        {"standard is raised", 0, true, "", raised},
        {"pressed is sunken", 0, true, "m1", sunken},
        {"hovered with another button is raised", 1, true, "m2", raised},
        {"focused shows the dots", 1, true, "f", dotted},
        {"no dots without ShowFocusRect", 1, false, "f", flat}};
    for (auto [name, style, show, steps, look] : rows) {
        Rig rig(30, 20);
        rig.look({{"buttonstyle", style}, {"showfocusrect", show}}, steps);
        EXPECT_EQ(art(rig, {0, 1, 4, 5, 6, 25, 28, 29}, {0, 1, 4, 5, 15, 18, 19}), look) << name;
    }
}

// The icon at its stored size; pressed, it and the caption move a pixel; disabled, both embossed.
TEST(Paint, ContentByState) {
    const std::string text = "Новая заправка";  // the access key is underlined
    const PictureRef icon = std::make_shared<TestPicture>(Picture::Kind::Icon, 24, 24, kRed);
    const PropertyBag design{
        {"caption", "&" + text}, {"picture", icon}, {"picturewidth", 16}, {"pictureheight", 16}};
    const std::tuple<const char*, const char*, std::vector<Drawn>> rows[] = {
        {"enabled", "", {{text, 41, 8, kBlack}, {"scaled", 16, 16, 0, 0, {20, 7, 36, 23}}}},
        {"pressed", "p1", {{text, 42, 9, kBlack}, {"scaled", 16, 16, 0, 0, {21, 8, 37, 24}}}},
        {"disabled", "x", {{text, 42, 9, kWhite}, {text, 41, 8, kShadow}, {"disabled", 20, 7}}}};
    for (const auto& [name, steps, drawn] : rows) {
        Rig rig(145, 30);
        rig.look(design, steps);
        EXPECT_EQ(std::pair(rig.canvas.drawn, rig.control->layout().PictureRect),
                  std::pair(drawn, Rect{20, 7, 36, 23}))
            << name;
    }
}

// A bitmap leaves out its mask colour, the top-left one unless told; the stored width wins.
TEST(Paint, BitmapWithoutItsMaskColour) {
    auto bitmap = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
    bitmap->pixels[8 * 16 + 8] = kRed;
    const std::tuple<const char*, int, Rgb, Rgb, int, const char*> rows[] = {
        // name, UseMaskColor, MaskColor before and after, PictureWidth, the bitmap's row 8
        {"the top-left colour", 0, 0, kMagenta, 16, "FFFRFFF"},
        {"the stored colour", -1, kRed, kRed, 16, "FMMFMMF"},
        {"a system colour as stored", -1, 0x80000000 | kRed, 0x80000000 | kRed, 16, "FMMRMMF"},
        {"the stored width", 0, 0, kMagenta, 20, "FFRFFWW"}};
    for (const auto& [name, useMask, mask, maskAfter, width, row] : rows) {
        Rig rig(100, 30);
        PropertyBag design{{"picture", bitmap}, {"picturewidth", width}, {"pictureheight", 16}};
        design.set("usemaskcolor", useMask), design.set("maskcolor", Colour{mask});
        rig.look(design);
        EXPECT_EQ(std::pair(art(rig, {41, 42, 48, 50, 55, 57, 58}, {15}), rig.control->MaskColor()),
                  std::pair(std::string(row), Colour{maskAfter}))
            << name;
    }
    // A bitmap larger than the designed staging surface is copied whole; no caption, no text.
    const PictureRef big = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 100, 60, kRed);
    Rig large(140, 80);
    large.look(
        {{"picture", big}, {"picturewidth", 100}, {"pictureheight", 60}, {"usemaskcolor", -1}});
    EXPECT_EQ(std::pair(large.canvas.pixel(119, 69), large.canvas.drawn),
              std::pair(kRed, std::vector<Drawn>{}));
}

// The XP frame, gradient, ring and corners by state; disabled, a flat fill and frame.
TEST(XPFace, LookByState) {
    const char* ringed = "FFDDDDFF FKttttKF DssssssD DrSssSrD DrSrrSrD DrrrrrrD FKddddKF FFDDDDFF";
    const char* plain = "FFDDDDFF FK....KF D......D D......D D......D D......D FK....KF FFDDDDFF";
    const char* flat = "FFffffFF FcggggcF fggggggf fggggggf fggggggf fggggggf FcggggcF FFffffFF";
    const std::tuple<const char*, bool, bool, const char*, Rgb, int, const char*> rows[] = {
        // name, XPDefaultColors, enabled, steps, the ring's colour, the grey of row 10
        {"hovered rings in the hover colour", true, true, "f m0", kHoverRing, 230, ringed},
        {"unfocused has no ring", true, true, "", kRing, 230, plain},
        {"pressed is darker, without a ring", true, true, "f m1", kHoverRing, 211, plain},
        {"the stored pressed colour", false, true, "f", kShadow, 230, ringed},
        {"the stored hover colour", false, true, "m0", 0x123456, 230, ringed},
        {"disabled is flat", true, false, "", kRing, 231, flat}};
    for (auto [name, defaults, enabled, steps, ring, grey, look] : rows) {
        Rig rig(30, 20);
        PropertyBag design{{"buttonstyle", 3}, {"enabled", enabled}, {"xpdefaultcolors", defaults}};
        design.set("xpcolor_pressed", Colour{0x80000010});
        design.set("xpcolor_hover", Colour{0x123456});
        rig.look(design, steps);
        // No focus dots; only an enabled paint puts the built-in colours back.
        const bool reset = defaults && enabled;
        const MemoryCanvas& c = rig.canvas;
        EXPECT_EQ(
            std::tuple(art(rig, {0, 1, 2, 3, 26, 27, 28, 29}, {0, 1, 2, 3, 16, 17, 18, 19}, ring),
                       c.pixel(10, 10), c.pixel(4, 4) == c.pixel(5, 4),
                       rig.control->XPColor_Pressed(), rig.control->XPColor_Hover()),
            std::tuple(look, rgb(grey, grey, grey), true, Colour{reset ? 0x00E6AA8Cu : 0x80000010u},
                       Colour{reset ? 0x004799E1u : 0x123456u}))
            << name;
    }
    // The gradient's step is single precision: 50 / 12 * 9 is 37.4999985, so row 9 is 255 - 37.
    Rig low(30, 12);
    EXPECT_EQ(low.look({{"buttonstyle", 3}}).canvas.pixel(10, 9), 0xDADADAu);
}

}  // namespace
}  // namespace zoltrek
