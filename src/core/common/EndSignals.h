#pragma once

#include <QByteArray>

/// What a save does when SIGINT or SIGTERM ends the program around its rename. Either the
/// signal comes first: no file was replaced, the temporary copy beside the target is removed
/// and the program ends with 128 + the signal; or the rename comes first: the job goes on to
/// its report and ends as it would have. Never a failure after the target was replaced.
namespace endsignals {

/// For the thread that received the signal: waits for a rename in progress, then tells
/// whether a file was replaced already (the caller lets the job finish). Otherwise it
/// removes the temporary copies still held, and every later rename is refused.
[[nodiscard]] bool beginEnding();

/// Creates a temporary copy from the mkostemp `pattern` (changed in place), removed should
/// the program be ended before it is renamed into place: its descriptor, or -1 with errno
/// set (-1 and errno EINTR once the program is ending).
[[nodiscard]] int createTemporary(char *pattern);
/// Forgets a temporary copy held (renamed, or removed by its owner).
void dropTemporary(const QByteArray &path);

/// Renames `from` over `to` unless the program is ending: 0, the errno of a failed rename,
/// or -1 when the program is ending (`from` is then removed).
[[nodiscard]] int renameUnlessEnding(const QByteArray &from, const QByteArray &to);

} // namespace endsignals
