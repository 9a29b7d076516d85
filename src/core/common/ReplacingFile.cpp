#include "core/common/ReplacingFile.h"

#include "core/common/EndSignals.h"
#include "core/common/FileIdentity.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString said(const char *text) { return QCoreApplication::translate("ReplacingFile", text); }

// Causes of our own beside the errno values.
constexpr int Ending = -1; // endsignals::renameUnlessEnding's answer
constexpr int NotAsWritten = -2;

constexpr quint64 HashStart = 14695981039346656037ull;

/// FNV-1a over `size` bytes, continued from `hash`: what was written is what reads back.
quint64 hashOf(quint64 hash, const char *data, qint64 size)
{
    for (qint64 i = 0; i < size; ++i)
        hash = (hash ^ quint8(data[i])) * 1099511628211ull;
    return hash;
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

void syncFolder(const QByteArray &folder)
{
    // Only decides whether the old or the new file is found after a power cut.
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
}

mode_t modeFor(const QByteArray &target)
{
    struct stat st {};
    if (::stat(target.constData(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

ReplacingFile::ReplacingFile(const QString &target) : m_target(target) {}

ReplacingFile::~ReplacingFile()
{
    cancel();
}

QString ReplacingFile::causeOf(int error)
{
    switch (error) {
    case ENOSPC:
    case EDQUOT: return said("the disk is full");
    case EACCES:
    case EPERM: return said("permission denied");
    case EROFS: return said("the disk is read-only");
    case ENOENT:
    case ENOTDIR: return said("its folder does not exist");
    case Ending: return said("the program was ended before the file was replaced");
    case NotAsWritten: return said("the copy written does not read back as written");
    default: return QString::fromLocal8Bit(std::strerror(error));
    }
}

Status ReplacingFile::failed(int error)
{
    cancel();
    return fail(FailureKind::Output, causeOf(error));
}

Status ReplacingFile::begin()
{
    cancel();
    m_final = fileidentity::finalName(QFile::encodeName(m_target));
    struct stat st {};
    if (::stat(m_final.constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return fail(FailureKind::Output,
                    said("it is %1, not a regular file")
                        .arg(fileidentity::typeName(fileidentity::typeOf(m_target))));
    const qsizetype slash = m_final.lastIndexOf('/');
    QByteArray pattern = folderOf(m_final) + "/." + m_final.mid(slash + 1) + ".XXXXXX";
    std::vector<char> name(pattern.constData(), pattern.constData() + pattern.size() + 1);
    const int fd = endsignals::createTemporary(name.data());
    if (fd < 0)
        return failed(errno == EINTR ? Ending : errno);
    m_fd = fd;
    m_temporary = QByteArray(name.data());
    if (::fchmod(m_fd, modeFor(m_final)) != 0)
        return failed(errno);
    m_written = 0;
    m_writeError = 0;
    m_hash = HashStart;
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    setErrorString(QString()); // set by a failed write only
    return {};
}

qint64 ReplacingFile::readData(char *, qint64)
{
    return -1;
}

qint64 ReplacingFile::writeData(const char *data, qint64 size)
{
    if (m_fd < 0 || m_writeError)
        return -1;
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size_t(size - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            m_writeError = n < 0 ? errno : ENOSPC;
            setErrorString(causeOf(m_writeError));
            return -1;
        }
        done += n;
    }
    m_hash = hashOf(m_hash, data, size);
    m_written += size;
    return size;
}

Status ReplacingFile::commit()
{
    if (m_fd < 0)
        return fail(FailureKind::Output, causeOf(EBADF));
    if (m_writeError)
        return failed(m_writeError);
    if (::fsync(m_fd) != 0)
        return failed(errno);
    // Read back: the copy renamed into place holds exactly what was written.
    std::vector<char> piece(size_t(1) << 20);
    quint64 hash = HashStart;
    qint64 total = 0;
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(m_fd, piece.data(), piece.size(), at);
        if (n < 0)
            return failed(errno);
        if (n == 0)
            break;
        hash = hashOf(hash, piece.data(), n);
        total += n;
        at += n;
    }
    if (total != m_written || hash != m_hash)
        return failed(NotAsWritten);
    QIODevice::close();
    ::close(m_fd);
    m_fd = -1;
    if (const int error = endsignals::renameUnlessEnding(m_temporary, m_final); error != 0) {
        if (error < 0) { // already removed as the program ends
            endsignals::dropTemporary(m_temporary);
            m_temporary.clear();
        }
        return failed(error);
    }
    m_temporary.clear();
    syncFolder(folderOf(m_final));
    return {};
}

void ReplacingFile::cancel()
{
    if (isOpen())
        QIODevice::close();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        (void)::unlink(m_temporary.constData());
        endsignals::dropTemporary(m_temporary);
        m_temporary.clear();
    }
}
