// The load over arbitrary bytes, read back in chunks of sizes the input chooses, checked line
// by line against the format written out plainly; and ParseLine on every line.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "journal/codepage.h"
#include "journal/journalfile.h"
#include "journal/numbers.h"
#include "journal/parseline.h"
#include "oracle.h"

using zoltrek::fuzz::require;

namespace {

constexpr auto kFile = static_cast<zoltrek::FileHandle>(7);

// One journal in memory, handed to the load a few bytes at a time.
class MemoryFile : public zoltrek::FileOps {
  public:
    using Handle = zoltrek::FileHandle;
    using Path = const std::string&;
    MemoryFile(std::string_view bytes, std::size_t chunk) : bytes_(bytes), chunk_(chunk) {}

    bool statusAt(Path, zoltrek::FileStatus& st) override {
        st = {};
        st.kind = zoltrek::FileKind::Regular;
        st.size = bytes_.size();
        return true;
    }
    bool listFolder(Path, std::vector<std::string>& names) override {
        names.push_back("zoltrek.dat");
        return true;
    }
    Handle open(Path, zoltrek::OpenMode mode) override {
        require(mode == zoltrek::OpenMode::Read, "a load never writes");
        return kFile;
    }
    std::ptrdiff_t read(Handle file, char* buf, std::size_t count) override {
        require(file == kFile, "reads the file it opened");
        const std::size_t n = std::min({count, chunk_, bytes_.size() - at_});
        std::memcpy(buf, bytes_.data() + at_, n);
        at_ += n;
        return static_cast<std::ptrdiff_t>(n);
    }
    bool close(Handle) override { return true; }
    // The journal's own entry, which is no link.
    bool linkStatusAt(Path path, zoltrek::FileStatus& st) override { return statusAt(path, st); }
    bool status(Handle, zoltrek::FileStatus&) override { return fail(); }
    std::ptrdiff_t readAt(Handle, char*, std::size_t, std::uint64_t) override { return fail(); }
    std::ptrdiff_t write(Handle, const char*, std::size_t) override { return fail(); }
    bool rename(Path, Path) override { return fail(); }
    bool remove(Path) override { return fail(); }

  private:
    static bool fail() {
        require(false, "a load makes no other call");
        return false;
    }
    std::string_view bytes_;
    std::size_t chunk_, at_ = 0;
};

std::size_t bars(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '|'));
}

// ParseLine against the fields split plainly.
void checkParse(std::string_view line) {
    const auto record = zoltrek::ParseLine(line);
    require(record.has_value() == (bars(line) >= 4), "a record needs four \"|\"");
    if (!record)
        return;
    std::size_t cut[4], from = 0;
    for (auto& c : cut)
        from = (c = line.find('|', from)) + 1;
    require(record->fDate == zoltrek::fromCp1251(line.substr(0, cut[0])),
            "the date is the text before the first |");
    const double fields[] = {record->fKm, record->fLiters, record->fCena};
    for (int i = 0; i < 3; ++i)
        require(fields[i] == zoltrek::TextToNum(line.substr(cut[i] + 1, cut[i + 1] - cut[i] - 1)),
                "a number field reads as TextToNum of its text");
    require(record->fSumma == zoltrek::TextToNum(line.substr(cut[3] + 1)),
            "the amount reads up to the next |");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t chunk = 1 + data[0] % 64;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    MemoryFile file(bytes, chunk);
    zoltrek::Journal journal;
    const auto result = zoltrek::JournalFile("/j/zoltrek.dat", file).load(journal);
    require(result.status == zoltrek::LoadResult::Status::Loaded, "loads what it can read");

    // What the load must have made of these bytes.
    int records = 0;
    std::size_t skipped = 0;
    std::vector<std::size_t> reported;
    bool stopped = false;
    const auto lines = zoltrek::fuzz::plainLines(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto text = bytes.substr(lines[i].begin, lines[i].textEnd - lines[i].begin);
        checkParse(text);
        if (text.empty())
            continue;
        if (bars(text) < 4) {
            if (skipped == zoltrek::JournalFile::kMaxSkipped) {
                stopped = true;
                break;
            }
            if (++skipped <= zoltrek::JournalFile::kReportedLines)
                reported.push_back(i + 1);
            continue;
        }
        if (records == zoltrek::Journal::kSlots) {
            stopped = true;
            break;
        }
        require(journal.lines[records].index == i, "a record knows its line number");
        require(journal.lines[records].bytes == text, "a record keeps its line's bytes");
        ++records;
    }
    require(journal.count() == records, "every record that fits is loaded");
    require(result.skippedCount == skipped, "every malformed line is counted");
    require(result.skippedLines == reported, "the first ten malformed lines are named");
    require(result.leftUnloaded == stopped, "says when lines were left unloaded");
    return 0;
}
