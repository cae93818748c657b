#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "accesskeys.h"
#include "layout.h"
#include "testcanvas.h"
#include "textlayout.h"
#include "units.h"
#include "xpbcontrol.h"

namespace zoltrek {
namespace {

using test::MemoryCanvas, test::TestPicture;
using Drawn = MemoryCanvas::Drawn;
constexpr std::size_t none = std::string::npos;
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
    void setCapture() override { add("capture+"); }
    void releaseCapture() override { add("capture-"); }
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
        out << (log.empty() ? "" : " ") << name;
        [[maybe_unused]] const char* sep = "(";
        ((out << sep << args, sep = ","), ...);
        log += out.str() + (sizeof...(args) ? ")" : "");
    }

    // Steps such as "m1 D32": an input letter and a code (Shift 4, X 5, Y 6), a capital with the
    // pointer off the button; "|" clears the log, "k" too and has the next Click destroy it.
    Rig& run(const std::string& steps) {
        using C = XpbControl&;
        using I = std::int16_t;
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
    // Reads the design, then takes the steps.
    Rig& look(const PropertyBag& design, const std::string& steps = "") {
        control->readProperties(design, "");
        return run(steps);
    }

    int w, h;
    bool on = true, over = true, resizable = true, remeasures = true, destroyOnClick = false;
    MemoryCanvas canvas;
    std::optional<MemoryCanvas> stage;
    std::string log;
    std::unique_ptr<XpbControl> control = std::make_unique<XpbControl>(*this, *this);
};

// Pixels where columns xs cross rows ys, a word a row, as letters for face, white, black, inverted
// face, XP frame, disabled XP fill, frame and corners, magenta, red, the ring and its shades.
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

// Names match without case, values go back whole in write order, and defaults are not stored;
// writes repaint but the ring colours'; a picture sets the size; disabling clears the look.
TEST(XpbProperties, StoredRepaintedAndDisabled) {
    Rig rig;
    XpbControl& c = *rig.control;
    const PictureRef icon = std::make_shared<TestPicture>(Picture::Kind::Icon, 16, 24, 0);
    const PropertyBag stored{{"caption", std::string("&ОК")},
                             {"pictureposition", 3},
                             {"buttonstyle", 3},
                             {"picture", icon},
                             {"picturewidth", 20},  // not the picture's own size
                             {"pictureheight", 20},
                             {"enabled", false},
                             {"showfocusrect", false},
                             {"xpcolor_pressed", Colour{0x1}},
                             {"xpcolor_hover", Colour{0x2}},
                             {"xpdefaultcolors", false},
                             {"maskcolor", Colour{0x80000005}},
                             {"usemaskcolor", true}};
    c.readProperties(stored, "XpB1");
    EXPECT_EQ(c.accessKey(), U'о');
    PropertyBag out;
    c.writeProperties(out, "XpB1");
    ASSERT_EQ(out.names(), stored.names());
    for (const std::string& name : stored.names())
        EXPECT_TRUE(*out.find(name) == *stored.find(name)) << name;
    c.readProperties(PropertyBag{}, "XpB1");
    c.writeProperties(out, "XpB1");
    EXPECT_EQ(out.names(), std::vector<std::string>{});
    rig.log.clear();
    c.setPicture(icon);
    c.setPicture(nullptr);
    c.setXPColor_Hover(Colour{5});
    c.setCaption("Save && E&xit");
    EXPECT_EQ(std::tuple(c.state().PictureWidth, c.state().PictureHeight, rig.log, c.accessKey()),
              std::tuple(16, 24, "repaint repaint repaint", U'x'));
    c.setButtonStyle(kStyleXP);
    rig.run("f m1 x");
    const XpbState& s = c.state();
    EXPECT_EQ(std::tuple(s.Focused, s.Pressed, s.Hover, rig.canvas.pixel(10, 10)),
              std::tuple(0, 0, 0, 0xE7E7E7u));
}

// A side below 10 pixels grows to 150 twips, whether or not the resize measures again.
TEST(CalcSize, GrowsBelowTenPixelsTo150Twips) {
    const std::tuple<int, int, bool, bool, int, int, const char*> rows[] = {
        // size, remeasured on resizing, resizable, size after, log
        {145, 25, true, true, 145, 25, "repaint"},
        {5, 25, true, true, 10, 25, "repaint repaint"},
        {145, 3, true, true, 145, 10, "repaint repaint"},
        {9, 9, false, true, 10, 10, "repaint repaint repaint"},
        // A surface that refuses to grow is measured once, not asked forever.
        {5, 5, true, false, 5, 5, "repaint"}};
    for (auto [w, h, remeasures, resizable, wantW, wantH, log] : rows) {
        Rig rig(w, h);
        rig.remeasures = remeasures, rig.resizable = resizable;
        rig.control->CalcSize();
        const XpbState& s = rig.control->state();
        EXPECT_EQ(std::tuple(s.ButtonWidth, s.ButtonHeight, rig.w, rig.h, rig.canvas.width()),
                  std::tuple(wantW, wantH, wantW, wantH, wantW))
            << w << "x" << h;
        EXPECT_EQ(std::tuple(s.FocusRect, rig.log),
                  std::tuple(Rect{4, 4, wantW - 4, wantH - 4}, log));
    }
}

// A row per transition: Focused, Pressed and Hover after the steps ("" once destroyed), the log.
TEST(XpbInput, TransitionTable) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"p1", "010", "repaint MouseDown(1,4,5,6)"},
        {"p2", "000", "MouseDown(2,4,5,6)"},
        // Entering marks the held button as pressed, any button.
        {"M3", "031", "capture- MouseIn(4) repaint capture+ MouseMove(3,4,5,6)"},
        {"m1 | M1", "000", "MouseOut(4) repaint capture- MouseMove(1,4,5,6)"},
        {"m1 | r1", "000", "repaint Click MouseUp(1,4,5,6)"},
        {"m1 | R1", "000", "repaint MouseUp(1,4,5,6)"},
        {"m1 | r2", "000", "MouseUp(2,4,5,6)"},
        {"f | d32", "111", "repaint KeyDown(32,4)"},
        {"f d32 | d32", "111", "KeyDown(32,4)"},
        {"f | d13", "100", "KeyDown(13,4)"},
        {"f d32 | u32", "100", "repaint repaint Click MouseUp(1,4,0,0) KeyUp(32,4)"},
        {"f d32 | u27", "111", "KeyUp(27,4)"},
        {"A", "000", "Click"},
        {"x | a", "000", ""},
        {"m1 | f", "110", "repaint"},
        {"f d32 | l", "000", "repaint"},
        // The platform took the capture away: the look is cleared, nothing is raised.
        {"m1 | c", "000", "repaint"},
        {"m0 | c", "000", "repaint"},
        {"f | c", "100", ""},
        // A Click handler that destroys its button ends the input there.
        {"p1 k r1", "", "repaint Click"},
        {"d32 k u32", "", "repaint repaint Click"}};
    for (auto [steps, after, log] : rows) {
        Rig rig;
        rig.run(steps);
        std::string look;
        if (const auto& c = rig.control)
            for (int b : {c->state().Focused, c->state().Pressed, c->state().Hover})
                look += std::to_string(b);
        EXPECT_EQ(std::pair(look, rig.log), std::pair(std::string(after), std::string(log)))
            << steps;
    }
}

// The ends of the conversions: the painter and the layout prove their middles.
TEST(Units, ChannelsClampAloneRoundingSaturates) {
    EXPECT_EQ(std::tuple(ShiftColor(0x0014FF0A, -25), ShiftColor(0x030201, INT32_MAX),
                         ShiftColor(0x030201, INT32_MIN), ShiftColor(0x8000000F, 0)),
              std::tuple(0x00E600u, 0xFFFFFFu, 0u, 0x0Fu));
    EXPECT_EQ(std::tuple(roundHalfEven(1e12), roundHalfEven(-1e12), himetricToPixels(-423)),
              std::tuple(INT32_MAX, INT32_MIN, -16));
}

// Access keys and the lines shown in a room: "|" between lines, "_" before the underlined one.
TEST(CaptionText, AccessKeyAndLinesShown) {
    const std::tuple<const char*, char32_t, int, std::string, int> rows[] = {
        {"&OK", U'o', 200, "_OK", 12},
        {"&A", U'a', 200, "_A", 6},
        {"Save && E&xit", U'x', 30, "Save|&|E_xit", 24},
        {"Save && Exit", 0, 200, "Save & Exit", 66},
        {"A&&B&&C&D", 0, 200, "A&B&C_D", 36},
        {"OK&", 0, 200, "OK", 12},
        {"&&&", 0, 200, "&", 6},
        {"&a&b", U'a', 200, "_ab", 12},
        {"З &Ё", U'ё', 200, "З _Ё", 18},
        {"", 0, 200, "", 0},
        {"Новая заправка", 0, 84, "Новая заправка", 84},
        {"Новая заправка", 0, 83, "Новая|заправка", 48},
        {"a b c d", 0, 18, "a b|c d", 18},
        {"a  b", 0, 6, "a|b", 6},
        {"one\r\ntwo", 0, 200, "one|two", 18},
        {"ab Статистика cd", 0, 30, "ab|Статистика|cd", 60},
        {"x\n\ny", 0, 200, "x||y", 6},
        {"  lead 😀", 0, 200, "  lead 😀", 48}};
    for (const auto& [caption, key, room, lines, width] : rows) {
        const TextBlock block = wrapText(stripMnemonics(caption), room, MemoryCanvas(1, 1));
        std::string got;
        for (TextLine l : block.lines)
            got += "|" + (l.underline == none ? l.text : l.text.insert(l.underline, "_"));
        got.erase(0, 1);
        const int count = 1 + std::ranges::count(lines, '|');
        EXPECT_EQ(std::tuple(SetAccessKeys(caption), got, block.width, block.height),
                  std::tuple(key, lines, width, 13 * count))
            << caption << " in " << room;
    }
}

// Characters are 2 pixels wide: a 19-character caption measures 38 + 2 margins = 40 by 13.
TEST(CalcLayout, PictureAndCaption) {
    const char* c40 = "abcdefghijklmnopqrs";
    const std::tuple<int, int, int, const char*, int, bool, Rect, Rect> rows[] = {
        // Block 16 + 4 + 40 = 60 centred in {4, 4, 96, 26}; caption top round(8.5) = 8.
        {100, 30, kPictureLeft, c40, 16, true, {20, 7, 36, 23}, {40, 8, 80, 21}},
        {100, 30, kPictureRight, c40, 16, true, {64, 7, 80, 23}, {20, 8, 60, 21}},
        // Block 16 + 4 + 13 = 33 high: round(4 + (22 - 33) / 2) = round(-1.5) = -2.
        {100, 30, kPictureAbove, c40, 16, true, {42, -2, 58, 14}, {30, 18, 70, 31}},
        {100, 30, kPictureBelow, c40, 16, true, {42, 15, 58, 31}, {30, -2, 70, 11}},
        {100, 30, 7, c40, 16, true, {1, 2, 3, 4}, {30, 8, 70, 21}},              // other value
        {100, 30, kPictureLeft, c40, 16, false, {1, 2, 3, 4}, {30, 8, 70, 21}},  // no picture
        {101, 31, kPictureLeft, "", 16, true, {42, 8, 58, 24}, {}},              // no caption
        // Beyond 16 bits the pair is still placed, never an overflow.
        {100, 30, 1, c40, 40000, true, {-19972, 7, 20028, 23}, {20032, 8, 20072, 21}}};
    MemoryCanvas canvas(1, 1);
    canvas.charWidth = 2;
    for (const auto& [w, h, position, caption, pw, picture, pictureRect, captionRect] : rows) {
        XpbState s;
        s.ButtonWidth = w, s.ButtonHeight = h, s.PicturePosition = position;
        s.Caption = caption, s.PictureWidth = pw, s.PictureHeight = 16;
        if (picture)
            s.Picture = std::make_shared<TestPicture>(Picture::Kind::Icon, 1, 1, 0);
        // A rectangle that nothing places is left as it was.
        const XpbLayout l = CalcLayout(s, {{1, 2, 3, 4}, {}}, canvas);
        EXPECT_EQ(std::pair(l.PictureRect, l.CaptionRect), std::pair(pictureRect, captionRect))
            << position << " " << caption << " " << pw;
    }
}

// The frame, raised, sunken or none, and the focus rectangle's dots, of the other styles.
TEST(Paint, FrameAndFocusRectangleByState) {
    const char* raised = "WWWWWWWW WFFFFFFK WFFFFFFK WFFFFFFK WFFFFFFK WFFFFFFK WKKKKKKK";
    const char* sunken = "KKKKKKKK KFFFFFFW KFFFFFFW KFFFFFFW KFFFFFFW KFFFFFFW KWWWWWWW";
    const char* flat = "FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF FFFFFFFF";
    const char* dotted = "FFFFFFFF FFFFFFFF FFiFiFFF FFFFFiFF FFFiFiFF FFFFFFFF FFFFFFFF";
    const std::tuple<int, bool, const char*, const char*> rows[] = {
        // ButtonStyle, ShowFocusRect, steps
        {0, true, "", raised},   {1, true, "", flat},     {1, true, "m0", raised},
        {0, true, "m1", sunken}, {1, true, "m2", raised}, {1, true, "f", dotted},
        {1, false, "f", flat}};
    for (auto [style, show, steps, look] : rows) {
        Rig rig(30, 20);
        rig.look({{"buttonstyle", style}, {"showfocusrect", show}}, steps);
        EXPECT_EQ(art(rig, {0, 1, 4, 5, 6, 25, 28, 29}, {0, 1, 4, 5, 15, 18, 19}), look)
            << style << show << steps;
    }
}

// Pressed moves the caption a pixel; disabled, it is a highlight copy under a shadow one.
TEST(Paint, CaptionPlaceColourAndDisabledCopies) {
    const std::string text = "Новая заправка";  // the access key is underlined
    const std::pair<const char*, std::vector<Drawn>> rows[] = {
        {"", {{text, 31, 6, kBlack}}},
        {"p1", {{text, 32, 7, kBlack}}},
        {"x", {{text, 32, 7, kWhite}, {text, 31, 6, kShadow}}}};
    for (const auto& [steps, drawn] : rows)
        EXPECT_EQ(Rig().look({{"caption", "&" + text}}, steps).canvas.drawn, drawn) << steps;
}

// A bitmap leaves out its mask colour, the top-left one unless told; the stored width wins.
TEST(Paint, BitmapWithoutItsMaskColour) {
    auto bitmap = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 16, 16, kMagenta);
    bitmap->pixels[8 * 16 + 8] = kRed;
    const std::tuple<int, Rgb, Rgb, int, const char*> rows[] = {
        // UseMaskColor, MaskColor before and after, PictureWidth, the bitmap's row 8
        {0, 0, kMagenta, 16, "FFFRFFF"},
        {-1, kRed, kRed, 16, "FMMFMMF"},
        // A system colour reference is compared as stored: nothing is left out.
        {-1, 0x80000000 | kRed, 0x80000000 | kRed, 16, "FMMRMMF"},
        {0, 0, kMagenta, 20, "FFRFFWW"}};
    for (const auto& [useMask, mask, maskAfter, width, row] : rows) {
        Rig rig(100, 30);
        rig.look({{"picture", bitmap},
                  {"picturewidth", width},
                  {"pictureheight", 16},
                  {"usemaskcolor", useMask},
                  {"maskcolor", Colour{mask}}});
        EXPECT_EQ(std::pair(art(rig, {41, 42, 48, 50, 55, 57, 58}, {15}), rig.control->MaskColor()),
                  std::pair(std::string(row), Colour{maskAfter}));
    }
    // A bitmap larger than the designed staging surface is copied whole.
    const PictureRef big = std::make_shared<TestPicture>(Picture::Kind::Bitmap, 100, 60, kRed);
    Rig large(140, 80);
    large.look(
        {{"picture", big}, {"picturewidth", 100}, {"pictureheight", 60}, {"usemaskcolor", -1}});
    EXPECT_EQ(large.canvas.pixel(119, 69), kRed);
}

// Icons are scaled to the stored size and moved by a press; disabled pictures are embossed.
TEST(Paint, IconsScaledAndMovedByAPressDisabledPicturesEmbossed) {
    const PictureRef icon = std::make_shared<TestPicture>(Picture::Kind::Icon, 16, 16, kRed);
    const std::pair<const char*, Drawn> rows[] = {{"p1", {"scaled", 16, 16, 0, 0, {43, 8, 59, 24}}},
                                                  {"x", {"disabled", 42, 7}}};
    for (const auto& [steps, drawn] : rows) {
        Rig rig(100, 30);
        rig.look({{"picture", icon}, {"picturewidth", 16}, {"pictureheight", 16}}, steps);
        EXPECT_EQ(std::pair(rig.canvas.drawn, rig.control->layout().PictureRect),
                  std::pair(std::vector{drawn}, Rect{42, 7, 58, 23}))
            << "put back after drawing";
    }
}

// The XP frame, gradient, ring and corners by state; disabled, a flat fill and frame.
TEST(XPFace, GradientRingAndCornersByState) {
    const char* ringed = "FFDDDDFF FKttttKF DssssssD DrSssSrD DrSrrSrD DrrrrrrD FKddddKF FFDDDDFF";
    const char* plain = "FFDDDDFF FK....KF D......D D......D D......D D......D FK....KF FFDDDDFF";
    const char* disabled =
        "FFffffFF FcggggcF fggggggf fggggggf fggggggf fggggggf FcggggcF FFffffFF";
    const std::tuple<bool, bool, const char*, Rgb, int, const char*> rows[] = {
        // XPDefaultColors, enabled, steps, the ring's colour, the grey of row 10
        {true, true, "f", kRing, 230, ringed},    {true, true, "f m0", kHoverRing, 230, ringed},
        {true, true, "", kRing, 230, plain},      {true, true, "f m1", kHoverRing, 211, plain},
        {false, true, "f", kShadow, 230, ringed}, {false, true, "m0", 0x123456, 230, ringed},
        {true, false, "", kRing, 231, disabled}};
    for (auto [defaults, enabled, steps, ring, grey, look] : rows) {
        Rig rig(30, 20);
        rig.look({{"buttonstyle", 3},
                  {"enabled", enabled},
                  {"xpdefaultcolors", defaults},
                  {"xpcolor_pressed", Colour{0x80000010}},
                  {"xpcolor_hover", Colour{0x123456}}},
                 steps);
        EXPECT_EQ(art(rig, {0, 1, 2, 3, 26, 27, 28, 29}, {0, 1, 2, 3, 16, 17, 18, 19}, ring), look)
            << defaults << enabled << steps;
        EXPECT_EQ(rig.canvas.pixel(10, 10), rgb(grey, grey, grey));
        EXPECT_EQ(rig.canvas.pixel(4, 4), rig.canvas.pixel(5, 4)) << "no focus rectangle";
        // Only an enabled paint puts the built-in colours back.
        const bool reset = defaults && enabled;
        EXPECT_EQ(std::pair(rig.control->XPColor_Pressed(), rig.control->XPColor_Hover()),
                  std::pair(Colour{reset ? 0x00E6AA8Cu : 0x80000010u},
                            Colour{reset ? 0x004799E1u : 0x123456u}));
    }
    // The gradient's step is single precision: 50 / 12 * 9 is 37.4999985, so row 9 is 255 - 37.
    Rig low(30, 12);
    EXPECT_EQ(low.look({{"buttonstyle", 3}}).canvas.pixel(10, 9), 0xDADADAu);
}

}  // namespace
}  // namespace zoltrek
