#include "platform/backgroundwork.h"

#include <QEventLoop>
#include <exception>
#include <system_error>
#include <thread>

namespace zoltrek {

void runWhilePainting(const std::function<void()>& work) {
    QEventLoop loop;
    std::exception_ptr failure;
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            // Posted, so it ends the loop even when the work is done before the loop starts.
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
    } catch (const std::system_error&) {  // no thread to be had: the window waits instead
        work();
        return;
    }
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace zoltrek
