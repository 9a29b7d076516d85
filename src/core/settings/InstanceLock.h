#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// "Is another instance of the program running?" A lock file names the process holding
/// it. A lock whose process has gone (a crash, a kill) and a lock file that cannot be read
/// as one (empty after a crash, garbage, a folder) count as free, so neither can keep the
/// program from starting. The lock is released when the object is destroyed.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &lockFile);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    enum class State {
        Acquired,    ///< this process holds the lock
        HeldByOther, ///< a live process holds it: another instance runs
        Unavailable, ///< no lock can be taken here (folder missing or not writable, ...)
    };
    struct Result
    {
        State state = State::Unavailable;
        qint64 ownerPid = 0; ///< for HeldByOther, when the lock names it
        QString reason;      ///< for Unavailable: why, as the end of a sentence
        explicit operator bool() const { return state == State::Acquired; }
    };

    /// Takes the lock; asking again while holding it succeeds.
    Result tryAcquire();

    /// The lock file's path.
    QString lockPath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};
