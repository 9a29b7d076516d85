#include "core/settings/InstanceLock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace {

QString lockIn(const QString &dir, const QString &name)
{
    return QDir(dir).filePath(name);
}

} // namespace

InstanceLock::InstanceLock(const QString &programDir) : m_programDir(programDir) {}

InstanceLock::~InstanceLock() = default;

QString InstanceLock::lockPath() const
{
    return m_lock ? m_lock->fileName() : lockIn(m_programDir, QStringLiteral("velmora.lock"));
}

bool InstanceLock::tryAcquire()
{
    if (m_lock && m_lock->isLocked())
        return true;

    auto attempt = [](const QString &path, QLockFile::LockError *error) {
        auto lock = std::make_unique<QLockFile>(path);
        // Age alone never makes a lock stale: a program left open for a day still holds it.
        // Staleness comes only from its process being gone.
        lock->setStaleLockTime(0);
        const bool got = lock->tryLock(0);
        *error = lock->error();
        return got ? std::move(lock) : nullptr;
    };

    QLockFile::LockError error = QLockFile::NoError;
    m_lock = attempt(lockIn(m_programDir, QStringLiteral("velmora.lock")), &error);
    if (m_lock)
        return true;
    if (error == QLockFile::LockFailedError)
        return false;

    // The program's folder cannot hold a lock file; use one named after the folder in the
    // temporary folder, so two copies installed in different folders still run side by side.
    const QByteArray id = QCryptographicHash::hash(QDir(m_programDir).absolutePath().toUtf8(),
                                                   QCryptographicHash::Sha1)
                              .toHex()
                              .left(16);
    const QString temp = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    m_lock = attempt(lockIn(temp, QStringLiteral("velmora-%1.lock").arg(QString::fromLatin1(id))),
                     &error);
    if (m_lock)
        return true;
    return error != QLockFile::LockFailedError;
}
