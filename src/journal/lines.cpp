#include "journal/lines.h"

#include <algorithm>
#include <cstring>

namespace zoltrek {

void LineSplitter::take(std::string_view piece) {
    if (tooLong_)
        return;
    if (text_.size() + piece.size() > maxText_) {
        tooLong_ = true;
        std::string().swap(text_);  // gives the memory back
        return;
    }
    text_.append(piece);
}

bool LineSplitter::emit(std::uint64_t textEnd, std::uint64_t next, const Sink& sink) {
    const Line line{index_++, lineBegin_, textEnd, next, tooLong_ ? std::string_view() : text_,
                    tooLong_};
    const bool goOn = sink(line);
    text_.clear();
    tooLong_ = false;
    lineBegin_ = next;
    return goOn;
}

bool LineSplitter::feed(std::string_view bytes, const Sink& sink) {
    std::size_t i = 0;
    if (pendingCr_ && !bytes.empty()) {
        pendingCr_ = false;
        i = bytes[0] == '\n' ? 1 : 0;
        if (!emit(crAt_, offset_ + i, sink)) {
            offset_ += bytes.size();
            return false;
        }
    }
    // The next CR and the next LF, each searched for again only once passed, so no byte is
    // scanned twice however the lines end.
    const auto next = [&](char c, std::size_t from) {
        const void* found = std::memchr(bytes.data() + from, c, bytes.size() - from);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data())
                     : bytes.size();
    };
    std::size_t cr = next('\r', i), lf = next('\n', i);
    bool goOn = true;
    while (goOn && i < bytes.size()) {
        const std::size_t at = std::min(cr, lf);
        take(bytes.substr(i, at - i));
        if (at == bytes.size())
            break;
        const std::uint64_t end = offset_ + at;
        if (bytes[at] == '\n') {
            i = at + 1;
        } else if (at + 1 < bytes.size()) {
            i = at + (bytes[at + 1] == '\n' ? 2 : 1);
        } else {
            pendingCr_ = true;  // the next piece decides whether an LF belongs to this CR
            crAt_ = end;
            i = at + 1;
            break;
        }
        if (cr < i)
            cr = next('\r', i);
        if (lf < i)
            lf = next('\n', i);
        goOn = emit(end, offset_ + i, sink);
    }
    offset_ += bytes.size();
    return goOn;
}

bool LineSplitter::finish(const Sink& sink) {
    if (pendingCr_) {
        pendingCr_ = false;
        return emit(crAt_, offset_, sink);
    }
    if (offset_ > lineBegin_)
        return emit(offset_, offset_, sink);
    return true;
}

}  // namespace zoltrek
