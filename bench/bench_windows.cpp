// The main window's reload of a full journal, as every save ends with it, and the text of the
// statistics box, both through the real window on the offscreen platform.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <memory>

#include "mainwindow/mainwindow.h"
#include "mainwindow/messages.h"
#include "platform/appearance.h"

#include "support/journaltext.h"
#include "support/tempfolder.h"

namespace zoltrek {
namespace {

// A window on a journal of 101 fill-ups, with nothing shown to the user.
struct FullWindow {
    testing::TempFolder folder;
    JournalFile file{folder.file("zoltrek.dat")};
    std::unique_ptr<Main> main;

    FullWindow() {
        testing::writeBytes(file.path(), testing::journalOf(Journal::kSlots));
        Environment quiet{Locale{}, [] { return QDateTime::currentDateTime(); },
                          [](QWidget*, const Message&) {}, [](const QUrl&) { return false; }};
        main = std::make_unique<Main>(file, quiet);
        main->show();
        QApplication::processEvents();
    }
    int listed() const { return main->findChild<QListWidget*>("List1")->count(); }
};

void BM_UpList101(benchmark::State& state) {
    FullWindow window;
    for (auto _ : state)
        window.main->UpList();
    if (window.listed() != Journal::kSlots)
        state.SkipWithError("the list does not hold 101 items");
}

void BM_StatisticsBox101(benchmark::State& state) {
    FullWindow window;
    for (auto _ : state)
        benchmark::DoNotOptimize(statisticsMessage(window.main->journal(), Locale{}));
}

BENCHMARK(BM_UpList101)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StatisticsBox101)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zoltrek

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    zoltrek::setUpApplication(app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
