#pragma once

#include <QString>

#include <memory>

class QLockFile;

/// "Is another instance of the program running?" A lock file in the program's folder
/// names the process holding it; a lock whose process has gone (a crash, a kill) counts
/// as free, so it can never keep the program from starting. The lock is released when
/// the object is destroyed.
class InstanceLock
{
public:
    explicit InstanceLock(const QString &programDir);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    /// Takes the lock. False only when another live instance holds it. When no lock file
    /// can be made at all (a read-only folder), the program is let through: a missing
    /// lock must not keep it from running.
    bool tryAcquire();

    /// The lock file's path.
    QString lockPath() const;

private:
    QString m_programDir;
    std::unique_ptr<QLockFile> m_lock;
};
