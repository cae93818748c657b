// The journal tool run as a separate process: confined to a user who may not write the journal
// or to little memory, and killed at random system calls.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
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
    static const TempFolder outputs;
    const std::string out = outputs.file("out");
    const int status = std::system((command + " >" + out + " 2>&1 </dev/null").c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), readBytes(out)};
}

int temporariesIn(const std::string& folder) {
    return static_cast<int>(std::count_if(fs::directory_iterator(folder), {}, [](const auto& e) {
        return e.path().filename().string().starts_with(".zoltrek.dat.");
    }));
}

// As a user who may not write the journal (mode 0444 in a folder anyone may write) nothing is
// written; with far less memory than its first line is long (a hole of zeros), that line is
// skipped or copied, never held whole.
TEST(Confined, AReadOnlyJournalIsNotWrittenAndAHugeLineNeedsLittleMemory) {
    TempFolder folder;
    ::chmod(folder.path().c_str(), 0777);
    const std::string tool = folder.file("zoltrek-journal"), path = folder.file("zoltrek.dat");
    fs::copy_file(kTool, tool);  // where any user may run it
    const std::string nobody =
        ::getuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups " : "";
    const std::string littleMemory = "prlimit --as=" + std::to_string(24 << 20) + " ";
    const std::string good = "\r\nd|1|1|1|1\r\n", added = "\r\nd|2|1|1|1\r\n";
    const std::tuple<std::string, const char*, off_t, std::string, const char*> cases[] = {
        {nobody, "edit 0 'd|2|1|1|1'", 0, good, "нет прав доступа"},
        {nobody, "append 'd|2|1|1|1'", 0, good, "нет прав доступа"},
        {littleMemory, "load", 96 << 20, good, "loaded 1\nskipped 1 1\n"},
        {littleMemory, "edit 0 'd|2|1|1|1'", 96 << 20, added, "ok\n"},
    };
    for (const auto& [confined, command, hole, after, told] : cases) {
        SCOPED_TRACE(confined + command);
        fs::remove(path);
        writeBytes(path, std::string(hole, '\0') + good);
        ::chmod(path.c_str(), hole ? 0666 : 0444);
        const auto [code, said] = run(confined + tool + " " + path + " " + command);
        EXPECT_EQ(code, hole ? 0 : 1) << said;
        EXPECT_NE(said.find(told), std::string::npos) << said;
        EXPECT_TRUE(readBytes(path) == std::string(hole, '\0') + after);
        EXPECT_EQ(temporariesIn(folder.path()), 0);
    }
}

int fromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// The tool is killed at a random system call of an append, an edit or a delete (strace stops it
// at the nth call of a kind, chosen from a first traced run, from the lock on, where the writing
// is): the journal holds its old text or the whole text that the traced run left. ZOLTREK_KILLS
// sets how many kills (100 by default; `make soak` asks for more), ZOLTREK_SEED the random
// sequence.
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
    int kills = 0;
    for (int serial = 1; kills < wanted && serial <= 2 * wanted; ++serial) {
        // A write chosen at random, keeping the journal between 4 and 30 lines.
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
        const auto kill = calls.begin() + pick(lock, std::ssize(calls) - 1);
        const std::string nth = std::to_string(std::count(calls.begin(), kill + 1, *kill));
        SCOPED_TRACE(operation[kind] + ", killed at " + *kill + " #" + nth);
        const auto [code, said] =
            run("strace -qq -o /dev/null -e trace=" + *kill + " -e inject=" + *kill +
                ":signal=SIGKILL:when=" + nth + command(path));
        if (code == 128 + SIGKILL)
            ++kills;
        else
            EXPECT_EQ(code, 0) << said;
        const std::string now = readBytes(path);
        ASSERT_TRUE(now == old || now == fresh) << "a mixture:\n" << now;
        // A killed rewrite leaves its temporary file, and the next write removes it.
        EXPECT_LE(temporariesIn(folder.path()), 1);
    }
    EXPECT_GE(kills, wanted);
    EXPECT_EQ(run(kTool + " " + path + " append '" + fillUp(1) + "'").first, 0);
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

}  // namespace
}  // namespace zoltrek
