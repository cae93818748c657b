#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <string>

#include "journal/journalfile.h"
#include "journal/report.h"

#include "support/journaltext.h"
#include "support/tempfolder.h"

namespace zoltrek {
namespace {

using testing::journalOf;
using testing::repeated;
using testing::TempFolder;
using testing::writeBytes;

void loadText(benchmark::State& state, const std::string& text) {
    TempFolder folder;
    const std::string path = folder.file("zoltrek.dat");
    writeBytes(path, text);
    JournalFile file(path);
    Journal journal;
    for (auto _ : state) {
        file.load(journal);
        benchmark::DoNotOptimize(journal.JournalLast);
    }
    state.counters["records"] = journal.count();
    state.counters["file_MB"] = static_cast<double>(text.size()) / (1 << 20);
}

void BM_Load101Lines(benchmark::State& state) {
    loadText(state, journalOf(Journal::kSlots));
}
// The load stops at the record that would not fit, so a long file costs no more.
void BM_LoadMillionLines(benchmark::State& state) {
    loadText(state, journalOf(1'000'000));
}

// Journals no copy of the program writes: the load must pass over them at the speed of reading.
void BM_LoadBinaryJunk(benchmark::State& state) {
    std::mt19937 random(42);  // the same bytes every run
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random());
    loadText(state, bytes);
}
void BM_LoadNulBytes(benchmark::State& state) {
    loadText(state, repeated(std::string("06.12.26|84\0 512|40|20.5|820\r\n\0\0\0\r\n", 36), 50));
}
void BM_LoadByte0x98(benchmark::State& state) {
    loadText(state, repeated("0\x98.12.26|84\x98"
                             "512|40|20.5|820\r\n",
                             Journal::kSlots));
}
void BM_Load10MBLine(benchmark::State& state) {
    loadText(state, std::string(10 * 1024 * 1024, '7') + "\r\n" + journalOf(1));
}
void BM_Load10MBReading(benchmark::State& state) {
    loadText(state, "d|" + std::string(10 * 1024 * 1024, '7') + "|1|1|1\r\n");
}
// A 2 GiB line (a sparse file: a hole, then a line end and a record) is no record: the load
// reads past it in bounded memory, at the speed of reading.
void BM_Load2GiBSparseLine(benchmark::State& state) {
    TempFolder folder;
    const std::string path = folder.file("zoltrek.dat");
    constexpr off_t kHole = off_t(2) << 30;
    writeBytes(path, "");
    if (::truncate(path.c_str(), kHole) != 0)
        return state.SkipWithError("no sparse file here");
    std::ofstream(path, std::ios::binary | std::ios::app) << "\r\n" << journalOf(1);
    JournalFile file(path);
    Journal journal;
    for (auto _ : state) {
        file.load(journal);
        benchmark::DoNotOptimize(journal.JournalLast);
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["records"] = journal.count();
    state.counters["peak_RSS_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024;
    state.SetBytesProcessed(state.iterations() * kHole);
}

// A thousand malformed lines end the load, however many follow.
void BM_LoadMillionMalformedLines(benchmark::State& state) {
    loadText(state, repeated("06.12.26|84512\r\n", 1'000'000));
}
// Empty lines are passed over silently, so all of them are read.
void BM_LoadMillionEmptyLines(benchmark::State& state) {
    loadText(state, repeated("\r\n", 1'000'000) + journalOf(1));
}

// Deleting the first line of a 10 MB journal rewrites all of it.
void BM_Rewrite10MB(benchmark::State& state) {
    TempFolder folder;
    const std::string path = folder.file("zoltrek.dat");
    std::string line = testing::fillUp(80000);
    line.resize(1022, '0');  // with its line end, 1 KiB
    const std::string text = repeated(line + "\r\n", 10 * 1024);
    JournalFile file(path);
    Journal journal;
    for (auto _ : state) {
        state.PauseTiming();
        writeBytes(path, text);
        file.load(journal);
        state.ResumeTiming();
        if (file.removeLine(journal.lines[0]))
            state.SkipWithError("rewrite failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<long>(text.size()));
}

void BM_StatisticsReport(benchmark::State& state) {
    Journal journal;
    for (int i = 0; i < Journal::kSlots; ++i)
        journal.records[++journal.JournalLast] = {"06.12.26", 80000.0 + i * 500, 40.5, 20.5,
                                                  820.25};
    for (auto _ : state)
        benchmark::DoNotOptimize(statisticsReport(journal, ','));
}

BENCHMARK(BM_Load101Lines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadMillionLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadBinaryJunk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadNulBytes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadByte0x98)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Load10MBLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load10MBReading)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load2GiBSparseLine)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadMillionMalformedLines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadMillionEmptyLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Rewrite10MB)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StatisticsReport)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zoltrek

BENCHMARK_MAIN();
