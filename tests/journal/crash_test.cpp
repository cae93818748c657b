// The journal tool killed with SIGKILL at a random system call of an append, an edit or a
// delete (strace stops it at the nth call of a kind, chosen from a first traced run). After
// every kill the journal holds its old text or its whole new text. ZOLTREK_KILLS sets how many
// kills (100 by default; `make soak` asks for more), ZOLTREK_SEED the random sequence.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "program.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

using namespace testing;
namespace fs = std::filesystem;

int fromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// One write of the program: the tool's operands after the journal's path, and the text after.
struct Step {
    std::vector<std::string> operands;
    std::string expected;
};

// Chosen at random, but keeping the journal between 4 and 30 lines.
Step nextStep(const std::string& old, int serial, std::mt19937& random) {
    const auto count = static_cast<int>(linesOf(old).size());
    const std::string line = recordLine(1000 + serial);
    int kind = std::uniform_int_distribution<int>(0, 2)(random);
    kind = count < 4 ? 0 : count > 30 ? 2 : kind;
    const int slot = std::uniform_int_distribution<int>(0, std::max(count - 1, 0))(random);
    const auto at = static_cast<std::size_t>(slot);
    if (kind == 0)
        return {{"append", line}, old + line + "\r\n"};
    if (kind == 1)
        return {{"edit", std::to_string(slot), line}, changedLine(old, at, line.c_str())};
    return {{"delete", std::to_string(slot)}, changedLine(old, at, nullptr)};
}

std::vector<std::string> command(std::vector<std::string> prefix, const std::string& path,
                                 const Step& step) {
    prefix.insert(prefix.end(), {journalTool(), path});
    prefix.insert(prefix.end(), step.operands.begin(), step.operands.end());
    return prefix;
}

std::string callName(const std::string& straceLine) {
    return straceLine.substr(0, straceLine.find('('));
}

// Where to kill a run: the nth call (from 1, counted from the start of the process) of a kind.
// Chosen among the calls of the journal operation (from the first after execve that names the
// journal's folder), half the time among those made under the lock, where the writing is.
std::pair<std::string, int> chooseKillPoint(const std::vector<std::string>& calls,
                                            const std::string& folder, std::mt19937& random) {
    std::vector<std::size_t> operation, locked;
    bool started = false, inLock = false;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const std::string name = callName(calls[i]);
        started = started || (name != "execve" && calls[i].find(folder) != std::string::npos);
        inLock = inLock || name == "flock";
        if (!started || calls[i].find('(') == std::string::npos || calls[i].starts_with("+++"))
            continue;
        operation.push_back(i);
        if (inLock)
            locked.push_back(i);
    }
    const auto& pool =
        !locked.empty() && std::bernoulli_distribution(0.5)(random) ? locked : operation;
    if (pool.empty())
        return {"", 0};
    const std::size_t at =
        pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
    int nth = 0;
    for (std::size_t i = 0; i <= at; ++i)
        nth += callName(calls[i]) == callName(calls[at]) ? 1 : 0;
    return {callName(calls[at]), nth};
}

TEST(Crash, AKilledWriteLeavesTheOldTextOrTheNewOneNeverAMixture) {
    if (runProgram({"strace", "-qq", "-o", "/dev/null", "true"}).exitCode != 0)
        GTEST_SKIP() << "strace cannot trace here (is it installed, is ptrace allowed?)";
    const int wanted = fromEnvironment("ZOLTREK_KILLS", 100);
    std::mt19937 random(static_cast<unsigned>(fromEnvironment("ZOLTREK_SEED", 1)));

    TempFolder folder, scratch, logs;
    const std::string path = folder.file("zoltrek.dat"), log = logs.file("trace");
    writeBytes(path, journalOf(10));
    int kills = 0, keptOld = 0, keptNew = 0, staleRemoved = 0, serial = 0;
    while (kills < wanted && serial < 2 * wanted) {
        const std::string old = readBytes(path);
        const Step step = nextStep(old, ++serial, random);

        // A first run on a copy shows which calls this write makes.
        for (const auto& entry : fs::directory_iterator(scratch.path()))
            fs::remove(entry.path());
        fs::copy(folder.path(), scratch.path());
        runProgram(command({"strace", "-qq", "-s", "4096", "-o", log, "-e", "signal=none"},
                           scratch.file("zoltrek.dat"), step));
        std::vector<std::string> calls;
        std::ifstream in(log);
        for (std::string line; std::getline(in, line);)
            calls.push_back(line);
        const auto [call, nth] = chooseKillPoint(calls, scratch.path(), random);
        ASSERT_GT(nth, 0) << "the traced run made no call on the journal";

        const std::string inject = "inject=" + call + ":signal=SIGKILL:when=" + std::to_string(nth);
        const auto run = runProgram(command(
            {"strace", "-qq", "-o", "/dev/null", "-e", "trace=" + call, "-e", inject}, path, step));
        SCOPED_TRACE("step " + std::to_string(serial) + " " + step.operands[0] + ", killed at " +
                     call + " #" + std::to_string(nth));
        if (run.signal == SIGKILL || run.exitCode == 128 + SIGKILL)
            ++kills;
        else
            EXPECT_EQ(run.exitCode, 0) << run.err;

        const std::string now = readBytes(path);
        keptOld += now == old ? 1 : 0;
        keptNew += now == step.expected ? 1 : 0;
        if (now != old && now != step.expected) {
            ADD_FAILURE() << "a mixture\nold:\n"
                          << old << "\nnew:\n"
                          << step.expected << "\nfound:\n"
                          << now;
            break;
        }

        // The next write removes what a killed rewrite left behind.
        if (temporariesIn(folder.path()) > 0) {
            const std::string line = recordLine(5000 + serial);
            const auto next = runProgram({journalTool(), path, "append", line});
            EXPECT_EQ(next.exitCode, 0) << next.err;
            EXPECT_EQ(readBytes(path), now + line + "\r\n");
            EXPECT_EQ(temporariesIn(folder.path()), 0);
            ++staleRemoved;
        }
    }
    EXPECT_GE(kills, wanted);
    std::printf(
        "%d kills survived: %d kept the old text, %d had the new one; %d stale temporary "
        "files removed by the next write\n",
        kills, keptOld, keptNew, staleRemoved);
}

}  // namespace
}  // namespace zoltrek
