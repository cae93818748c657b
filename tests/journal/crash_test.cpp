// The journal tool as a separate process, so that the system itself confines it or kills it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "journaltext.h"
#include "tempfolder.h"

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

int temporariesIn(const std::string& folder) {
    return static_cast<int>(std::count_if(fs::directory_iterator(folder), {}, [](const auto& e) {
        return e.path().filename().string().starts_with(".zoltrek.dat.");
    }));
}

// The tool copied where any user may run it, in a folder anyone may write.
class Confined : public ::testing::Test {
  protected:
    void SetUp() override {
        ::chmod(folder.path().c_str(), 0777);
        fs::copy_file(kTool, tool);
    }
    // The journal holds one record after `hole` zero bytes.
    void expectRun(const std::string& confined, const char* command, off_t hole, int code,
                   const char* told, const std::string& after) {
        SCOPED_TRACE(confined + command);
        fs::remove(path);
        writeBytes(path, std::string(hole, '\0') + "\r\nd|1|1|1|1\r\n");
        ::chmod(path.c_str(), hole ? 0666 : 0444);
        const auto [exitCode, said] = run(confined + tool + " " + path + " " + command);
        EXPECT_EQ(exitCode, code) << said;
        EXPECT_NE(said.find(told), std::string::npos) << said;
        EXPECT_TRUE(readBytes(path) == std::string(hole, '\0') + "\r\n" + after + "\r\n");
        EXPECT_EQ(temporariesIn(folder.path()), 0);
    }
    TempFolder folder;
    const std::string tool = folder.file("zoltrek-journal"), path = folder.file("zoltrek.dat");
};

// Mode 0444, and a user other than root: neither an edit nor an append writes.
TEST_F(Confined, AJournalTheUserMayNotWriteIsNotWritten) {
    const std::string nobody =
        ::getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    for (const char* command : {"edit 0 'd|2|1|1|1'", "append 'd|2|1|1|1'"})
        expectRun(nobody, command, 0, 1, "нет прав доступа", "d|1|1|1|1");
}

// A journal of any size must open and edit on a small machine.
TEST_F(Confined, AHugeLineNeedsLittleMemory) {
    const std::string littleMemory = "prlimit --as=" + std::to_string(24 << 20) + " ";
    expectRun(littleMemory, "load", 96 << 20, 0, "loaded 1\nskipped 1 1\n", "d|1|1|1|1");
    expectRun(littleMemory, "edit 0 'd|2|1|1|1'", 96 << 20, 0, "ok\n", "d|2|1|1|1");
}

int fromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// Killed at any system call from the lock on, where a traced run wrote, the journal stays whole.
// ZOLTREK_KILLS: how many kills, 100 unless `make soak` asks more; ZOLTREK_SEED: the sequence.
TEST(Crash, AKilledWriteLeavesTheOldTextOrTheNewOneNeverAMixture) {
    if (run("strace -qq -o /dev/null true").first != 0)
        GTEST_SKIP() << "strace cannot trace here (is it installed, is ptrace allowed?)";
    const int wanted = fromEnvironment("ZOLTREK_KILLS", 100);
    std::mt19937 random(static_cast<unsigned>(fromEnvironment("ZOLTREK_SEED", 1)));
    const auto pick = [&](long from, long to) {
        return std::uniform_int_distribution<long>(from, to)(random);
    };
    TempFolder folder, scratch, logs;
    const std::string path = folder.file("zoltrek.dat"), copy = scratch.file("zoltrek.dat");
    const std::string log = logs.file("trace");
    writeBytes(path, journalOf(10, 0, 1));
    int kills = 0, keptOld = 0, keptNew = 0;
    for (int serial = 1; kills < wanted && serial <= 2 * wanted; ++serial) {
        const std::string old = readBytes(path), line = " '" + fillUp(1000 + serial) + "'";
        const long count = std::count(old.begin(), old.end(), '\n');
        const long kind = count < 4 ? 0 : count > 30 ? 2 : pick(0, 2);
        const std::string at = " " + std::to_string(pick(0, count - 1));
        const std::string operation[] = {"append" + line, "edit" + at + line, "delete" + at};
        const auto command = [&](const std::string& journal) {
            return " " + kTool + " " + journal + " " + operation[kind];
        };

        fs::remove_all(scratch.path());
        fs::copy(folder.path(), scratch.path());
        ASSERT_EQ(run("strace -qq -o " + log + command(copy)).first, 0);
        const std::string fresh = readBytes(copy);
        std::vector<std::string> calls;
        std::ifstream in(log);
        for (std::string call; std::getline(in, call);)
            if (call.find('(') != std::string::npos && !call.starts_with("+++"))
                calls.push_back(call.substr(0, call.find('(')));
        const long lock = std::find(calls.begin(), calls.end(), "flock") - calls.begin();
        ASSERT_LT(lock, std::ssize(calls)) << "the traced run took no lock";
        // The first kill comes at the lock, the second at the last call: one of each outcome.
        const long last = std::ssize(calls) - 1;
        const auto kill = calls.begin() + (serial == 1   ? lock
                                           : serial == 2 ? last
                                                         : pick(lock, last));
        const std::string nth = std::to_string(std::count(calls.begin(), kill + 1, *kill));
        SCOPED_TRACE(operation[kind] + ", killed at " + *kill + " #" + nth);
        const auto [code, said] =
            run("strace -qq -o /dev/null -e trace=" + *kill + " -e inject=" + *kill +
                ":signal=SIGKILL:when=" + nth + command(path));
        const std::string now = readBytes(path);
        ASSERT_TRUE(now == old || now == fresh) << "a mixture:\n" << now;
        if (code == 128 + SIGKILL)
            ++kills, ++(now == old ? keptOld : keptNew);
        else
            EXPECT_TRUE(code == 0 && now == fresh) << said;
        // A killed rewrite leaves its temporary file, and the next write removes it.
        EXPECT_LE(temporariesIn(folder.path()), 1);
    }
    EXPECT_GE(kills, wanted);
    EXPECT_TRUE(wanted < 2 || (keptOld > 0 && keptNew > 0)) << keptOld << " old, " << keptNew;
    EXPECT_EQ(run(kTool + " " + path + " append '" + fillUp(1) + "'").first, 0);
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

}  // namespace
}  // namespace zoltrek
