#include "lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zoltrek {
namespace {

// Each line as "text@begin,textEnd,next", or "#" for a line too long to keep.
std::vector<std::string> split(std::string_view bytes, std::size_t piece, std::size_t maxText,
                               std::size_t stopAfter = 1000) {
    std::vector<std::string> lines;
    LineSplitter splitter(maxText);
    const LineSplitter::Sink sink = [&](const LineSplitter::Line& line) {
        EXPECT_EQ(line.index, lines.size());
        lines.push_back((line.tooLong ? "#" : std::string(line.text)) + "@" +
                        std::to_string(line.begin) + "," + std::to_string(line.textEnd) + "," +
                        std::to_string(line.next));
        return lines.size() < stopAfter;
    };
    for (std::size_t at = 0; at < bytes.size(); at += piece)
        if (!splitter.feed(bytes.substr(at, piece), sink))
            return lines;
    splitter.finish(sink);
    return lines;
}

// Whatever the pieces the file arrives in, a CR at the end of one among them.
TEST(LineSplitter, SplitsAlikeWhateverThePieces) {
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"ab\r\ncd\ref\ngh", {"ab@0,2,4", "cd@4,6,7", "ef@7,9,10", "gh@10,12,12"}},
        {"\r\r\n\n\r", {"@0,0,1", "@1,1,3", "@3,3,4", "@4,4,5"}},
        {"a\n\rb\r", {"a@0,1,2", "@2,2,3", "b@3,4,5"}},
        {"", {}},
        {"abcd\r\nabc\nabcde", {"#@0,4,6", "abc@6,9,10", "#@10,15,15"}},
    };
    for (const auto& c : cases)
        for (std::size_t piece = 1; piece <= c.bytes.size() + 1; ++piece)
            EXPECT_EQ(split(c.bytes, piece, 3), c.lines) << c.bytes << " in pieces of " << piece;
    // A sink that stops is told no more, whichever piece its line ended in.
    for (std::size_t piece = 1; piece <= 7; ++piece)
        EXPECT_EQ(split("a\rb\r\nc\nd", piece, 3, 2),
                  (std::vector<std::string>{"a@0,1,2", "b@2,3,5"}))
            << piece;
}

}  // namespace
}  // namespace zoltrek
