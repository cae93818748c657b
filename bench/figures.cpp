// The one table of `make bench`: the start-up of the program against a naive Qt window showing
// the same readings and a bare Qt window, each started afresh on the X display of DISPLAY (`make
// bench` gives it a private Xvfb) and timed to its first frame, their peak memory, and the window
// figures taken from the Google Benchmark reports written just before.
//   figures <folder of the reports>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "benchreport.h"
#include "journal/fillup.h"
#include "startuprun.h"
#include "support/journaltext.h"
#include "support/tempfolder.h"
#include "table.h"

namespace fs = std::filesystem;
using namespace zoltrek::bench;
using namespace zoltrek::testing;

namespace {

constexpr int kRuns = 31;
constexpr double kNaiveRatio = 0.90, kBareRatio = 1.10, kExtraMiB = 8.0, kRepaintUs = 30.0,
                 kUpListUs = 300.0;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

struct StartUps {
    std::vector<double> ms, mib;
    int failed = 0;
};

// Runs the three in turns, so that a busy moment of the machine weighs on all alike; the
// first run of each only warms the disk cache. Returns what went wrong, if anything.
std::string measureStartUps(const fs::path& here, StartUps& program, StartUps& naive,
                            StartUps& bare) {
    const char* const display = std::getenv("DISPLAY");
    if (!display || !*display)
        return "no X display";
    const TempFolder folder;
    const std::string journal = folder.file("zoltrek.dat");
    writeBytes(journal, journalOf(zoltrek::Journal::kSlots));  // as a long-used program starts on
    const struct {
        std::string exe;
        std::vector<std::string> args;
        StartUps& into;
    } subjects[] = {{(here / "startup_program").string(), {journal}, program},
                    {(here / "startup_naive").string(), {journal}, naive},
                    {(here / "startup_bare").string(), {}, bare}};
    for (int run = 0; run <= kRuns; ++run) {
        for (const auto& s : subjects) {
            const auto result = timeStartUp(s.exe, s.args, display);
            if (!result)
                ++s.into.failed;
            else if (run > 0)
                s.into.ms.push_back(result->milliseconds), s.into.mib.push_back(result->peakMiB);
        }
    }
    if (program.ms.size() < 10 || naive.ms.size() < 10 || bare.ms.size() < 10)
        return "fewer than 10 start-ups painted a frame";
    return {};
}

std::string verdict(bool met) {
    return met ? "yes" : "NO";
}

std::vector<Row> startUpRows(const StartUps& program, const StartUps& naive, const StartUps& bare) {
    const double p = median(program.ms), n = median(naive.ms), b = median(bare.ms);
    const double pm = median(program.mib), bm = median(bare.mib);
    return {
        {"start to first frame: the program (101 fill-ups)", number(p, "%.1f ms"), "", ""},
        {"start to first frame: a naive Qt window of the same readings", number(n, "%.1f ms"), "",
         ""},
        {"start to first frame: a bare Qt window", number(b, "%.1f ms"), "", ""},
        {"start-up, program / naive window", number(p / n, "%.2f"), number(kNaiveRatio, "≤ %.2f"),
         verdict(p / n <= kNaiveRatio)},
        {"start-up, program / bare window", number(p / b, "%.2f"), number(kBareRatio, "≤ %.2f"),
         verdict(p / b <= kBareRatio)},
        {"peak memory (max RSS): the program", number(pm, "%.1f MiB"), "", ""},
        {"peak memory (max RSS): a bare Qt window", number(bm, "%.1f MiB"), "", ""},
        {"peak memory, program − bare window", number(pm - bm, "%.1f MiB"),
         number(kExtraMiB, "≤ %.0f MiB"), verdict(pm - bm <= kExtraMiB)},
    };
}

// Rows from the Google Benchmark reports; false when one of them is missing.
bool addTimedRows(const fs::path& reports, std::vector<Row>& rows) {
    const struct {
        const char* figure;
        const char* report;
        const char* name;
        std::optional<double> target;
    } timed[] = {
        {"one XpB repaint (145 × 25, ButtonStyle 1)", "bench_xpb.json", "refresh/style1_145x25",
         kRepaintUs},
        {"UpList of a 101-line journal", "bench_windows.json", "BM_UpList101", kUpListUs},
        {"statistics report of 101 fill-ups", "bench_windows.json", "BM_StatisticsBox101",
         std::nullopt},
    };
    bool complete = true;
    for (const auto& t : timed) {
        const auto us = microseconds((reports / t.report).string(), t.name);
        complete = complete && us.has_value();
        rows.push_back({t.figure,
                        us ? number(*us, "%.1f µs") : "missing from " + std::string(t.report),
                        t.target ? number(*t.target, "< %.0f µs") : "—",
                        !t.target ? "—" : verdict(us && *us < *t.target)});
    }
    return complete;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: figures <folder of the Google Benchmark JSON reports>\n");
        return 2;
    }
    const fs::path here = fs::canonical("/proc/self/exe").parent_path();
    StartUps program, naive, bare;
    const std::string problem = measureStartUps(here, program, naive, bare);

    std::vector<Row> rows;
    if (problem.empty())
        rows = startUpRows(program, naive, bare);
    else
        rows.push_back({"start to first frame, peak memory", "not measured: " + problem, "", "NO"});
    const bool complete = addTimedRows(argv[1], rows) && problem.empty();

    std::printf(
        "\nZoltrek Calculator: figures (start-ups: median of %d runs each on one X display, after "
        "one warm-up; %d, %d and %d did not paint; times: Google Benchmark real time, above)\n",
        kRuns, program.failed, naive.failed, bare.failed);
    printTable(rows);
    return complete ? 0 : 1;
}
