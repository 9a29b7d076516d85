#pragma once

#include "core/settings/Settings.h"

#include <QString>
#include <QStringList>

/// The maps loaded last, newest first, kept in section "RecentMaps" of the settings file
/// as keys Map1..Map8. Paths are stored percent-encoded (UTF-8), so any file name fits the
/// file's 8-bit text and survives the reader's trimming of blanks and quotes.
namespace RecentMaps {

inline constexpr int Limit = settings::RecentMaps.count;

/// The remembered paths, newest first, without empty or repeated entries. A missing or
/// unreadable settings file gives an empty list.
[[nodiscard]] QStringList read(const QString &settingsPath);

/// Puts `path` (made absolute) first, drops an older entry of the same file and keeps at
/// most Limit entries. Returns false when the settings file could not be written.
bool remember(const QString &settingsPath, const QString &path);

} // namespace RecentMaps
