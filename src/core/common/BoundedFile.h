#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QString>

/// Reading a user's file whole, within a stated size: the file must be a regular file (not a
/// folder, device or pipe, which could be endless) and at most `cap` bytes long.
namespace boundedfile {

/// Largest colour file read.
inline constexpr qint64 MaxColorFileBytes = qint64(64) << 20;
/// Largest settings file read.
inline constexpr qint64 MaxSettingsFileBytes = qint64(4) << 20;
/// Largest map archive loaded.
inline constexpr qint64 MaxMapBytes = qint64(512) << 20;

/// Checks that `path` names a regular file of at most `cap` bytes; a failure of `kind` whose
/// sentence (without the file's name) says what is wrong.
[[nodiscard]] Result<void> check(const QString &path, qint64 cap, FailureKind kind);

/// The whole content of the file at `path`, after check(); a file that grows past `cap`
/// while it is read is refused too.
[[nodiscard]] Result<QByteArray> read(const QString &path, qint64 cap, FailureKind kind);

} // namespace boundedfile
