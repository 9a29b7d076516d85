#pragma once

#include "core/common/Result.h"

#include <QString>

#include <functional>

class ArchiveAccess;
class Workspace;

/// Puts "scenario.chk" back into the working archive and replaces `target` with a complete
/// copy of that archive.
///
/// Before the target is touched it verifies that the stored entry reads back equal to
/// "scenario.chk", that the archive holds as many entries as before the store, and that the
/// bytes it copies are the archive it checked. The target is written as a temporary file in
/// its own folder, flushed and renamed over the target, and the folder is flushed after; on any failure the target is byte-for-byte unchanged and no temporary file is
/// left. `afterStore` runs between the store and the copy (the window yields to the event
/// loop there).
[[nodiscard]] Status saveMap(const Workspace &ws, const ArchiveAccess &archive, const QString &target,
                const std::function<void()> &afterStore = {});
