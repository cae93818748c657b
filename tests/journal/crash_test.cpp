// The journal tool killed with SIGKILL at a random system call of an append, an edit or a
// delete (strace stops it at the nth call of a kind, chosen from a first traced run). After
// every kill the journal holds its old text or its whole new text. ZOLTREK_KILLS sets how many
// kills (100 by default; `make soak` asks for more), ZOLTREK_SEED the random sequence.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "journaltexts.h"
#include "program.h"
#include "tempfolder.h"

namespace zoltrek {
namespace {

using testing::changedLine;
using testing::linesOf;
using testing::readBytes;
using testing::recordLine;
using testing::temporariesIn;

int fromEnvironment(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

struct Step {
    std::vector<std::string> operands;  // after the journal's path
    std::string expected;
};

// One write of the program, chosen at random but keeping the journal between 4 and 30 lines.
Step nextStep(const std::string& old, int serial, std::mt19937& random) {
    const auto count = static_cast<int>(linesOf(old).size());
    const std::string line = recordLine(1000 + serial);
    int kind = std::uniform_int_distribution<int>(0, 2)(random);
    if (count < 4)
        kind = 0;
    else if (count > 30)
        kind = 2;
    const int slot = std::uniform_int_distribution<int>(0, std::max(count - 1, 0))(random);
    switch (kind) {
        case 0:
            return {{"append", line}, old + line + "\r\n"};
        case 1:
            return {{"edit", std::to_string(slot), line},
                    changedLine(old, static_cast<std::size_t>(slot), line.c_str())};
        default:
            return {{"delete", std::to_string(slot)},
                    changedLine(old, static_cast<std::size_t>(slot), nullptr)};
    }
}

std::vector<std::string> command(const std::string& path, const Step& step) {
    std::vector<std::string> argv = {testing::journalTool(), path};
    argv.insert(argv.end(), step.operands.begin(), step.operands.end());
    return argv;
}

void copyFolder(const std::string& from, const std::string& to) {
    for (const auto& entry : std::filesystem::directory_iterator(to))
        std::filesystem::remove(entry.path());
    for (const auto& entry : std::filesystem::directory_iterator(from))
        std::filesystem::copy(entry.path(), to / entry.path().filename());
}

// Where to kill a run: the nth call (from 1, counted from the start of the process) of a kind.
struct KillPoint {
    std::string call;
    int nth = 0;
};

// Chooses among the calls of the journal operation (from the first after execve that names the
// journal's folder), half the time among those made under the lock, where the writing is.
KillPoint chooseKillPoint(const std::vector<std::string>& calls, const std::string& folder,
                          std::mt19937& random) {
    std::vector<std::size_t> operation, locked;
    bool started = false, inLock = false;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const std::string name = testing::callName(calls[i]);
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
        return {};
    const std::size_t at =
        pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
    KillPoint point{testing::callName(calls[at]), 0};
    for (std::size_t i = 0; i <= at; ++i)
        point.nth += testing::callName(calls[i]) == point.call ? 1 : 0;
    return point;
}

TEST(Crash, AKilledWriteLeavesTheOldTextOrTheNewOneNeverAMixture) {
    if (testing::runProgram({"strace", "-qq", "-o", "/dev/null", "true"}).exitCode != 0)
        GTEST_SKIP() << "strace cannot trace here (is it installed, is ptrace allowed?)";
    const int wanted = fromEnvironment("ZOLTREK_KILLS", 100);
    std::mt19937 random(static_cast<unsigned>(fromEnvironment("ZOLTREK_SEED", 1)));

    testing::TempFolder folder, scratch, logs;
    const std::string path = folder.file("zoltrek.dat");
    testing::writeBytes(path, testing::journalOf(10));
    int kills = 0, keptOld = 0, keptNew = 0, staleRemoved = 0, serial = 0;
    while (kills < wanted && serial < 2 * wanted) {
        const std::string old = readBytes(path);
        const Step step = nextStep(old, ++serial, random);

        // A first run on a copy shows which calls this write makes.
        copyFolder(folder.path(), scratch.path());
        const auto calls = testing::traceCalls(command(scratch.file("zoltrek.dat"), step), "all",
                                               logs.file("trace"));
        const KillPoint point = chooseKillPoint(calls, scratch.path(), random);
        ASSERT_GT(point.nth, 0) << "the traced run made no call on the journal";

        std::vector<std::string> argv = {
            "strace", "-qq",
            "-o",     "/dev/null",
            "-e",     "trace=" + point.call,
            "-e",     "inject=" + point.call + ":signal=SIGKILL:when=" + std::to_string(point.nth)};
        const auto cmd = command(path, step);
        argv.insert(argv.end(), cmd.begin(), cmd.end());
        const auto run = testing::runProgram(argv);
        const std::string where = "step " + std::to_string(serial) + " " + step.operands[0] +
                                  ", killed at " + point.call + " #" + std::to_string(point.nth);
        if (run.signal == SIGKILL || run.exitCode == 128 + SIGKILL)
            ++kills;
        else
            EXPECT_EQ(run.exitCode, 0) << where << "\n" << run.err;

        const std::string now = readBytes(path);
        if (now == old) {
            ++keptOld;
        } else if (now == step.expected) {
            ++keptNew;
        } else {
            ADD_FAILURE() << where << ": a mixture\nold:\n"
                          << old << "\nnew:\n"
                          << step.expected << "\nfound:\n"
                          << now;
            break;
        }

        // The next write removes what a killed rewrite left behind.
        if (temporariesIn(folder.path()) > 0) {
            const std::string line = recordLine(5000 + serial);
            const auto next = testing::runProgram({testing::journalTool(), path, "append", line});
            EXPECT_EQ(next.exitCode, 0) << where << "\n" << next.err;
            EXPECT_EQ(readBytes(path), now + line + "\r\n") << where;
            EXPECT_EQ(temporariesIn(folder.path()), 0) << where;
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
