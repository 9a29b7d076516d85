#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QString>

class QFile;

/// Reading a user's file whole, within a stated size: the file must be a regular file (not a
/// folder, device or pipe, which could be endless) and at most `cap` bytes long.
namespace boundedfile {

/// Largest colour file read.
inline constexpr qint64 MaxColorFileBytes = qint64(64) << 20;
/// Largest settings file read.
inline constexpr qint64 MaxSettingsFileBytes = qint64(4) << 20;
/// Largest map archive loaded.
inline constexpr qint64 MaxMapBytes = qint64(512) << 20;

/// The cause of a failed open for reading, from its errno: "cannot be read (permission
/// denied)", "no such file"...
[[nodiscard]] QString whyUnreadable(int error);

/// Checks that `path` names a regular file of at most `cap` bytes; a failure of `kind` whose
/// sentence (without the file's name) says what is wrong.
[[nodiscard]] Result<void> check(const QString &path, qint64 cap, FailureKind kind);

/// Opens `file` on the file at `path` for reading after the checks of check(), without an
/// open that could block (a pipe swapped in after the check is still refused). A file the
/// user may not read is "cannot be read (permission denied)".
[[nodiscard]] Result<void> open(QFile &file, const QString &path, qint64 cap, FailureKind kind);

/// The whole content of the file at `path`, after check(); a file that grows past `cap`
/// while it is read is refused too.
[[nodiscard]] Result<QByteArray> read(const QString &path, qint64 cap, FailureKind kind);

} // namespace boundedfile
