#include "core/common/BoundedFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

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

} // namespace

Result<void> check(const QString &path, qint64 cap, FailureKind kind)
{
    const QFileInfo info(path);
    if (!info.exists())
        return fail(kind, BoundedFileText::tr("no such file"));
    if (!info.isFile())
        return fail(kind, BoundedFileText::tr("not a regular file"));
    if (info.size() > cap)
        return tooLarge(info.size(), cap, kind);
    return {};
}

Result<QByteArray> read(const QString &path, qint64 cap, FailureKind kind)
{
    if (Result<void> checked = check(path, cap, kind); !checked)
        return checked.failure();
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        return fail(kind, BoundedFileText::tr("cannot be read: %1").arg(in.errorString()));
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
