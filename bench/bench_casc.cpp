// Opening a Remastered installation's storage the size of the game's (16 index files of
// 20 000 entries, an encoding file of 300 000 entries, a root of 150 000 lines) and reading
// one tileset's four files, beside the floor that only reads the bytes of the same files
// (.build.info, build config, index files, the root's and the tileset's records, the
// encoding file's header chunk) without parsing or checking them.
#include "CascBuilder.h"
#include "SyntheticTileset.h"
#include "TestSupport.h"

#include "core/tileset/CascFormat.h"
#include "core/tileset/CascStorage.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

namespace {

struct Storage
{
    QTemporaryDir dir;
    testsupport::CascBuilder builder;
    QStringList wholeFiles;
    QList<std::tuple<QString, qint64, qint64>> ranges; // data file, offset, length

    Storage()
    {
        builder.files = testsupport::CascBuilder::tilesetFiles(
            testsupport::SyntheticTileset::make(64), "TileSet/", "jungle");
        builder.fillerIndexEntries = 20000;
        builder.fillerEncodingEntries = 300000;
        builder.fillerRootLines = 150000;
        builder.build(dir.path());
        wholeFiles << dir.filePath(".build.info");
        const QString config = dir.filePath("Data/config");
        for (const QString &path : QDir(config).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString &sub : QDir(config + "/" + path).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
                for (const QString &name : QDir(config + "/" + path + "/" + sub).entryList(QDir::Files))
                    wholeFiles << config + "/" + path + "/" + sub + "/" + name;
        const QDir data(dir.filePath("Data/data"));
        for (int bucket = 0; bucket < 16; ++bucket)
            wholeFiles << data.filePath(data.entryList({QStringLiteral("%1*.idx").arg(bucket, 2, 16, QChar('0'))}).last());
        for (const auto &[name, at] : builder.placed.asKeyValueRange()) {
            qint64 length = at.size;
            if (name == "encoding") { // its BLTE header and first chunk, the page table
                const QByteArray head = testsupport::readFile(builder.dataFile(dir.path(), at.archive))
                                            .mid(at.offset + 30, 48);
                length = 30 + qFromBigEndian<quint32>(head.constData() + 4)
                    + qFromBigEndian<quint32>(head.constData() + 12);
            }
            ranges.append({builder.dataFile(dir.path(), at.archive), at.offset, length});
        }
    }
};

Storage &storage()
{
    static Storage s;
    return s;
}

void BM_OpenStorageAndReadTileset(benchmark::State &state)
{
    Storage &s = storage();
    for (auto _ : state) {
        auto opened = casc::CascStorage::openFresh(s.dir.path());
        if (!opened) {
            state.SkipWithError(opened.reason().toStdString().c_str());
            return;
        }
        for (const char *ext : {".cv5", ".vx4", ".vr4", ".wpe"}) {
            auto read = (*opened)->read(QStringLiteral("TileSet/jungle") + ext, qint64(64) << 20);
            if (!read || !read->has_value()) {
                state.SkipWithError("tileset file not read");
                return;
            }
            benchmark::DoNotOptimize(read->value().constData());
        }
    }
}
BENCHMARK(BM_OpenStorageAndReadTileset)->Unit(benchmark::kMillisecond);

void BM_FloorReadSameBytes(benchmark::State &state)
{
    Storage &s = storage();
    for (auto _ : state) {
        for (const QString &path : s.wholeFiles) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(f.readAll().constData());
        }
        for (const auto &[path, offset, length] : s.ranges) {
            QFile f(path);
            f.open(QIODevice::ReadOnly);
            f.seek(offset);
            benchmark::DoNotOptimize(f.read(length).constData());
        }
    }
}
BENCHMARK(BM_FloorReadSameBytes)->Unit(benchmark::kMillisecond);

// The checks every reader must make on the root alone, from memory: each chunk's MD5 and
// inflation (the reader's own BLTE decoder), then the MD5 of the decoded root against its
// content key. The part of opening that no reading of the bytes can avoid.
void BM_FloorRootChecks(benchmark::State &state)
{
    Storage &s = storage();
    const testsupport::CascBuilder::Placed at = s.builder.placed.value(QStringLiteral("root"));
    const QByteArray record = testsupport::readFile(s.builder.dataFile(s.dir.path(), at.archive))
                                  .mid(at.offset + casc::RecordHeaderBytes, at.size - casc::RecordHeaderBytes);
    qint64 decodedBytes = 0;
    for (auto _ : state) {
        auto decoded = casc::decodeBlte(record, -1, qint64(256) << 20);
        if (!decoded) {
            state.SkipWithError(decoded.reason().toStdString().c_str());
            return;
        }
        decodedBytes = decoded->size();
        benchmark::DoNotOptimize(QCryptographicHash::hash(*decoded, QCryptographicHash::Md5).constData());
    }
    state.counters["root_MiB"] = double(decodedBytes) / (1 << 20);
    state.counters["blte_MiB"] = double(record.size()) / (1 << 20);
}
BENCHMARK(BM_FloorRootChecks)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
