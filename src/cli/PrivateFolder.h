#pragma once

#include <QString>
#include <QTemporaryDir>

#include <optional>

/// The companion's private working folder in the temporary folder. It is removed when the
/// object goes, and also when SIGINT or SIGTERM ends the program (see
/// removePrivateFoldersOnSignals), so no copy of a map is left behind.
class PrivateFolder
{
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder &) = delete;
    PrivateFolder &operator=(const PrivateFolder &) = delete;

    /// The temporary folder the private folder goes in: TMPDIR as given (a missing TMPDIR
    /// is not replaced by another folder), or the system's.
    static QString parent();

    bool isValid() const { return m_dir && m_dir->isValid(); }
    QString path() const { return isValid() ? m_dir->path() : QString(); }

private:
    std::optional<QTemporaryDir> m_dir;
};

/// Blocks SIGINT and SIGTERM in the calling thread and in every thread it starts later, and
/// starts a thread that waits for them: it removes the private folder that exists at that
/// moment and ends the program with status 128 + the signal number, unless a file was
/// replaced already (see endsignals): then the job finishes as it would have. Call first in main(),
/// before any other thread exists.
void removePrivateFoldersOnSignals();
