// The rewrite of one line of an arbitrary file, on real files: the result is exactly the old
// bytes with that one line changed, or nothing written and the reason given.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <filesystem>
#include <iterator>
#include <string>

#include "journal/codepage.h"
#include "journal/journalfile.h"
#include "oracle.h"
#include "support/tempfolder.h"

using zoltrek::JournalError;
using zoltrek::fuzz::require;
using zoltrek::testing::TempFolder;

namespace {

// A folder of its own in memory (tmpfs) where there is one, so the syncs cost nothing.
const std::string& folder() {
    static const TempFolder work(std::filesystem::is_directory("/dev/shm")
                                     ? "/dev/shm"
                                     : std::filesystem::temp_directory_path());
    return work.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const bool edit = input.ConsumeBool();
    const bool trueLine = input.ConsumeBool();
    const auto index = input.ConsumeIntegralInRange<std::size_t>(0, 40);
    const std::string newLine = input.ConsumeRandomLengthString(64);
    const std::string guessed = input.ConsumeRandomLengthString(64);
    const std::string old = input.ConsumeRemainingBytesAsString();

    const auto lines = zoltrek::fuzz::plainLines(old);
    const bool exists = index < lines.size();
    const std::string actual =
        exists ? old.substr(lines[index].begin, lines[index].textEnd - lines[index].begin) : "";
    const zoltrek::LineRef ref{index, trueLine && exists ? actual : guessed};

    const std::string path = folder() + "/zoltrek.dat";
    zoltrek::testing::writeBytes(path, old);
    zoltrek::JournalFile file(path);
    const JournalError error = edit ? file.replaceLine(ref, newLine) : file.removeLine(ref);
    const std::string now = zoltrek::testing::readBytes(path);

    if (edit && newLine.find_first_of("\r\n") != std::string::npos) {
        require(error.kind == JournalError::Kind::BadLine, "a line break in a new line is refused");
        require(now == old, "a refused edit writes nothing");
    } else if (exists && ref.bytes == actual) {
        require(!error, "the line that is there is changed");
        const auto& at = lines[index];
        std::string expected = old.substr(0, at.begin);
        if (edit)
            expected += zoltrek::toCp1251(newLine) + old.substr(at.textEnd, at.next - at.textEnd);
        expected += old.substr(at.next);
        require(now == expected, "only that line changes, keeping its line end");
    } else {
        require(error.kind == JournalError::Kind::ChangedOnDisk, "a missing line is reported");
        require(now == old, "nothing is written when the line is not there");
    }
    require(std::distance(std::filesystem::directory_iterator(folder()), {}) == 1,
            "no temporary file is left");
    return 0;
}
