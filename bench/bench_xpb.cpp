// One full repaint of a window's button, as the windows place them.

#include <benchmark/benchmark.h>

#include <QApplication>

#include "controls/xpb/widget/xpb.h"
#include "platform/appearance.h"

namespace {

void refresh(benchmark::State& state, std::int32_t style, bool disabled) {
    zoltrek::XpB button;
    button.place(zoltrek::PropertyBag{{"_extentx", 3836},
                                      {"_extenty", 661},
                                      {"caption", std::string("Новая заправка")},
                                      {"buttonstyle", style},
                                      {"showfocusrect", false}},
                 "XpB1");
    if (button.size() != QSize(145, 25))
        state.SkipWithError("the button is not 145 x 25");
    if (disabled)
        button.setEnabledCtrl(false);
    for (auto _ : state) {
        button.Refresh();
        benchmark::DoNotOptimize(button.image().constBits());
    }
}

BENCHMARK_CAPTURE(refresh, style1_145x25, 1, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(refresh, style3_145x25, 3, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(refresh, style3_145x25_disabled, 3, true)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setFont(zoltrek::defaultFont());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
