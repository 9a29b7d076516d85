#pragma once

#include "core/common/MessageText.h"

#include <QDir>
#include <QString>

/// A path the way the user writes it on this system, for messages: control characters in
/// it are escaped, so a name cannot break a line or send the terminal a command.
[[nodiscard]] inline QString shownPath(const QString &path)
{
    return messagetext::escaped(QDir::toNativeSeparators(path));
}
