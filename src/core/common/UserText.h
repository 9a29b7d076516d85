#pragma once

#include <QDir>
#include <QString>

/// A path the way the user writes it on this system, for messages.
[[nodiscard]] inline QString shownPath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
