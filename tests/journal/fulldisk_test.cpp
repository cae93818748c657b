#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "childprocess.h"
#include "journalfile.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

using testing::readBytes;
using testing::writeBytes;

constexpr int kNoNamespace = 77;

bool writeProc(const char* file, const std::string& text) {
    std::ofstream out(file);
    out << text;
    return static_cast<bool>(out.flush());
}

// A private mount namespace, as root or through a user namespace, so a test can mount a
// small tmpfs without touching the machine.
bool enterMountNamespace() {
    if (::geteuid() == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return false;
    } else {
        const auto uid = std::to_string(::getuid()), gid = std::to_string(::getgid());
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return false;
        if (!writeProc("/proc/self/setgroups", "deny") ||
            !writeProc("/proc/self/uid_map", "0 " + uid + " 1") ||
            !writeProc("/proc/self/gid_map", "0 " + gid + " 1"))
            return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Counts what went wrong, printing each so the parent's log shows it.
struct Checks {
    int failures = 0;
    void expect(bool ok, const char* what) {
        if (!ok) {
            std::fprintf(stderr, "FAILED: %s\n", what);
            ++failures;
        }
    }
};

std::string journalOfPages(int pages) {
    std::string text;
    for (int i = 0; static_cast<int>(text.size()) < pages * 4096; ++i)
        text += "01.01.26|" + std::to_string(10000 + i) + "|40|20.5|820\r\n";
    text.resize(pages * 4096 - 2);  // whole pages exactly, so one more byte needs a new one
    text += "\r\n";
    return text;
}

bool fillDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
    return errno == ENOSPC;
}

int fullDiskScenario() {
    if (!enterMountNamespace())
        return kNoNamespace;
    testing::TempFolder folder;
    if (::mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0)
        return kNoNamespace;

    Checks check;
    const std::string path = folder.file("zoltrek.dat");
    const std::string before = journalOfPages(3);
    writeBytes(path, before);
    JournalFile file(path);
    Journal journal;
    file.load(journal);
    check.expect(journal.count() > 2, "the journal loads");
    check.expect(fillDisk(folder.file("filler")), "the disk fills up");

    const JournalError append = file.append("06.12.26|99999|40|20.5|820");
    check.expect(append.err == ENOSPC, "append reports a full disk");
    check.expect(readBytes(path) == before, "append leaves the old bytes");
    const JournalError edit = file.replaceLine(journal.lines[1], "06.12.26|1|1|1|1");
    check.expect(edit.err == ENOSPC, "edit reports a full disk");
    const JournalError remove = file.removeLine(journal.lines[1]);
    check.expect(remove.err == ENOSPC, "delete reports a full disk");
    check.expect(readBytes(path) == before, "edit and delete leave the old bytes");
    check.expect(!std::filesystem::exists(folder.file("filler")) ||
                     std::distance(std::filesystem::directory_iterator(folder.path()), {}) == 2,
                 "no temporary file is left");

    // With room again the same operations work.
    std::filesystem::remove(folder.file("filler"));
    check.expect(!file.removeLine(journal.lines[1]), "delete works once there is room");
    check.expect(!file.append("06.12.26|99999|40|20.5|820"), "append works once there is room");

    // A read-only mount refuses both, leaving the file as it is.
    const std::string now = readBytes(path);
    file.load(journal);
    check.expect(
        ::mount(nullptr, folder.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0,
        "remount read-only");
    check.expect(file.append("x|1|1|1|1").err == EROFS, "append reports a read-only disk");
    check.expect(file.removeLine(journal.lines[0]).err == EROFS, "delete reports a read-only disk");
    check.expect(readBytes(path) == now, "the read-only journal is unchanged");
    ::umount(folder.path().c_str());
    return check.failures;
}

TEST(FullDisk, EveryWriteFailsCleanlyAndWorksAgainWithRoom) {
    const int failures = testing::runInChild(fullDiskScenario);
    if (failures == kNoNamespace)
        GTEST_SKIP() << "this machine allows no private mount namespace";
    EXPECT_EQ(failures, 0) << "see the FAILED lines above";
}

}  // namespace
}  // namespace zoltrek
