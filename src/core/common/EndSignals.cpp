#include "core/common/EndSignals.h"

#include <QList>

#include <cerrno>
#include <cstdio>
#include <mutex>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace endsignals {
namespace {

struct State
{
    std::mutex mutex;
    QList<QByteArray> temporaries;
    bool ending = false;
    bool replaced = false;
};

State &state()
{
    static State s;
    return s;
}

} // namespace

bool beginEnding()
{
    State &s = state();
    const std::lock_guard<std::mutex> lock(s.mutex);
    if (s.replaced)
        return true;
    s.ending = true;
    for (const QByteArray &path : std::as_const(s.temporaries))
        (void)::unlink(path.constData());
    s.temporaries.clear();
    return false;
}

int createTemporary(char *pattern)
{
    State &s = state();
    // Under the lock: a copy made is always one the ending removes.
    const std::lock_guard<std::mutex> lock(s.mutex);
    if (s.ending) {
        errno = EINTR;
        return -1;
    }
    const int fd = ::mkostemp(pattern, O_CLOEXEC);
    if (fd >= 0)
        s.temporaries.append(QByteArray(pattern));
    return fd;
}

void dropTemporary(const QByteArray &path)
{
    State &s = state();
    const std::lock_guard<std::mutex> lock(s.mutex);
    s.temporaries.removeOne(path);
}

int renameUnlessEnding(const QByteArray &from, const QByteArray &to)
{
    State &s = state();
    const std::lock_guard<std::mutex> lock(s.mutex);
    if (s.ending) {
        (void)::unlink(from.constData());
        return -1;
    }
    if (std::rename(from.constData(), to.constData()) != 0)
        return errno;
    s.temporaries.removeOne(from);
    s.replaced = true;
    return 0;
}

} // namespace endsignals
