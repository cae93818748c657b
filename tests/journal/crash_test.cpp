// The journal tool as a separate process, so that the system itself confines it or kills it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "support/journaltext.h"
#include "support/tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
namespace fs = std::filesystem;
const std::string kTool = ZOLTREK_JOURNAL_TOOL;

// Runs a shell command to its end: its exit code (128 and more for a signal) and what it printed.
std::pair<int, std::string> run(const std::string& command) {
    FILE* const out = ::popen((command + " 2>&1 </dev/null").c_str(), "r");
    std::string said;
    for (int c; (c = std::fgetc(out)) != EOF;)
        said += static_cast<char>(c);
    const int status = ::pclose(out);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), said};
}

// The tool where anyone may run it, in a folder anyone may write: mode 0444 and a user other than
// root keep any write out; a journal of any size (`hole` zeros first) opens on a small machine.
TEST(Confined, NoJournalTheUserMayNotWriteIsWrittenAndAHugeLineNeedsLittleMemory) {
    TempFolder folder;
    const std::string tool = folder.file("zoltrek-journal"), path = folder.file("zoltrek.dat");
    ::chmod(folder.path().c_str(), 0777);
    fs::copy_file(kTool, tool);
    const std::string nobody =
        ::getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string little = "prlimit --as=" + std::to_string(24 << 20) + " ";
    const std::tuple<std::string, const char*, off_t, int, const char*, const char*> cases[] = {
        {nobody, "edit 0 'd|2|1|1|1'", 0, 1, "нет прав доступа", "d|1|1|1|1"},
        {nobody, "append 'd|2|1|1|1'", 0, 1, "нет прав доступа", "d|1|1|1|1"},
        {little, "load", 96 << 20, 0, "loaded 1\nskipped 1 1\n", "d|1|1|1|1"},
        {little, "edit 0 'd|2|1|1|1'", 96 << 20, 0, "ok\n", "d|2|1|1|1"},
    };
    for (const auto& [confined, command, hole, code, told, after] : cases) {
        SCOPED_TRACE(confined + command);
        const std::string zeros(hole, '\0');
        fs::remove(path);
        writeBytes(path, zeros + "\r\nd|1|1|1|1\r\n");
        ::chmod(path.c_str(), hole ? 0666 : 0444);
        const auto [exitCode, said] = run(confined + tool + " " + path + " " + command);
        EXPECT_EQ(std::pair(exitCode, said.find(told) != std::string::npos), std::pair(code, true))
            << said;
        EXPECT_TRUE(readBytes(path) == zeros + "\r\n" + after + "\r\n");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2);  // no leftover
    }
}

// Killed at each system call a traced run made from the lock on, the journal stays whole.
TEST(Crash, AKilledWriteLeavesTheOldTextOrTheNewOneNeverAMixture) {
    if (run("strace -qq -o /dev/null true").first != 0)
        GTEST_SKIP() << "strace cannot trace here (is it installed, is ptrace allowed?)";
    TempFolder folder, logs;
    const std::string path = folder.file("zoltrek.dat"), log = logs.file("trace");
    const std::string old = journalOf(10, 0, 1), line = " '" + fillUp(1000) + "'";
    for (const std::string& operation : {"append" + line, "edit 3" + line}) {
        const std::string command = " " + kTool + " " + path + " " + operation;
        writeBytes(path, old);
        ASSERT_EQ(run("strace -qq -o " + log + command).first, 0);
        const std::string fresh = readBytes(path);
        std::vector<std::string> calls;
        std::ifstream in(log);
        for (std::string call; std::getline(in, call);)
            if (const auto name = call.find('('); name != std::string::npos && call[0] != '+')
                calls.push_back(call.substr(0, name));
        const auto lock = std::ranges::find(calls, "flock");
        ASSERT_NE(lock, calls.end()) << "the traced run took no lock";
        for (auto kill = lock; kill != calls.end(); ++kill) {
            const std::string nth = std::to_string(std::count(calls.begin(), kill + 1, *kill));
            SCOPED_TRACE(operation + ", killed at " + *kill + " #" + nth);
            writeBytes(path, old);
            const auto [code, said] =
                run("strace -qq -o /dev/null -e trace=" + *kill + " -e inject=" + *kill +
                    ":signal=SIGKILL:when=" + nth + command);
            const std::string now = readBytes(path);
            EXPECT_EQ(code, 128 + SIGKILL) << said;
            // Nothing is written before the lock, all before the last call; a leftover goes next.
            const bool oldMayStay = kill + 1 != calls.end(), newMayBe = kill != lock;
            EXPECT_TRUE((oldMayStay && now == old) || (newMayBe && now == fresh)) << now;
            EXPECT_LE(std::distance(fs::directory_iterator(folder.path()), {}), 2);
        }
    }
}

}  // namespace
}  // namespace zoltrek
