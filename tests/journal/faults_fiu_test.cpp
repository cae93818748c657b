// Faults injected into the real system calls by libfiu's preload library, through the journal
// tool. libfiu wraps open, read, pread, write, fdatasync, fsync, ftruncate, rename, unlink,
// close and opendir; it has no wrapper for flock, stat, lstat, fstat, fchmod, fchown or
// realpath, so those fail through the FileOps seam (journalfile_test.cpp) instead.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "journalerror.h"
#include "program.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
enum class Op { Append, FirstAppend, Edit };
enum class After { Old, New, Absent };
using enum Op;
using enum After;

const std::string kOpNames[] = {"append ", "first append ", "edit "};
constexpr int kRecords = 3, kChanged = 1;
const char* const kNewLine = "06.12.26|99999|40|20.5|820";

// A fault in one wrapped call ("rw/write" for posix/io/rw/write), once or every time.
std::string fault(const char* call, int err, bool once = true) {
    return std::string("enable name=posix/io/") + call + ",failinfo=" + std::to_string(err) +
           (once ? ",onetime=1" : "");
}

std::vector<std::string> underFiu(const std::vector<std::string>& enables, const std::string& path,
                                  Op op) {
    std::vector<std::string> argv = {"fiu-run", "-x", "-f", ""};
    for (const auto& e : enables)
        argv.insert(argv.end(), {"-c", e});
    const std::string at = std::to_string(kChanged);
    if (op == Edit)
        argv.insert(argv.end(),
                    {journalTool(), path, "replace", at, recordLine(kChanged), kNewLine});
    else
        argv.insert(argv.end(), {journalTool(), path, "append", kNewLine});
    return argv;
}

std::string oldText(Op op) {
    return op == FirstAppend ? "" : journalOf(kRecords);
}

std::string newText(Op op) {
    const std::string old = oldText(op);
    return op == Edit ? changedLine(old, kChanged, kNewLine) : old + kNewLine + "\r\n";
}

// A run of the tool under the faults: what it says, what the journal then holds, and whether a
// temporary file stays beside it.
struct FiuCase {
    Op op;
    std::vector<std::string> enables;
    bool staleTemporary;  // a killed run's temporary file lies beside the journal first
    int err;              // the reason the message gives
    int exitCode;
    After after;
    bool temporaryLeft;
};

const FiuCase kCases[] = {
    {Append, {fault("oc/open", EACCES)}, false, EACCES, 1, Old, false},
    {Append, {fault("rw/write", ENOSPC)}, false, ENOSPC, 1, Old, false},
    {Append, {fault("sync/fdatasync", EIO)}, false, EIO, 1, Old, false},
    {Append, {fault("rw/pread", EIO)}, false, EIO, 1, Old, false},  // of the last line end
    {Append, {fault("sync/fdatasync", EIO, false)}, false, EIO, 3, Old, false},
    {Append, {fault("sync/fdatasync", EIO), fault("rw/ftruncate", EIO)}, false, EIO, 3, New, false},
    {Append, {fault("dir/unlink", EACCES)}, true, 0, 0, New, true},
    {Append, {fault("dir/opendir", EMFILE)}, true, 0, 0, New, true},
    {FirstAppend, {fault("rw/write", ENOSPC)}, false, ENOSPC, 1, Absent, false},
    {FirstAppend, {fault("sync/fsync", EIO)}, false, EIO, 2, New, false},
    {Edit, {fault("oc/open", EACCES)}, false, EACCES, 1, Old, false},
    {Edit, {fault("rw/read", EIO)}, false, EIO, 1, Old, false},
    {Edit, {fault("rw/write", ENOSPC)}, false, ENOSPC, 1, Old, false},
    {Edit, {fault("sync/fdatasync", EIO)}, false, EIO, 1, Old, false},
    {Edit, {fault("dir/rename", EACCES)}, false, EACCES, 1, Old, false},
    {Edit, {fault("dir/rename", EACCES), fault("dir/unlink", EACCES)}, false, EACCES, 1, Old, true},
    {Edit, {fault("sync/fsync", EIO)}, false, EIO, 2, New, false},  // after the rename
};

TEST(FiuFaults, EveryFaultKeepsTheOldBytesOrTheWholeNewOnesAndTheNextWriteWorks) {
    ASSERT_EQ(runProgram({"sh", "-c", "command -v fiu-run"}).exitCode, 0)
        << "fiu-run is missing: `make deps` installs fiu-utils";
    TempFolder folder;
    const std::string path = folder.file("zoltrek.dat");
    int injected = 0;
    for (const auto& c : kCases) {
        SCOPED_TRACE(kOpNames[static_cast<int>(c.op)] + ::testing::PrintToString(c.enables));
        const std::string old = oldText(c.op);
        std::filesystem::remove(path);
        if (c.op != FirstAppend)
            writeBytes(path, old);
        if (c.staleTemporary)
            writeBytes(folder.file(".zoltrek.dat.Kil1ed"), "half a rewr");
        const auto run = runProgram(underFiu(c.enables, path, c.op));
        injected += static_cast<int>(c.enables.size());
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
        if (c.err != 0) {
            EXPECT_NE(run.err.find(path), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(systemReason(c.err)), std::string::npos) << run.err;
        }
        const std::string want = c.after == Old ? old : c.after == New ? newText(c.op) : "(none)";
        EXPECT_EQ(std::filesystem::exists(path) ? readBytes(path) : "(none)", want);
        EXPECT_EQ(temporariesIn(folder.path()) > 0, c.temporaryLeft);

        // Without a fault the next write works and clears what a failed run left behind.
        const std::string now = std::filesystem::exists(path) ? readBytes(path) : "";
        const auto next = runProgram({journalTool(), path, "append", recordLine(kRecords + 1)});
        EXPECT_EQ(next.exitCode, 0) << next.err;
        EXPECT_EQ(readBytes(path), now + recordLine(kRecords + 1) + "\r\n");
        EXPECT_EQ(temporariesIn(folder.path()), 0);
    }
    std::printf("libfiu: %d faults injected in %zu runs\n", injected, std::size(kCases));
}

}  // namespace
}  // namespace zoltrek
