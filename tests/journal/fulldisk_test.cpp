// A small tmpfs, mounted in a private mount namespace of a forked child, fills up and then
// turns read-only under the journal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "journalfile.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
constexpr int kNoNamespace = 77;

bool writeProc(const char* file, const std::string& text) {
    return static_cast<bool>(std::ofstream(file) << text << std::flush);
}

// As root, or through a user namespace, so the test can mount without touching the machine.
bool enterMountNamespace() {
    if (::geteuid() == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return false;
    } else {
        const auto uid = std::to_string(::getuid()), gid = std::to_string(::getgid());
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0 ||
            !writeProc("/proc/self/setgroups", "deny") ||
            !writeProc("/proc/self/uid_map", "0 " + uid + " 1") ||
            !writeProc("/proc/self/gid_map", "0 " + gid + " 1"))
            return false;
    }
    return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Whole pages exactly, so one more byte needs a new one.
std::string journalOfPages(int pages) {
    std::string text;
    for (int i = 0; static_cast<int>(text.size()) < pages * 4096; ++i)
        text += "01.01.26|" + std::to_string(10000 + i) + "|40|20.5|820\r\n";
    text.resize(pages * 4096 - 2);
    return text + "\r\n";
}

bool fillDisk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(4096, 'f');
    while (::write(fd, block.data(), block.size()) > 0) {
    }
    ::close(fd);
    return errno == ENOSPC;
}

// Returns how many checks failed, each printed so the parent's log shows it.
int fullDiskScenario() {
    if (!enterMountNamespace())
        return kNoNamespace;
    TempFolder folder;
    if (::mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0)
        return kNoNamespace;
    int failures = 0;
    const auto check = [&](bool ok, const char* what) {
        failures += ok ? 0 : 1;
        if (!ok)
            std::fprintf(stderr, "FAILED: %s\n", what);
    };
    const std::string path = folder.file("zoltrek.dat"), before = journalOfPages(3);
    const std::string line = "06.12.26|99999|40|20.5|820";
    writeBytes(path, before);
    JournalFile file(path);
    Journal journal;
    file.load(journal);
    check(journal.count() > 2, "the journal loads");
    check(fillDisk(folder.file("filler")), "the disk fills up");

    check(file.append(line).err == ENOSPC, "append reports a full disk");
    check(readBytes(path) == before, "append leaves the old bytes");
    check(file.replaceLine(journal.lines[1], "06.12.26|1|1|1|1").err == ENOSPC,
          "edit reports a full disk");
    check(file.removeLine(journal.lines[1]).err == ENOSPC, "delete reports a full disk");
    check(readBytes(path) == before, "edit and delete leave the old bytes");
    check(std::distance(std::filesystem::directory_iterator(folder.path()), {}) == 2,
          "no temporary file is left");

    std::filesystem::remove(folder.file("filler"));
    check(!file.removeLine(journal.lines[1]), "delete works once there is room");
    check(!file.append(line), "append works once there is room");

    const std::string now = readBytes(path);
    file.load(journal);
    check(::mount(nullptr, folder.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0,
          "remount read-only");
    check(file.append("x|1|1|1|1").err == EROFS, "append reports a read-only disk");
    check(file.removeLine(journal.lines[0]).err == EROFS, "delete reports a read-only disk");
    check(readBytes(path) == now, "the read-only journal is unchanged");
    ::umount(folder.path().c_str());
    return failures;
}

TEST(FullDisk, EveryWriteFailsCleanlyAndWorksAgainWithRoom) {
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(fullDiskScenario());  // the child never returns into the test framework
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status)) << "status " << status;
    if (WEXITSTATUS(status) == kNoNamespace)
        GTEST_SKIP() << "this machine allows no private mount namespace";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "see the FAILED lines above";
}

}  // namespace
}  // namespace zoltrek
