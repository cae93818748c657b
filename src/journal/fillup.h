#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace zoltrek {

// One fill-up; its text is UTF-8.
struct FillUp {
    std::string fDate;
    double fKm = 0;
    double fLiters = 0;
    double fCena = 0;
    double fSumma = 0;
};

// Where a record came from: its line's position in the file (from 0, every line counted)
// and the line's exact bytes, so an edit or a deletion touches that line and no other.
struct LineRef {
    std::size_t index = 0;
    std::string bytes;
    friend bool operator==(const LineRef&, const LineRef&) = default;
};

// The table of loaded records, in file order.
struct Journal {
    static constexpr int kSlots = 101;

    std::array<FillUp, kSlots> records;
    std::array<LineRef, kSlots> lines;
    std::int16_t JournalLast = -1;

    int count() const { return JournalLast + 1; }
    // A full table cannot show one more record, so a new fill-up must be refused.
    bool full() const { return count() >= kSlots; }
};

}  // namespace zoltrek
