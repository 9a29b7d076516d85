#include "core/common/BoundedFile.h"

#include "core/common/FileIdentity.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

/// This file's sentences, in their own translation context.
struct BoundedFileText
{
    Q_DECLARE_TR_FUNCTIONS(BoundedFile)
};

} // namespace

namespace boundedfile {
namespace {

Failure tooLarge(qint64 size, qint64 cap, FailureKind kind)
{
    return fail(kind, BoundedFileText::tr("the file is %1 bytes long; files over %2 MiB are not read")
                          .arg(size)
                          .arg(cap >> 20));
}

Failure notRegular(fileidentity::FileType type, FailureKind kind)
{
    if (type == fileidentity::FileType::Missing)
        return fail(kind, BoundedFileText::tr("no such file"));
    return fail(kind, BoundedFileText::tr("not a regular file (%1)").arg(fileidentity::typeName(type)));
}

} // namespace

QString whyUnreadable(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return BoundedFileText::tr("cannot be read (permission denied)");
    case ENOENT: return BoundedFileText::tr("no such file");
    default: return BoundedFileText::tr("cannot be read (%1)").arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

Result<void> check(const QString &path, qint64 cap, FailureKind kind)
{
    const fileidentity::FileType type = fileidentity::typeOf(path);
    if (type != fileidentity::FileType::Regular)
        return notRegular(type, kind);
    const QFileInfo info(path);
    if (info.size() > cap)
        return tooLarge(info.size(), cap, kind);
    return {};
}

Result<void> open(QFile &file, const QString &path, qint64 cap, FailureKind kind)
{
    if (Result<void> checked = check(path, cap, kind); !checked)
        return checked;
    // Without O_NONBLOCK, opening a pipe waits for a writer: whatever the name holds by now,
    // the open returns and fstat tells what was opened.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return fail(kind, whyUnreadable(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return notRegular(fileidentity::typeOf(path), kind);
    }
    if (qint64(st.st_size) > cap) {
        ::close(fd);
        return tooLarge(qint64(st.st_size), cap, kind);
    }
    (void)::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(kind, BoundedFileText::tr("cannot be read: %1").arg(file.errorString()));
    }
    return {};
}

Result<QByteArray> read(const QString &path, qint64 cap, FailureKind kind)
{
    QFile in;
    if (Result<void> opened = open(in, path, cap, kind); !opened)
        return opened.failure();
    // A buffer of the file's size and one byte more (to see it grow), enlarged only if it
    // does grow: a buffer of the cap would be a fresh mapping whose every page faults in,
    // where one of the file's size comes from the heap and its pages serve later buffers.
    QByteArray bytes(std::clamp<qint64>(in.size(), 0, cap) + 1, Qt::Uninitialized);
    qint64 got = 0;
    for (;;) {
        const qint64 n = in.read(bytes.data() + got, bytes.size() - got);
        if (n < 0 || in.error() != QFileDevice::NoError)
            return fail(kind, BoundedFileText::tr("cannot be read: %1").arg(in.errorString()));
        got += n;
        if (n == 0 || got > cap)
            break;
        if (got == bytes.size())
            bytes.resize(std::min<qint64>(2 * bytes.size(), cap + 1));
    }
    if (got > cap)
        return tooLarge(in.size(), cap, kind);
    bytes.truncate(got);
    return bytes;
}

} // namespace boundedfile
