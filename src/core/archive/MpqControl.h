#pragma once

#include "core/archive/ArchiveAccess.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

/// The program's map archives, worked on by velmora-archive-worker: every call into the
/// archive library runs in that small process, so that an archive which makes the library
/// abort, crash, loop or allocate without end becomes an ordinary failure ("the map archive
/// is damaged or uses a form Velmora cannot read") while the program and the user's files
/// stay as they were. One worker serves the operations of this object one after another
/// (starting a process costs more than most operations); it is ended after any failure, so
/// the next operation starts a fresh one, and when this object goes.
class MpqControl : public ArchiveAccess
{
public:
    struct Limits
    {
        int timeoutMs = 30000;         ///< the worker is killed after this long
        int memoryLimitMiB = int(workerprotocol::DefaultMemoryLimitMiB); ///< the worker's address-space limit
    };

    /// Uses the worker found beside the running executable, else in
    /// "../libexec/velmora/" relative to it.
    MpqControl();
    /// Uses the worker at `workerPath` (tests give a stand-in here).
    MpqControl(QString workerPath, Limits limits);

    /// The worker program this instance runs; empty when none was found.
    QString workerPath() const { return m_workerPath; }
    static QString findWorker();

    Status extractEntry(const QString &archivePath, const QString &entryName,
                         const QString &destFolder) const override;
    Status storeEntry(const QString &archivePath, const QString &filePath,
                       const QString &entryName) const override;
    Status readEntry(const QString &archivePath, const QString &entryName, QByteArray *data,
                      qint64 maxSize = DefaultMaxEntrySize) const override;
    Status listEntries(const QString &archivePath, QStringList *names,
                        int *fileCount) const override;
    /// One request: the worker stores into a copy, checks the read-back and the entry count
    /// there, and only then puts the copy in place of the archive.
    Status storeChecked(const QString &archivePath, const QString &filePath,
                         const QString &entryName, const Failure &notVerified,
                         CheckedArchive *checked) const override;

private:
    struct Reply;
    class Worker;
    Reply call(const std::string &request) const;
    /// A store; on success `fields` holds the worker's reply (see WorkerProtocol.h). A
    /// read-back that differs gives `notVerified` when there is one.
    Status store(const QString &archivePath, const QString &filePath, const QString &entryName,
                 const Failure *notVerified, std::vector<std::string> *fields) const;

    QString m_workerPath;
    Limits m_limits;
    /// The running worker, shared by copies of this object; started on first use.
    mutable std::shared_ptr<Worker> m_worker;
};
