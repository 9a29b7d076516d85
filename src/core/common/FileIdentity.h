#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

/// What a name in the file system is and which file it is: the one rule for "the same file"
/// and for "a file Velmora may read or replace", shared by the windows and the companion.
namespace fileidentity {

/// What a path names, symbolic links followed.
enum class FileType { Missing, Regular, Folder, Device, Fifo, Socket, Other };

/// The type of what `path` names (Missing also when it cannot be examined).
[[nodiscard]] FileType typeOf(const QString &path);

/// How a message names a type that is not a regular file: "a folder", "a named pipe"...
[[nodiscard]] QString typeName(FileType type);

/// A file as the system knows it: its device and inode.
struct FileId
{
    quint64 device = 0;
    quint64 inode = 0;
    friend bool operator==(const FileId &, const FileId &) = default;
};

/// The device and inode of what `path` names (symbolic links followed); none when it does
/// not exist.
[[nodiscard]] std::optional<FileId> idOf(const QString &path);

/// The same file: the same device and inode when both exist (hard links, symbolic links,
/// other spellings), otherwise the same clean absolute path.
[[nodiscard]] bool sameFile(const QString &a, const QString &b);

/// The name a write to `path` ends up at: symbolic links followed (relative ones from the
/// link's folder), as far as they exist; a dangling link gives the name it points to. In the
/// system's bytes, so that names which are not UTF-8 survive.
[[nodiscard]] QByteArray finalName(const QByteArray &path);

/// True when a write to `path` (existing or not) lands inside `folder` or on it: some
/// existing folder on the way up from finalName(path) is `folder` by device and inode.
[[nodiscard]] bool liesWithin(const QString &path, const QString &folder);

} // namespace fileidentity
