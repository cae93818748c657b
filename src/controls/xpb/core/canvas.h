#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/propertybag.h"
#include "controls/xpb/core/colour.h"
#include "controls/xpb/core/rect.h"

namespace zoltrek {

// One line of a caption as shown: "&" markers already removed.
struct TextLine {
    std::string text;                           // UTF-8
    std::size_t underline = std::string::npos;  // byte offset of the underlined character
    friend bool operator==(const TextLine&, const TextLine&) = default;
};

// The drawing surface of a button, in its own pixels. Geometry is exact: no antialiasing.
class Canvas {
  public:
    // What reading a pixel outside the surface gives.
    static constexpr Rgb kInvalidPixel = 0xFFFFFFFFu;

    virtual ~Canvas() = default;

    virtual std::int32_t width() const = 0;
    virtual std::int32_t height() const = 0;
    virtual Rgb pixel(std::int32_t x, std::int32_t y) const = 0;
    // Outside the surface nothing happens.
    virtual void setPixel(std::int32_t x, std::int32_t y, Rgb colour) = 0;

    virtual void clear(Rgb colour);
    // Excludes the right column and bottom row; an empty or inverted rectangle paints nothing.
    virtual void fillRect(const Rect& r, Rgb colour);
    // A one-pixel frame along the rectangle's inner edge.
    void frameRect(const Rect& r, Rgb colour);
    // A horizontal or vertical line, which is all the button draws: the start point included,
    // the end point left out.
    void line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, Rgb colour);
    // The dotted focus rectangle, drawn by inverting every other pixel of the frame.
    void invertFocusRect(const Rect& r);
    // Copies a block of `source`, leaving out every pixel equal to `transparent`.
    void transparentCopy(const Canvas& source, const Rect& from, std::int32_t toX, std::int32_t toY,
                         std::uint32_t transparent);

    virtual std::int32_t lineHeight() const = 0;
    virtual std::int32_t textWidth(std::string_view text) const = 0;
    // Draws one line with its top-left at (x, y), without filling the text background.
    virtual void drawTextLine(std::int32_t x, std::int32_t y, const TextLine& line, Rgb colour) = 0;

    // Pictures are the toolkit's own; a canvas draws those it knows and ignores others.
    virtual void drawPicture(const Picture& picture, std::int32_t x, std::int32_t y) = 0;
    virtual void drawPictureScaled(const Picture& picture, const Rect& to, std::int32_t fromWidth,
                                   std::int32_t fromHeight) = 0;
    // The picture embossed in the disabled look: highlight one pixel down-right under shadow.
    virtual void drawPictureDisabled(const Picture& picture, std::int32_t x, std::int32_t y) = 0;
};

}  // namespace zoltrek
