// Placeholder until the archive module lands.
#include "scenario/MpqControl.h"

Outcome MpqControl::extractEntry(const QString &, const QString &, const QString &) const { return Outcome::failure("unavailable"); }
Outcome MpqControl::storeEntry(const QString &, const QString &, const QString &) const { return Outcome::failure("unavailable"); }
Outcome MpqControl::readEntry(const QString &, const QString &, QByteArray *) const { return Outcome::failure("unavailable"); }
Outcome MpqControl::listEntries(const QString &, QStringList *, int *) const { return Outcome::failure("unavailable"); }
Outcome MpqControl::createArchive(const QString &, const QList<Entry> &, bool) const { return Outcome::failure("unavailable"); }
