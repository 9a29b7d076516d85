#include "core/archive/MpqControl.h"

#include "core/archive/ArchiveFailure.h"
#include "core/archive/worker/WorkerProtocol.h"
#include "core/common/HelperFiles.h"
#include "core/common/UserText.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>

#include <optional>

namespace {

/// This file's sentences, in their own translation context.
struct MpqControlText
{
    Q_DECLARE_TR_FUNCTIONS(MpqControl)
};

} // namespace

using workerprotocol::Operation;
using WorkerStatus = workerprotocol::Status;

namespace {

const QString WorkerName = QStringLiteral("velmora-archive-worker");

std::string pathBytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

std::string entryBytes(const QString &entryName)
{
    return entryName.toLatin1().toStdString();
}

Status unreadableByWorker(const QString &archivePath)
{
    return archiveFailure(ArchiveProblem::Unreadable, archivePath, {});
}

/// The failure for a worker status that is not Ok.
Status failureFor(WorkerStatus status, const QString &archivePath, const QString &entryName)
{
    const auto problem = [status] {
        switch (status) {
        case WorkerStatus::MissingArchive: return ArchiveProblem::Missing;
        case WorkerStatus::NotAnArchive: return ArchiveProblem::NotAnArchive;
        case WorkerStatus::NoEntry: return ArchiveProblem::NoEntry;
        case WorkerStatus::Damaged: return ArchiveProblem::EntryDamaged;
        case WorkerStatus::TooLarge: return ArchiveProblem::EntryTooLarge;
        case WorkerStatus::Protected: return ArchiveProblem::Protected;
        case WorkerStatus::CannotWrite: return ArchiveProblem::FolderUnwritable;
        case WorkerStatus::ReadBack: return ArchiveProblem::ReadBack;
        default: return ArchiveProblem::Unreadable;
        }
    }();
    return archiveFailure(problem, archivePath, entryName);
}

/// The program installed without its archive helper.
Status workerMissing()
{
    return Status::failure(FailureKind::Unspecified,
                           MpqControlText::tr("Velmora's archive helper \"%1\" is missing; install "
                                       "Velmora again.").arg(WorkerName));
}

QString executableDir()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).absolutePath();
}

} // namespace

struct MpqControl::Reply
{
    bool answered = false; ///< false: the worker died, hung or spoke nonsense
    WorkerStatus status = WorkerStatus::BadRequest;
    std::vector<std::string> fields;
};

QString MpqControl::findWorker()
{
    return findHelperFile(executableDir(), WorkerName, true);
}

MpqControl::MpqControl() : MpqControl(findWorker(), Limits{}) {}

MpqControl::MpqControl(QString workerPath, Limits limits)
    : m_workerPath(std::move(workerPath)), m_limits(limits)
{
}

/// One running worker: requests go in one at a time, each reply is taken off its output.
class MpqControl::Worker
{
public:
    Worker(const QString &path, const Limits &limits)
    {
        m_process.setStandardErrorFile(QProcess::nullDevice());
        m_process.start(path, {QStringLiteral("--memory-limit-mib"),
                               QString::number(limits.memoryLimitMiB)});
    }
    ~Worker()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        // The end of its input ends a sound worker at once; anything else is stopped.
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(1000)) {
            m_process.kill();
            m_process.waitForFinished(-1);
        }
    }
    Worker(const Worker &) = delete;
    Worker &operator=(const Worker &) = delete;

    /// True when the worker is gone (killed while it waited for work, say): a new one is due.
    bool hasEnded()
    {
        return m_process.state() == QProcess::NotRunning || m_process.waitForFinished(0);
    }

    /// True when the worker ended by itself without a word about the last request: it had
    /// finished its work (its input ended) before the request reached it.
    bool endedBeforeAsked()
    {
        return !m_heard && hasEnded() && m_process.exitStatus() == QProcess::NormalExit
            && m_process.exitCode() == 0;
    }

    /// Ends a worker that did not answer (it may be looping) without waiting for it.
    void kill()
    {
        m_process.kill();
        m_process.waitForFinished(-1);
    }

    /// The bytes of one whole reply, or nothing when the worker died, hung past `deadline`
    /// or wrote anything but exactly one message.
    std::optional<QByteArray> ask(const std::string &request, const QDeadlineTimer &deadline)
    {
        m_heard = false;
        if (!m_process.waitForStarted(int(qMax<qint64>(1, deadline.remainingTime()))))
            return std::nullopt;
        if (m_process.write(request.data(), qint64(request.size())) != qint64(request.size()))
            return std::nullopt;
        QByteArray reply;
        for (;;) {
            reply += m_process.readAllStandardOutput();
            m_heard = m_heard || !reply.isEmpty();
            const auto size = workerprotocol::messageSize(false, std::string_view(reply.constData(), size_t(reply.size())));
            if (!size || (*size > 0 && size_t(reply.size()) > *size))
                return std::nullopt;
            if (*size > 0 && size_t(reply.size()) == *size)
                return reply;
            if (deadline.hasExpired()
                || !m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime()))))
                return std::nullopt;
        }
    }

private:
    QProcess m_process;
    bool m_heard = false; ///< any byte of a reply to the current request
};

MpqControl::Reply MpqControl::call(const std::string &request) const
{
    Reply reply;
    const QDeadlineTimer deadline(m_limits.timeoutMs);
    const bool reused = m_worker && !m_worker->hasEnded();
    if (!reused)
        m_worker = std::make_shared<Worker>(m_workerPath, m_limits);
    std::optional<QByteArray> out = m_worker->ask(request, deadline);
    if (!out && reused && m_worker->endedBeforeAsked()) {
        m_worker = std::make_shared<Worker>(m_workerPath, m_limits);
        out = m_worker->ask(request, deadline);
    }
    const auto message = out ? workerprotocol::decode(false, std::string_view(out->constData(), size_t(out->size())))
                             : std::nullopt;
    if (message) {
        reply.answered = true;
        reply.status = WorkerStatus(message->code);
        reply.fields = message->fields;
    }
    // A worker that failed ends by itself; one that did not answer is stopped.
    if (!message)
        m_worker->kill();
    if (!message || reply.status != WorkerStatus::Ok)
        m_worker.reset();
    return reply;
}

Status MpqControl::readEntry(const QString &archivePath, const QString &entryName,
                              QByteArray *data, qint64 maxSize) const
{
    if (m_workerPath.isEmpty())
        return workerMissing();
    const workerprotocol::Message request{
        std::uint8_t(Operation::Read),
        {pathBytes(archivePath), entryBytes(entryName), workerprotocol::number64(quint64(qMax<qint64>(0, maxSize)))}};
    const Reply reply = call(workerprotocol::encode(true, request));
    if (!reply.answered)
        return unreadableByWorker(archivePath);
    if (reply.status != WorkerStatus::Ok)
        return failureFor(reply.status, archivePath, entryName);
    if (reply.fields.size() != 1 || qint64(reply.fields[0].size()) > maxSize)
        return unreadableByWorker(archivePath);
    if (data)
        *data = QByteArray(reply.fields[0].data(), qsizetype(reply.fields[0].size()));
    return Status::success();
}

Status MpqControl::extractEntry(const QString &archivePath, const QString &entryName,
                                 const QString &destFolder) const
{
    // Only the entry's bare name is used, so no name can reach outside the folder.
    const QString bareName = entryName.section(QLatin1Char('\\'), -1).section(QLatin1Char('/'), -1);
    if (bareName.isEmpty() || bareName == QLatin1String(".") || bareName == QLatin1String(".."))
        return Status::failure(FailureKind::Unspecified, MpqControlText::tr("\"%1\" is not an entry name that can be extracted.")
                                    .arg(entryName));
    QByteArray data;
    if (Status read = readEntry(archivePath, entryName, &data); !read)
        return read;
    // A working file: written plainly (no flush to disk); a partial file is removed.
    const QString destPath = QDir(destFolder).filePath(bareName);
    QFile out(destPath);
    if (!QFileInfo(destFolder).isDir() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || out.write(data) != data.size() || !out.flush()) {
        out.close();
        QFile::remove(destPath);
        return Status::failure(FailureKind::WorkingFolder,
                                MpqControlText::tr("\"%1\" could not be written. Check that the disk is "
                                            "not full and that you may write there.")
                                    .arg(shownPath(destPath)));
    }
    return Status::success();
}

Status MpqControl::listEntries(const QString &archivePath, QStringList *names,
                                int *fileCount) const
{
    if (m_workerPath.isEmpty())
        return workerMissing();
    const workerprotocol::Message request{std::uint8_t(Operation::List), {pathBytes(archivePath)}};
    const Reply reply = call(workerprotocol::encode(true, request));
    if (!reply.answered)
        return unreadableByWorker(archivePath);
    if (reply.status != WorkerStatus::Ok)
        return failureFor(reply.status, archivePath, {});
    const auto count = reply.fields.size() == 2 ? workerprotocol::readNumber(reply.fields[0]) : std::nullopt;
    if (!count || *count > 0x7FFFFFFF)
        return unreadableByWorker(archivePath);
    if (names) {
        const QString joined = QString::fromLatin1(reply.fields[1].data(), qsizetype(reply.fields[1].size()));
        *names = joined.isEmpty() ? QStringList() : joined.split(QLatin1Char('\n'));
    }
    if (fileCount)
        *fileCount = int(*count);
    return Status::success();
}

namespace {

/// A free name beside the archive for the worker's copy, and removal of everything the
/// worker may leave there (the copy, its listfile, the library's own temporary file),
/// whether it finished, failed or was killed. The name is not reserved by creating a file:
/// the worker creates the copy itself and refuses a name that is taken.
class ScratchName
{
public:
    explicit ScratchName(const QString &archivePath)
    {
        const QString folder = QFileInfo(archivePath).absolutePath();
        do {
            m_path = folder + QStringLiteral("/.velmora-%1.tmp")
                                  .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
        } while (QFileInfo::exists(m_path));
    }
    ~ScratchName()
    {
        for (const QString &suffix : {QString(), QStringLiteral(".lst"), QStringLiteral(".tmp")})
            QFile::remove(m_path + suffix);
    }
    QString path() const { return m_path; }

private:
    QString m_path;
};

} // namespace

Status MpqControl::store(const QString &archivePath, const QString &filePath,
                         const QString &entryName, const Failure *notVerified,
                         std::vector<std::string> *fields) const
{
    if (m_workerPath.isEmpty())
        return workerMissing();
    QFile source(filePath);
    const QString unreadable = MpqControlText::tr("\"%1\" cannot be read, so it cannot be stored in the "
                                           "map archive.").arg(shownPath(filePath));
    if (!QFileInfo(filePath).isFile() || !source.open(QIODevice::ReadOnly))
        return Status::failure(FailureKind::WorkingFolder, unreadable);
    if (source.size() > DefaultMaxEntrySize)
        return Status::failure(FailureKind::BadScenario,
                                MpqControlText::tr("\"%1\" is too large to be stored in a map archive.")
                                    .arg(shownPath(filePath)));
    // Read straight into the request's field, and moved from there: the entry is not copied
    // again before it is encoded.
    std::string data(size_t(source.size()), '\0');
    if (source.read(data.data(), qint64(data.size())) != qint64(data.size()) || !source.atEnd())
        return Status::failure(FailureKind::WorkingFolder, unreadable);

    const ScratchName scratch(archivePath);
    workerprotocol::Message request{std::uint8_t(Operation::Store), {}};
    request.fields.reserve(4);
    request.fields.push_back(pathBytes(archivePath));
    request.fields.push_back(entryBytes(entryName));
    request.fields.push_back(std::move(data));
    request.fields.push_back(pathBytes(scratch.path()));
    Reply reply = call(workerprotocol::encode(true, request));
    if (!reply.answered)
        return unreadableByWorker(archivePath);
    if (reply.status == WorkerStatus::ReadBack && notVerified)
        return *notVerified;
    if (reply.status != WorkerStatus::Ok)
        return failureFor(reply.status, archivePath, entryName);
    if (reply.fields.size() != 4)
        return unreadableByWorker(archivePath);
    *fields = std::move(reply.fields);
    return Status::success();
}

Status MpqControl::storeEntry(const QString &archivePath, const QString &filePath,
                               const QString &entryName) const
{
    std::vector<std::string> fields;
    return store(archivePath, filePath, entryName, nullptr, &fields);
}

Status MpqControl::storeChecked(const QString &archivePath, const QString &filePath,
                                const QString &entryName, const Failure &notVerified,
                                CheckedArchive *checked) const
{
    std::vector<std::string> fields;
    // The worker checked the read-back before it replaced the archive; the entry counts it
    // reports are the rest of the check.
    if (Status stored = store(archivePath, filePath, entryName, &notVerified, &fields); !stored)
        return stored;
    const auto before = workerprotocol::readNumber(fields[0]);
    const auto after = workerprotocol::readNumber(fields[1]);
    const auto size = workerprotocol::readNumber(fields[2]);
    const auto print = workerprotocol::readNumber(fields[3]);
    if (!before || !after || !size || !print || *before != *after || *size > quint64(INT64_MAX))
        return notVerified;
    if (checked)
        *checked = {qint64(*size), *print};
    return Status::success();
}
