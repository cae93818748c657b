// Faults injected into the real system calls by libfiu's preload library, through the journal
// tool. libfiu wraps open, read, pread, write, fdatasync, fsync, ftruncate, rename, unlink,
// close and opendir; it has no wrapper for flock, stat, lstat, fstat, fchmod, fchown or
// realpath, so those fail through the FileOps seam (journalfile_test.cpp) and strace
// (faults_strace_test.cpp) instead.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

#include "journaltexts.h"
#include "program.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

using testing::changedLine;
using testing::journalOf;
using testing::readBytes;
using testing::recordLine;
using testing::temporariesIn;
using testing::writeBytes;

enum class Op { Append, FirstAppend, Edit, Delete };
enum class After { Old, New, Absent };

constexpr int kRecords = 3, kChanged = 1;
const char* const kNewLine = "06.12.26|99999|40|20.5|820";
const char* const kStale = ".zoltrek.dat.Kil1ed";

std::string fault(const char* name, int err, bool once = true) {
    return std::string("enable name=") + name + ",failinfo=" + std::to_string(err) +
           (once ? ",onetime=1" : "");
}

std::vector<std::string> toolCommand(const std::string& path, Op op) {
    const std::string tool = testing::journalTool(), index = std::to_string(kChanged);
    switch (op) {
        case Op::Append:
        case Op::FirstAppend:
            return {tool, path, "append", kNewLine};
        case Op::Edit:
            return {tool, path, "replace", index, recordLine(kChanged), kNewLine};
        case Op::Delete:
            return {tool, path, "remove", index, recordLine(kChanged)};
    }
    return {};
}

std::string expectedText(Op op) {
    const std::string old = journalOf(kRecords);
    switch (op) {
        case Op::Append:
            return old + kNewLine + "\r\n";
        case Op::FirstAppend:
            return std::string(kNewLine) + "\r\n";
        case Op::Edit:
            return changedLine(old, kChanged, kNewLine);
        case Op::Delete:
            return changedLine(old, kChanged, nullptr);
    }
    return {};
}

std::vector<std::string> underFiu(const std::vector<std::string>& enables,
                                  const std::vector<std::string>& command) {
    std::vector<std::string> argv = {"fiu-run", "-x", "-f", ""};
    for (const auto& e : enables) {
        argv.push_back("-c");
        argv.push_back(e);
    }
    argv.insert(argv.end(), command.begin(), command.end());
    return argv;
}

struct FiuCase {
    const char* what;
    Op op;
    std::vector<std::string> enables;
    bool staleTemporary;  // a killed run's temporary file lies beside the journal first
    int err;              // the reason the message gives
    int exitCode;
    After after;
    bool temporaryLeft;
};

const FiuCase kCases[] = {
    {"append: open",
     Op::Append,
     {fault("posix/io/oc/open", EACCES)},
     false,
     EACCES,
     1,
     After::Old,
     false},
    {"append: write, disk full",
     Op::Append,
     {fault("posix/io/rw/write", ENOSPC)},
     false,
     ENOSPC,
     1,
     After::Old,
     false},
    {"append: write, I/O error",
     Op::Append,
     {fault("posix/io/rw/write", EIO)},
     false,
     EIO,
     1,
     After::Old,
     false},
    {"append: fdatasync",
     Op::Append,
     {fault("posix/io/sync/fdatasync", EIO)},
     false,
     EIO,
     1,
     After::Old,
     false},
    {"append: pread of the last line end",
     Op::Append,
     {fault("posix/io/rw/pread", EIO)},
     false,
     EIO,
     1,
     After::Old,
     false},
    {"append: every fdatasync",
     Op::Append,
     {fault("posix/io/sync/fdatasync", EIO, false)},
     false,
     EIO,
     3,
     After::Old,
     false},
    {"append: fdatasync, then the undoing ftruncate",
     Op::Append,
     {fault("posix/io/sync/fdatasync", EIO), fault("posix/io/rw/ftruncate", EIO)},
     false,
     EIO,
     3,
     After::New,
     false},
    {"append: unlink of a stale temporary",
     Op::Append,
     {fault("posix/io/dir/unlink", EACCES)},
     true,
     0,
     0,
     After::New,
     true},
    {"append: opendir for stale temporaries",
     Op::Append,
     {fault("posix/io/dir/opendir", EMFILE)},
     true,
     0,
     0,
     After::New,
     true},
    {"first append: write",
     Op::FirstAppend,
     {fault("posix/io/rw/write", ENOSPC)},
     false,
     ENOSPC,
     1,
     After::Absent,
     false},
    {"first append: folder fsync",
     Op::FirstAppend,
     {fault("posix/io/sync/fsync", EIO)},
     false,
     EIO,
     2,
     After::New,
     false},
    {"edit: open",
     Op::Edit,
     {fault("posix/io/oc/open", EACCES)},
     false,
     EACCES,
     1,
     After::Old,
     false},
    {"edit: read", Op::Edit, {fault("posix/io/rw/read", EIO)}, false, EIO, 1, After::Old, false},
    {"edit: write, disk full",
     Op::Edit,
     {fault("posix/io/rw/write", ENOSPC)},
     false,
     ENOSPC,
     1,
     After::Old,
     false},
    {"edit: write, I/O error",
     Op::Edit,
     {fault("posix/io/rw/write", EIO)},
     false,
     EIO,
     1,
     After::Old,
     false},
    {"edit: fdatasync",
     Op::Edit,
     {fault("posix/io/sync/fdatasync", EIO)},
     false,
     EIO,
     1,
     After::Old,
     false},
    {"edit: rename",
     Op::Edit,
     {fault("posix/io/dir/rename", EACCES)},
     false,
     EACCES,
     1,
     After::Old,
     false},
    {"edit: rename, then unlink of the temporary",
     Op::Edit,
     {fault("posix/io/dir/rename", EACCES), fault("posix/io/dir/unlink", EACCES)},
     false,
     EACCES,
     1,
     After::Old,
     true},
    {"edit: folder fsync after the rename",
     Op::Edit,
     {fault("posix/io/sync/fsync", EIO)},
     false,
     EIO,
     2,
     After::New,
     false},
    {"edit: unlink of a stale temporary",
     Op::Edit,
     {fault("posix/io/dir/unlink", EACCES)},
     true,
     0,
     0,
     After::New,
     true},
    {"delete: write",
     Op::Delete,
     {fault("posix/io/rw/write", ENOSPC)},
     false,
     ENOSPC,
     1,
     After::Old,
     false},
    {"delete: fdatasync",
     Op::Delete,
     {fault("posix/io/sync/fdatasync", EIO)},
     false,
     EIO,
     1,
     After::Old,
     false},
    {"delete: rename",
     Op::Delete,
     {fault("posix/io/dir/rename", EBUSY)},
     false,
     EBUSY,
     1,
     After::Old,
     false},
    {"delete: folder fsync after the rename",
     Op::Delete,
     {fault("posix/io/sync/fsync", EIO)},
     false,
     EIO,
     2,
     After::New,
     false},
};

class FiuFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testing::onPath("fiu-run"))
            FAIL() << "fiu-run is missing: `make deps` installs fiu-utils";
    }
    testing::TempFolder folder;
    std::string path = folder.file("zoltrek.dat");
};

TEST_F(FiuFaults, EveryFaultKeepsTheOldBytesOrTheWholeNewOnesAndTheNextWriteWorks) {
    int injected = 0;
    for (const auto& c : kCases) {
        std::filesystem::remove(path);
        if (c.op != Op::FirstAppend)
            writeBytes(path, journalOf(kRecords));
        if (c.staleTemporary)
            writeBytes(folder.file(kStale), "half a rewr");
        const std::string old = c.op == Op::FirstAppend ? "" : journalOf(kRecords);

        const auto run = testing::runProgram(underFiu(c.enables, toolCommand(path, c.op)));
        injected += static_cast<int>(c.enables.size());
        EXPECT_EQ(run.exitCode, c.exitCode) << c.what << "\n" << run.err;
        if (c.err != 0) {
            EXPECT_NE(run.err.find(path), std::string::npos) << c.what << ": " << run.err;
            EXPECT_NE(run.err.find(std::strerror(c.err)), std::string::npos) << c.what << run.err;
        }
        switch (c.after) {
            case After::Old:
                EXPECT_EQ(readBytes(path), old) << c.what;
                break;
            case After::New:
                EXPECT_EQ(readBytes(path), expectedText(c.op)) << c.what;
                break;
            case After::Absent:
                EXPECT_FALSE(std::filesystem::exists(path)) << c.what;
                break;
        }
        EXPECT_EQ(temporariesIn(folder.path()) > 0, c.temporaryLeft) << c.what;

        // Without a fault the next write works and clears what a failed run left behind.
        const std::string now = std::filesystem::exists(path) ? readBytes(path) : "";
        const auto next =
            testing::runProgram({testing::journalTool(), path, "append", recordLine(kRecords + 1)});
        EXPECT_EQ(next.exitCode, 0) << c.what << "\n" << next.err;
        EXPECT_EQ(readBytes(path), now + recordLine(kRecords + 1) + "\r\n") << c.what;
        EXPECT_EQ(temporariesIn(folder.path()), 0) << c.what;
    }
    std::printf("libfiu: %d faults injected in %zu runs\n", injected, std::size(kCases));
}

// Faults at random in every wrapped call, the tool's own output included; the exit code says
// what the journal must hold.
TEST_F(FiuFaults, RandomFaultsNeverLeaveAMixture) {
    constexpr int kRuns = 150;
    std::mt19937 pick(7);
    int failed = 0;
    for (int run = 0; run < kRuns; ++run) {
        const Op op = static_cast<Op>(std::uniform_int_distribution<int>(0, 3)(pick));
        const std::string old = op == Op::FirstAppend ? "" : journalOf(kRecords);
        std::filesystem::remove(path);
        if (op != Op::FirstAppend)
            writeBytes(path, old);
        const auto outcome = testing::runProgram(
            underFiu({"enable_random name=posix/io/*,probability=0.04"}, toolCommand(path, op)));
        const std::string now = std::filesystem::exists(path) ? readBytes(path) : "";
        const std::string what = "run " + std::to_string(run) + ": " + outcome.err;
        switch (outcome.exitCode) {
            case 0:
            case 2:
                EXPECT_EQ(now, expectedText(op)) << what;
                break;
            case 1:
                EXPECT_EQ(now, old) << what;
                break;
            case 3:  // said so: the undo of an append failed, so only the old bytes are sure
                EXPECT_EQ(now.substr(0, old.size()), old) << what;
                break;
            default:
                ADD_FAILURE() << "exit " << outcome.exitCode << " signal " << outcome.signal << " "
                              << what;
        }
        if (outcome.exitCode != 0) {
            ++failed;
            EXPECT_NE(outcome.err.find(path), std::string::npos) << what;
        }
    }
    const auto clean =
        testing::runProgram({testing::journalTool(), path, "append", recordLine(kRecords)});
    EXPECT_EQ(clean.exitCode, 0) << clean.err;
    EXPECT_EQ(temporariesIn(folder.path()), 0);
    std::printf("libfiu at random: %d of %d runs met a fault that failed the operation\n", failed,
                kRuns);
}

}  // namespace
}  // namespace zoltrek
