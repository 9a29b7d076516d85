#pragma once

#include "core/common/Result.h"

#include <QList>
#include <QString>

/// The rule for every file Velmora writes (a saved map, an exported colour file or terrain
/// picture, the companion's -o): the target is a regular file or a new name, and none of
/// the files the job reads. Both are checked before any work starts.
namespace outputtarget {

/// A file (or folder) the job reads, and how a message names it ("the map").
struct Input
{
    QString path;
    QString what;
    bool folder = false; ///< everything inside it is read too (the game data folder)
};

/// Refuses (kind Output) a target that exists and is not a regular file: a folder, a
/// device, a named pipe, a socket. The sentence names the target and what it is.
[[nodiscard]] Status checkKind(const QString &target);

/// Refuses (kind Output) a target that is one of `inputs` by device and inode (or by clean
/// absolute path where it does not exist yet), or that lies inside an input folder or is a
/// file of it, however it is reached. The sentence names the target and the input.
[[nodiscard]] Status checkNotInput(const QString &target, const QList<Input> &inputs);

/// Both checks, the kind first.
[[nodiscard]] Status check(const QString &target, const QList<Input> &inputs);

} // namespace outputtarget
