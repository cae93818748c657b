#include "controls/xpb/core/textlayout.h"

#include <algorithm>

namespace zoltrek {

namespace {

constexpr std::size_t kNone = std::string::npos;

std::size_t skipSpaces(std::string_view s, std::size_t pos, std::size_t end) {
    while (pos < end && s[pos] == ' ')
        ++pos;
    return pos;
}

// End of the word that follows `pos`, spaces before it included.
std::size_t nextWordEnd(std::string_view s, std::size_t pos, std::size_t end) {
    pos = skipSpaces(s, pos, end);
    while (pos < end && s[pos] != ' ')
        ++pos;
    return pos;
}

void addLine(TextBlock& block, const TextLine& text, std::size_t from, std::size_t to,
             const Canvas& canvas) {
    TextLine line{text.text.substr(from, to - from), kNone};
    if (text.underline != kNone && text.underline >= from && text.underline < to)
        line.underline = text.underline - from;
    block.width = std::max(block.width, canvas.textWidth(line.text));
    block.lines.push_back(std::move(line));
}

void wrapParagraph(TextBlock& block, const TextLine& text, std::size_t pos, std::size_t end,
                   std::int32_t maxWidth, const Canvas& canvas) {
    const std::string_view s = text.text;
    if (pos == end) {
        addLine(block, text, pos, end, canvas);
        return;
    }
    while (pos < end) {
        std::size_t lineEnd = nextWordEnd(s, pos, end);
        for (;;) {
            const std::size_t candidate = nextWordEnd(s, lineEnd, end);
            if (candidate == lineEnd || canvas.textWidth(s.substr(pos, candidate - pos)) > maxWidth)
                break;
            lineEnd = candidate;
        }
        addLine(block, text, pos, lineEnd, canvas);
        pos = skipSpaces(s, lineEnd, end);
    }
}

}  // namespace

TextLine stripMnemonics(std::string_view caption) {
    TextLine out;
    out.text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out.text.push_back(caption[i]);
            continue;
        }
        if (i + 1 == caption.size())
            break;
        if (caption[i + 1] == '&') {
            out.text.push_back('&');
        } else {
            if (out.underline == kNone)
                out.underline = out.text.size();
            out.text.push_back(caption[i + 1]);
        }
        ++i;
    }
    return out;
}

TextBlock wrapText(const TextLine& text, std::int32_t maxWidth, const Canvas& canvas) {
    TextBlock block;
    const std::string_view s = text.text;
    std::size_t start = 0;
    for (;;) {
        const std::size_t newline = s.find('\n', start);
        const std::size_t stop = newline == kNone ? s.size() : newline;
        const std::size_t end = (stop > start && s[stop - 1] == '\r') ? stop - 1 : stop;
        wrapParagraph(block, text, start, end, maxWidth, canvas);
        if (newline == kNone)
            break;
        start = newline + 1;
    }
    block.height = static_cast<std::int32_t>(block.lines.size()) * canvas.lineHeight();
    return block;
}

}  // namespace zoltrek
