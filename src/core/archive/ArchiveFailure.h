#pragma once

#include "core/common/Result.h"

#include <QString>

#include <optional>

/// What an archive operation ran into, as the archive layer finds it.
enum class ArchiveProblem {
    Missing,          ///< no readable file at the archive's path
    NotAnArchive,     ///< not a map archive, or tables the archive library refuses
    NoEntry,          ///< the archive has no such entry
    EntryDamaged,     ///< the entry's data fails its checks
    EntryTooLarge,    ///< the entry is larger than the caller reads
    Protected,        ///< readable, but not safely writable
    FolderUnwritable, ///< the archive's folder cannot take the new copy
    ReadBack,         ///< a stored entry did not read back as stored
    Unreadable,       ///< the archive made the worker fail in any other way
};

/// The failure for `problem`: its kind, and the one sentence for it, naming the archive as
/// the user knows it (`archive`) and the entry `entry`.
[[nodiscard]] Failure archiveFailure(ArchiveProblem problem, const QString &archive,
                                     const QString &entry);

/// The problem an archive failure of `kind` stands for, so that it can be told again about
/// the file the user knows (the map of a working copy); nullopt for the kinds the archive
/// layer does not give.
[[nodiscard]] std::optional<ArchiveProblem> archiveProblemOf(FailureKind kind);
