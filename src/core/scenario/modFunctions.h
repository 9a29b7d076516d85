#pragma once

#include "core/common/Result.h"

#include <QByteArray>
#include <QString>

/// Shared procedures on the scenario file.
namespace modFunctions {

/// Finds a section of the scenario file by its name (the rule of ScenarioFile::findSection:
/// first exact occurrence of the 4 bytes anywhere in the file). The file is read afresh on
/// every call.
///
/// @return The offset of the occurrence + 4 (the section's length field; its data begin 4
///         bytes later), or -1 when the name does not occur. A missing file is created
///         empty and gives -1. When the file cannot be opened or read, or `name` is not
///         4 bytes long, the result is -1 and `error` (if given) receives the reason;
///         otherwise `error` is set to success.
qint32 FindSection(const QString &path, const QByteArray &name, Status *error = nullptr);

} // namespace modFunctions
