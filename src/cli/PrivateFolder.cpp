#include "cli/PrivateFolder.h"

#include "core/common/EndSignals.h"

#include <QDir>
#include <QFileInfo>

#include <mutex>
#include <thread>

#include <csignal>
#include <unistd.h>

namespace {

// The folders to remove on a signal. The mutex also spans creating and removing the folder,
// so a signal never finds it half-registered.
std::mutex registryMutex;
QStringList registeredFolders;

/// Removes `folder` although the main thread may still be writing into it: renamed away
/// first (new files by its name then fail), removed, and again should the name be back.
void removeWhileInUse(const QString &folder)
{
    const QString away = folder + QStringLiteral(".ending");
    for (int attempt = 0; attempt < 100 && QFileInfo::exists(folder); ++attempt) {
        QDir().rename(folder, away);
        QDir(away).removeRecursively();
    }
    QDir(away).removeRecursively();
}

} // namespace

QString PrivateFolder::parent()
{
    const QString fromEnvironment = qEnvironmentVariable("TMPDIR");
    return fromEnvironment.isEmpty() ? QDir::tempPath() : fromEnvironment;
}

PrivateFolder::PrivateFolder()
{
    const std::lock_guard<std::mutex> lock(registryMutex);
    // Qt would fall back to another folder (even "/") when TMPDIR is missing.
    if (!QFileInfo(parent()).isDir())
        return;
    m_dir.emplace(QDir(parent()).filePath(QStringLiteral("velmora-cli-XXXXXX")));
    if (m_dir->isValid())
        registeredFolders.append(m_dir->path());
}

PrivateFolder::~PrivateFolder()
{
    const std::lock_guard<std::mutex> lock(registryMutex);
    if (m_dir && m_dir->isValid())
        registeredFolders.removeOne(m_dir->path());
    m_dir.reset();
}

void removePrivateFoldersOnSignals()
{
    sigset_t endSignals;
    sigemptyset(&endSignals);
    sigaddset(&endSignals, SIGINT);
    sigaddset(&endSignals, SIGTERM);
    if (pthread_sigmask(SIG_BLOCK, &endSignals, nullptr) != 0)
        return;
    std::thread([endSignals] {
        int received = 0;
        if (sigwait(&endSignals, &received) != 0)
            return;
        // A file replaced already: the job finishes its report and ends as it would have
        // (a later signal stays blocked). Otherwise no rename happens from here on.
        if (endsignals::beginEnding())
            return;
        // Held until the end: the main thread cannot start another folder meanwhile.
        registryMutex.lock();
        for (const QString &folder : std::as_const(registeredFolders))
            removeWhileInUse(folder);
        _exit(128 + received);
    }).detach();
}
