#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace zoltrek::bench {

// Watches the whole application for its first paint. Once the event loop is back, that frame
// has gone to the display: it writes the monotonic clock in nanoseconds to stdout and ends
// the process at once.
class FirstFrame : public QObject {
  public:
    explicit FirstFrame(QCoreApplication& app) { app.installEventFilter(this); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
            seen_ = true;
            QTimer::singleShot(0, &stampAndExit);
        }
        return false;
    }

  private:
    static void stampAndExit() {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        std::printf("%lld\n", static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec);
        std::fflush(stdout);
        std::_Exit(0);
    }

    bool seen_ = false;
};

}  // namespace zoltrek::bench
