// The yardstick for velmora-cli's speed: what the archive library alone costs to take the
// scenario entry out of a map and put it back. Usage: bench_mpq_roundtrip MAP WORKFOLDER
// (the map is copied into WORKFOLDER first, so it is never changed).
#include "core/archive/MpqControl.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: bench_mpq_roundtrip MAP WORKFOLDER\n");
        return 2;
    }
    const QDir work(args.at(2));
    const QString copy = work.filePath(QStringLiteral("roundtrip.map"));
    QFile::remove(copy);
    if (!QFile::copy(args.at(1), copy)) {
        std::fprintf(stderr, "cannot copy the map\n");
        return 1;
    }
    QFile::setPermissions(copy, QFile::permissions(copy) | QFile::WriteOwner);
    const QString entry = QStringLiteral("staredit\\scenario.chk");
    const MpqControl mpq;
    Outcome done = mpq.extractEntry(copy, entry, work.path() + QLatin1Char('/'));
    if (done)
        done = mpq.storeEntry(copy, work.filePath(QStringLiteral("scenario.chk")), entry);
    if (!done) {
        std::fprintf(stderr, "%s\n", qPrintable(done.reason()));
        return 1;
    }
    return 0;
}
