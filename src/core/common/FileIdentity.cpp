#include "core/common/FileIdentity.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <climits>
#include <cstdlib>

#include <sys/stat.h>
#include <unistd.h>

namespace {

/// This file's sentences, in their own translation context.
struct FileIdentityText
{
    Q_DECLARE_TR_FUNCTIONS(FileIdentity)
};

} // namespace

namespace fileidentity {
namespace {

bool statOf(const QString &path, struct stat *st)
{
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), st) == 0;
}

QString cleanAbsolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

FileType typeOf(const QString &path)
{
    struct stat st {};
    if (!statOf(path, &st))
        return FileType::Missing;
    if (S_ISREG(st.st_mode))
        return FileType::Regular;
    if (S_ISDIR(st.st_mode))
        return FileType::Folder;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return FileType::Device;
    if (S_ISFIFO(st.st_mode))
        return FileType::Fifo;
    if (S_ISSOCK(st.st_mode))
        return FileType::Socket;
    return FileType::Other;
}

QString typeName(FileType type)
{
    switch (type) {
    case FileType::Missing: return FileIdentityText::tr("missing");
    case FileType::Regular: return FileIdentityText::tr("a regular file");
    case FileType::Folder: return FileIdentityText::tr("a folder");
    case FileType::Device: return FileIdentityText::tr("a device");
    case FileType::Fifo: return FileIdentityText::tr("a named pipe");
    case FileType::Socket: return FileIdentityText::tr("a socket");
    case FileType::Other: break;
    }
    return FileIdentityText::tr("not a regular file");
}

std::optional<FileId> idOf(const QString &path)
{
    struct stat st {};
    if (!statOf(path, &st))
        return std::nullopt;
    return FileId{quint64(st.st_dev), quint64(st.st_ino)};
}

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const std::optional<FileId> ia = idOf(a), ib = idOf(b);
    if (ia && ib)
        return *ia == *ib;
    return cleanAbsolute(a) == cleanAbsolute(b);
}

QByteArray finalName(const QByteArray &path)
{
    QByteArray at = path;
    // The system's own limit on links followed in one name.
    for (int hops = 0; hops < 40; ++hops) {
        char target[4096];
        const ssize_t n = ::readlink(at.constData(), target, sizeof target - 1);
        if (n <= 0)
            break;
        const QByteArray to(target, n);
        if (to.startsWith('/')) {
            at = to;
        } else {
            const qsizetype slash = at.lastIndexOf('/');
            at = (slash >= 0 ? at.left(slash + 1) : QByteArray()) + to;
        }
    }
    return at;
}

bool liesWithin(const QString &path, const QString &folder)
{
    const std::optional<FileId> wanted = idOf(folder);
    if (!wanted || path.isEmpty())
        return false;
    QByteArray at = finalName(QFile::encodeName(path));
    if (!at.startsWith('/'))
        at = QFile::encodeName(QDir::currentPath()) + '/' + at;
    const auto isWanted = [&wanted](const QByteArray &name) {
        struct stat st {};
        return ::stat(name.constData(), &st) == 0
            && FileId{quint64(st.st_dev), quint64(st.st_ino)} == *wanted;
    };
    if (isWanted(at))
        return true;
    // The nearest existing folder above, resolved by the system (links and ".." included),
    // then every folder above that.
    const auto up = [](const QByteArray &name) {
        const qsizetype slash = name.lastIndexOf('/');
        return slash <= 0 ? QByteArray("/") : name.left(slash);
    };
    QByteArray folderAt = up(at);
    char resolved[PATH_MAX] = "/";
    while (::realpath(folderAt.constData(), resolved) == nullptr && folderAt != "/")
        folderAt = up(folderAt);
    for (QByteArray name(resolved); ; name = up(name)) {
        if (isWanted(name))
            return true;
        if (name == "/")
            break;
    }
    return false;
}

} // namespace fileidentity
