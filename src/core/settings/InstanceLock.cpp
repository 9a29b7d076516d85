#include "core/settings/InstanceLock.h"

#include "core/common/UserText.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QThread>

namespace {

/// This file's sentences, in their own translation context.
struct InstanceLockText
{
    Q_DECLARE_TR_FUNCTIONS(InstanceLock)
};

} // namespace

namespace {

bool readableLock(const QString &path, qint64 *pid)
{
    QString host;
    QString app;
    return QLockFile(path).getLockInfo(pid, &host, &app) && *pid > 0;
}

/// Removes a lock file that names no process. A folder in its place goes too when empty.
bool removeUnreadable(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir() && !info.isSymLink())
        return QDir().rmdir(path);
    return QFile::remove(path);
}

} // namespace

InstanceLock::InstanceLock(const QString &lockFile) : m_path(lockFile) {}

InstanceLock::~InstanceLock() = default;

InstanceLock::Result InstanceLock::tryAcquire()
{
    if (m_lock && m_lock->isLocked())
        return {State::Acquired, 0, {}};

    // Two rounds: the second follows the removal of a lock file nobody can read.
    for (int round = 0; round < 2; ++round) {
        auto lock = std::make_unique<QLockFile>(m_path);
        // Age alone never makes a lock stale: a program left open for a day still holds it.
        // Staleness comes only from its process being gone.
        lock->setStaleLockTime(0);
        if (lock->tryLock(0)) {
            m_lock = std::move(lock);
            return {State::Acquired, 0, {}};
        }
        if (lock->error() != QLockFile::LockFailedError)
            return {State::Unavailable, 0,
                    lock->error() == QLockFile::PermissionError
                        ? InstanceLockText::tr("you may not write in \"%1\"")
                              .arg(shownPath(QFileInfo(m_path).absolutePath()))
                        : InstanceLockText::tr("the file cannot be created")};

        qint64 pid = 0;
        if (readableLock(m_path, &pid))
            return {State::HeldByOther, pid, {}};
        // A starting instance writes its lock right after creating it: give it a moment
        // before calling an unreadable lock a leftover.
        QThread::msleep(100);
        if (readableLock(m_path, &pid))
            return {State::HeldByOther, pid, {}};
        if (round == 0 && !removeUnreadable(m_path))
            return {State::Unavailable, 0,
                    InstanceLockText::tr("it cannot be read as a lock and cannot be removed")};
    }
    return {State::Unavailable, 0, InstanceLockText::tr("it cannot be read as a lock and cannot be removed")};
}
