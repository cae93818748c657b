// Faults injected into the real system calls by libfiu's preload library, through the journal
// tool. libfiu wraps open, read, pread, write, fdatasync, fsync, ftruncate, rename, unlink,
// close and opendir; it has no wrapper for flock, stat, lstat, fstat, fchmod, fchown or
// realpath, so those fail through the FileOps seam (journalfile_test.cpp) instead.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

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

// The tool as a user who may not write the journal (mode 0444 in a folder anyone may write),
// and with far less memory than one line of the journal is long (a hole of zeros before its
// line end): nothing is written where it may not be, and a line too long to be a record is
// skipped or copied, never held whole.
TEST(Confined, AReadOnlyJournalIsNotWrittenAndAHugeLineNeedsLittleMemory) {
    TempFolder folder;
    ::chmod(folder.path().c_str(), 0777);
    const std::string tool = folder.file("zoltrek-journal"), path = folder.file("zoltrek.dat");
    std::filesystem::copy_file(journalTool(), tool);  // where any user may run it
    const std::vector<std::string> unprivileged =
        ::getuid() == 0 ? std::vector<std::string>{"setpriv", "--reuid=65534", "--regid=65534",
                                                   "--clear-groups"}
                        : std::vector<std::string>{};
    const std::vector<std::string> littleMemory = {"prlimit", "--as=" + std::to_string(24 << 20)};
    constexpr off_t kHole = 96 << 20;
    const std::string good = recordLine(1) + "\r\n", added = std::string(kNewLine) + "\r\n";
    const struct {
        std::vector<std::string> confined, command;
        off_t hole;
        std::string before, after, out, said;
    } cases[] = {
        {unprivileged, {"edit", "0", kNewLine}, 0, good, good, "", "нет прав доступа"},
        {unprivileged, {"delete", "0"}, 0, good, good, "", "нет прав доступа"},
        {unprivileged, {"append", kNewLine}, 0, good, good, "", "нет прав доступа"},
        {littleMemory,
         {"load"},
         kHole,
         "\r\n" + good,
         "\r\n" + good,
         "loaded 1\nskipped 1 1\n",
         ""},
        {littleMemory, {"edit", "0", kNewLine}, kHole, "\r\n" + good, "\r\n" + added, "ok\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.confined) + ::testing::PrintToString(c.command));
        std::filesystem::remove(path);
        writeBytes(path, "");
        ::truncate(path.c_str(), c.hole);
        std::ofstream(path, std::ios::binary | std::ios::app) << c.before;
        ::chmod(path.c_str(), c.hole ? 0666 : 0444);
        std::vector<std::string> argv = c.confined;
        argv.insert(argv.end(), {tool, path});
        argv.insert(argv.end(), c.command.begin(), c.command.end());
        const Outcome run = runProgram(argv);
        EXPECT_EQ(run.exitCode, c.said.empty() ? 0 : 1) << run.err;
        EXPECT_TRUE(run.out.starts_with(c.out)) << run.out;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        // The hole stays zeros, and the lines after it are as they should be.
        std::ifstream in(path, std::ios::binary);
        std::string head(std::min<off_t>(c.hole, 1 << 20), '\1'), rest;
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        in.seekg(c.hole);
        rest.assign(std::istreambuf_iterator<char>(in), {});
        EXPECT_EQ(head, std::string(head.size(), '\0'));
        EXPECT_EQ(rest, c.after);
        EXPECT_EQ(std::filesystem::file_size(path), c.hole + c.after.size());
        EXPECT_EQ(temporariesIn(folder.path()), 0);
    }
}

}  // namespace
}  // namespace zoltrek
