#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zoltrek {

// The one line splitter of the journal, shared by the load and the rewrite so that both
// number lines alike: CR LF, a lone CR and a lone LF (a file written on Linux) each end a
// line, a last line without an end still counts, and nothing follows a final line end.
//
// It takes a file in pieces and holds no more than one line's text, and not even that of a
// line longer than `maxText`: such a line is reported too long, without its text, so a file of
// any size is split in bounded memory. It does not read files itself.
class LineSplitter {
  public:
    struct Line {
        std::size_t index;      // from 0, every line counted
        std::uint64_t begin;    // the offset of its first byte in the file
        std::uint64_t textEnd;  // where its line end starts
        std::uint64_t next;     // one past its line end: where the next line starts
        std::string_view text;  // empty when too long
        bool tooLong;
    };
    // Gets each line as it is completed; returns false to stop the splitting.
    using Sink = std::function<bool(const Line&)>;

    explicit LineSplitter(std::size_t maxText) : maxText_(maxText) {}

    // The next bytes of the file; false when the sink stopped.
    bool feed(std::string_view bytes, const Sink& sink);
    // The end of the file, which ends a last line that had no line end; false when the sink
    // stopped.
    bool finish(const Sink& sink);

  private:
    bool emit(std::uint64_t textEnd, std::uint64_t next, const Sink& sink);
    void take(std::string_view piece);

    std::size_t maxText_;
    std::string text_;
    bool tooLong_ = false;
    std::size_t index_ = 0;
    std::uint64_t offset_ = 0;     // of the first byte of the next piece
    std::uint64_t lineBegin_ = 0;  // of the line being gathered
    bool pendingCr_ = false;       // a piece ended in a CR: the next byte may be its LF
    std::uint64_t crAt_ = 0;
};

}  // namespace zoltrek
