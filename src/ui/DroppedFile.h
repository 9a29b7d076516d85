#pragma once

#include <QString>
#include <QStringList>

class QMimeData;

/// The one local file a drag carries when its suffix is one of `suffixes` (lower case,
/// compared without regard to case); empty for several files, a folder, a remote address
/// or another suffix.
QString droppedFile(const QMimeData *data, const QStringList &suffixes);
