#include "core/common/BoundedFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace boundedfile {
namespace {

QString tr(const char *text) { return QCoreApplication::translate("BoundedFile", text); }

Failure tooLarge(qint64 size, qint64 cap, FailureKind kind)
{
    return fail(kind, tr("the file is %1 bytes long; files over %2 MiB are not read")
                          .arg(size)
                          .arg(cap >> 20));
}

} // namespace

Result<void> check(const QString &path, qint64 cap, FailureKind kind)
{
    const QFileInfo info(path);
    if (!info.exists())
        return fail(kind, tr("no such file"));
    if (!info.isFile())
        return fail(kind, tr("not a regular file"));
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
        return fail(kind, tr("cannot be read: %1").arg(in.errorString()));
    QByteArray bytes = in.read(cap + 1);
    if (in.error() != QFileDevice::NoError)
        return fail(kind, tr("cannot be read: %1").arg(in.errorString()));
    if (bytes.size() > cap)
        return tooLarge(in.size(), cap, kind);
    return bytes;
}

} // namespace boundedfile
