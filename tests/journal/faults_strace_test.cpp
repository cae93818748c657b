// Faults at an exact system call of the journal tool, by strace's injection: the nth call of
// a kind, found in a first traced run. This reaches the calls libfiu cannot tell apart (the
// third open, the close of the temporary file) and those it does not wrap (flock, fchmod,
// fstat).
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

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

enum class Op { Load, Append, Edit, Delete };
enum class After { Old, New };

constexpr int kRecords = 3, kChanged = 1;
const char* const kNewLine = "06.12.26|99999|40|20.5|820";
const char* const kStale = ".zoltrek.dat.Kil1ed";

struct Fault {
    const char* call;
    const char* anchor;  // the fault strikes only after a line holding this
    std::string match;   // at the first call of its kind that holds this
    int err;
    bool followsAFault = false;  // a call only a fault before it brings about
};

struct StraceCase {
    const char* what;
    Op op;
    std::vector<Fault> faults;
    int exitCode;
    After after;
    bool stale = false;          // a killed run's temporary file lies beside the journal first
    bool temporaryLeft = false;  // and a temporary file is still there after the faulty run
};

const std::string kLockOpen = "O_RDONLY|O_CLOEXEC|O_DIRECTORY", kAppendOpen = "O_RDWR|O_CREAT",
                  kReadOpen = "zoltrek.dat\", O_RDONLY", kFirst = recordLine(0);

const StraceCase kCases[] = {
    {"load: open", Op::Load, {{"openat", "", kReadOpen, EACCES}}, 1, After::Old},
    {"load: read", Op::Load, {{"read", kReadOpen.c_str(), "", EIO}}, 1, After::Old},
    {"append: open of the folder to lock",
     Op::Append,
     {{"openat", "", kLockOpen, EMFILE}},
     1,
     After::Old},
    {"append: flock", Op::Append, {{"flock", "", "LOCK_EX", ENOLCK}}, 1, After::Old},
    {"append: open", Op::Append, {{"openat", "", kAppendOpen, EACCES}}, 1, After::Old},
    {"append: fstat", Op::Append, {{"newfstatat", kAppendOpen.c_str(), "", EIO}}, 1, After::Old},
    {"append: pread", Op::Append, {{"pread64", kAppendOpen.c_str(), "", EIO}}, 1, After::Old},
    {"append: write, disk full", Op::Append, {{"write", "", kNewLine, ENOSPC}}, 1, After::Old},
    {"append: write, quota", Op::Append, {{"write", "", kNewLine, EDQUOT}}, 1, After::Old},
    {"append: fdatasync", Op::Append, {{"fdatasync", "", "", EIO}}, 1, After::Old},
    {"append: fdatasync and ftruncate",
     Op::Append,
     {{"fdatasync", "", "", EIO}, {"ftruncate", "", "", EIO, true}},
     3,
     After::New},
    {"append: listing stale temporaries",
     Op::Append,
     {{"getdents64", "", "", EIO}},
     0,
     After::New,
     true,
     true},
    {"append: unlink of a stale temporary",
     Op::Append,
     {{"unlink", "", kStale, EPERM}},
     0,
     After::New,
     true,
     true},
    {"edit: flock", Op::Edit, {{"flock", "", "", EINTR}}, 0, After::New},  // retried
    {"edit: open to read", Op::Edit, {{"openat", "", kReadOpen, EACCES}}, 1, After::Old},
    {"edit: read", Op::Edit, {{"read", kReadOpen.c_str(), "", EIO}}, 1, After::Old},
    {"edit: read interrupted", Op::Edit, {{"read", kReadOpen.c_str(), "", EINTR}}, 0, After::New},
    {"edit: open of the temporary, disk full",
     Op::Edit,
     {{"openat", "", ".zoltrek.dat.", ENOSPC}},
     1,
     After::Old},
    {"edit: open of the temporary, refused",
     Op::Edit,
     {{"openat", "", ".zoltrek.dat.", EACCES}},
     1,
     After::Old},
    {"edit: write, disk full", Op::Edit, {{"write", "", kFirst, ENOSPC}}, 1, After::Old},
    {"edit: write, I/O error", Op::Edit, {{"write", "", kFirst, EIO}}, 1, After::Old},
    {"edit: write interrupted", Op::Edit, {{"write", "", kFirst, EINTR}}, 0, After::New},
    {"edit: fdatasync", Op::Edit, {{"fdatasync", "", "", EIO}}, 1, After::Old},
    {"edit: fchmod", Op::Edit, {{"fchmod", "", "", EPERM}}, 1, After::Old},
    {"edit: close of the temporary", Op::Edit, {{"close", "fchown(", "", EIO}}, 1, After::Old},
    {"edit: rename", Op::Edit, {{"rename", "", "", EXDEV}}, 1, After::Old},
    {"edit: rename and the unlink after it",
     Op::Edit,
     {{"rename", "", "", EACCES}, {"unlink", "", "", EPERM, true}},
     1,
     After::Old,
     false,
     true},
    {"edit: open of the folder to sync",
     Op::Edit,
     {{"openat", "rename(", "", EMFILE}},
     2,
     After::New},
    {"edit: fsync of the folder", Op::Edit, {{"fsync", "", "", EIO}}, 2, After::New},
    {"delete: write", Op::Delete, {{"write", "", kFirst, ENOSPC}}, 1, After::Old},
    {"delete: fdatasync", Op::Delete, {{"fdatasync", "", "", EIO}}, 1, After::Old},
    {"delete: rename", Op::Delete, {{"rename", "", "", EROFS}}, 1, After::Old},
};

std::vector<std::string> toolCommand(const std::string& path, Op op) {
    const std::string tool = testing::journalTool(), index = std::to_string(kChanged);
    switch (op) {
        case Op::Load:
            return {tool, path, "load"};
        case Op::Append:
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
        case Op::Load:
            return old;
        case Op::Append:
            return old + kNewLine + "\r\n";
        case Op::Edit:
            return changedLine(old, kChanged, kNewLine);
        case Op::Delete:
            return changedLine(old, kChanged, nullptr);
    }
    return {};
}

class StraceFaults : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!testing::onPath("strace"))
            FAIL() << "strace is missing: `make deps` installs it";
        if (testing::runProgram({"strace", "-qq", "-o", "/dev/null", "true"}).exitCode != 0)
            GTEST_SKIP() << "this machine does not allow ptrace";
    }
    void layOut(bool stale) {
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            std::filesystem::remove(entry.path());
        writeBytes(path, journalOf(kRecords));
        if (stale)
            writeBytes(folder.file(kStale), "half a rewr");
    }
    testing::TempFolder folder;
    testing::TempFolder scratch;
    std::string path = folder.file("zoltrek.dat");
};

TEST_F(StraceFaults, AFaultAtAnyCallKeepsTheOldBytesOrTheWholeNewOnes) {
    int injected = 0;
    for (const auto& c : kCases) {
        layOut(c.stale);
        const auto command = toolCommand(path, c.op);
        const auto calls = testing::traceCalls(command, "all", scratch.file("trace"));
        layOut(c.stale);

        std::vector<std::string> argv = {"strace", "-qq", "-o", "/dev/null"};
        for (const auto& f : c.faults) {
            int n = testing::callNumber(calls, f.call, f.anchor, f.match);
            if (f.followsAFault)
                n = static_cast<int>(std::count_if(
                        calls.begin(), calls.end(),
                        [&](auto& line) { return testing::callName(line) == f.call; })) +
                    1;
            ASSERT_GT(n, 0) << c.what << ": no " << f.call << " call to fail";
            argv.push_back("-e");
            argv.push_back("inject=" + std::string(f.call) + ":error=" + strerrorname_np(f.err) +
                           ":when=" + std::to_string(n));
            ++injected;
        }
        argv.insert(argv.end(), command.begin(), command.end());
        const auto run = testing::runProgram(argv);

        EXPECT_EQ(run.exitCode, c.exitCode) << c.what << "\n" << run.err;
        const int err = c.faults.front().err;
        if (c.exitCode != 0) {
            EXPECT_NE(run.err.find(path), std::string::npos) << c.what << ": " << run.err;
            EXPECT_NE(run.err.find(std::strerror(err)), std::string::npos) << c.what << run.err;
        }
        const std::string old = journalOf(kRecords);
        EXPECT_EQ(readBytes(path), c.after == After::Old ? old : expectedText(c.op)) << c.what;
        EXPECT_EQ(temporariesIn(folder.path()) > 0, c.temporaryLeft) << c.what;

        const std::string now = readBytes(path);
        const auto next =
            testing::runProgram({testing::journalTool(), path, "append", recordLine(kRecords + 1)});
        EXPECT_EQ(next.exitCode, 0) << c.what << "\n" << next.err;
        EXPECT_EQ(readBytes(path), now + recordLine(kRecords + 1) + "\r\n") << c.what;
        EXPECT_EQ(temporariesIn(folder.path()), 0) << c.what;
    }
    std::printf("strace: %d faults injected in %zu runs\n", injected, std::size(kCases));
}

}  // namespace
}  // namespace zoltrek
