#include "SignalEnding.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <csignal>
#include <thread>

#include <pthread.h>

namespace signalending {
namespace {

sigset_t endSignals()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    return set;
}

} // namespace

void blockEndSignals()
{
    const sigset_t set = endSignals();
    (void)pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void endOnSignals(std::function<void(int status)> end)
{
    std::thread([end = std::move(end)] {
        const sigset_t set = endSignals();
        int received = 0;
        if (sigwait(&set, &received) != 0)
            return;
        QMetaObject::invokeMethod(QCoreApplication::instance(),
                                  [end, received] { end(128 + received); }, Qt::QueuedConnection);
    }).detach();
}

} // namespace signalending
