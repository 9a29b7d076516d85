// Map loading and saving against the archive library alone, on a 128 x 128 map built here
// and, when VELMORA_MAPS names the real maps, on the first of them.
#include "core/archive/MpqControl.h"
#include "core/picture/ColorKey.h"
#include "core/picture/PixelScan.h"
#include "core/scenario/MapSaver.h"
#include "core/session/MapSession.h"
#include "core/qtimage/QtImage.h"

#include "MpqBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

const QString Entry = QStringLiteral("staredit\\scenario.chk");

QByteArray section(const char *name, const QByteArray &data)
{
    QByteArray out(name, 4);
    char length[4];
    qToLittleEndian<quint32>(quint32(data.size()), length);
    return out + QByteArray(length, 4) + data;
}

/// A 128 x 128 scenario with varied tiles, so compression has real work to do.
QByteArray scenario128()
{
    const int tiles = 128 * 128;
    QByteArray terrain(2 * tiles, Qt::Uninitialized);
    for (int i = 0; i < tiles; ++i)
        qToLittleEndian<quint16>(quint16((i * 7919) % 1200), terrain.data() + 2 * i);
    char dim[4];
    qToLittleEndian<quint16>(128, dim);
    qToLittleEndian<quint16>(128, dim + 2);
    return section("VER ", QByteArray("\xCD\x00", 2)) + section("DIM ", QByteArray(dim, 4))
        + section("ERA ", QByteArray(2, '\0')) + section("TILE", terrain)
        + section("MTXM", terrain) + section("UNIT", QByteArray(36 * 20, '\x11'));
}

struct Fixture
{
    QTemporaryDir dir;
    QString map;
    Workspace ws{dir.path()};
    MpqControl mpq;
    MapSession session{ws, mpq, ws.folder()};

    explicit Fixture(const QString &source)
    {
        map = dir.filePath("bench.scm");
        QFile::copy(source, map);
        QFile::setPermissions(map, QFile::permissions(map) | QFile::WriteOwner);
        (void)session.open(map);
    }
};

bool check(benchmark::State &state, const Status &outcome)
{
    if (!outcome.ok())
        state.SkipWithError(qPrintable(outcome.reason()));
    return outcome.ok();
}

/// The load steps of the windows: working folder, copy, extraction, "DIM " and the size.
bool loadSteps(benchmark::State &state, Fixture &f, scenario::MapSize *size)
{
    if (!check(state, f.session.open(f.map)))
        return false;
    *size = f.session.size();
    return true;
}

void fullLoad(benchmark::State &state, const QString &source)
{
    Fixture f(source);
    for (auto _ : state) {
        scenario::MapSize size;
        if (!loadSteps(state, f, &size))
            break;
        benchmark::DoNotOptimize(size);
    }
}

void extractOnly(benchmark::State &state, const QString &source)
{
    Fixture f(source);
    for (auto _ : state) {
        if (!check(state, f.mpq.extractEntry(f.ws.archivePath(), Entry, f.ws.folder())))
            break;
    }
}

void saveWhole(benchmark::State &state, const QString &source)
{
    Fixture f(source);
    const QString target = f.dir.filePath("saved.scm");
    for (auto _ : state) {
        if (!check(state, saveMap(f.ws, f.mpq, target)))
            break;
    }
}

void storeOnly(benchmark::State &state, const QString &source)
{
    Fixture f(source);
    for (auto _ : state) {
        if (!check(state, f.mpq.storeEntry(f.ws.archivePath(), f.ws.scenarioPath(), Entry)))
            break;
    }
}

/// The whole job as the windows run it: load, scan a picture, convert, save.
void wholeJob(benchmark::State &state, const QString &source)
{
    Fixture f(source);
    const QString target = f.dir.filePath("converted.scm");
    QImage picture(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            picture.setPixel(x, y, qRgb((x / 8) * 16, (y / 8) * 16, 40));
    const picture::Pixels normalized = qtimage::fromImage(picture);
    for (auto _ : state) {
        scenario::MapSize size;
        if (!loadSteps(state, f, &size))
            break;
        const QList<qint32> colors = pixelscan::scan(normalized, size.width, size.height).values;
        QStringList replacements;
        for (int i = 0; i < colors.size(); ++i)
            replacements << QString::number(i);
        if (!check(state, f.session.convert(normalized, colors, replacements))
            || !check(state, f.session.save(target)))
            break;
    }
}

/// The yardstick of the whole job: the archive library's extract plus store alone.
void extractAndStore(benchmark::State &state, const QString &source)
{
    Fixture f(source);
    for (auto _ : state) {
        if (!check(state, f.mpq.extractEntry(f.ws.archivePath(), Entry, f.ws.folder()))
            || !check(state, f.mpq.storeEntry(f.ws.archivePath(), f.ws.scenarioPath(), Entry)))
            break;
    }
}

/// Ten saves in a row: the archive must not grow past the first save.
void tenSaves(benchmark::State &state, const QString &source)
{
    Fixture f(source);
    const QString target = f.dir.filePath("saved.scm");
    qint64 first = 0, tenth = 0;
    for (auto _ : state) {
        for (int i = 0; i < 10; ++i) {
            if (!check(state, saveMap(f.ws, f.mpq, target)))
                return;
            (i == 0 ? first : tenth) = QFileInfo(target).size();
        }
    }
    state.counters["bytes_after_first"] = double(first);
    state.counters["bytes_after_tenth"] = double(tenth);
    state.counters["original_bytes"] = double(QFileInfo(source).size());
}

void registerAll(const std::string &label, const QString &source)
{
    const auto add = [&](const char *name, void (*fn)(benchmark::State &, const QString &)) {
        benchmark::RegisterBenchmark((std::string(name) + "/" + label).c_str(),
                                     [fn, source](benchmark::State &s) { fn(s, source); })
            ->Unit(benchmark::kMicrosecond);
    };
    add("FullLoad", fullLoad);
    add("ExtractOnly", extractOnly);
    add("SaveMap", saveWhole);
    add("StoreOnly", storeOnly);
    add("WholeJob", wholeJob);
    add("ExtractAndStore", extractAndStore);
    benchmark::RegisterBenchmark(("TenSaves/" + label).c_str(),
                                 [source](benchmark::State &s) { tenSaves(s, source); })
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir dir;
    const QString built = dir.filePath("built128.scm");
    QFile builtFile(built);
    testsupport::MpqLayout layout;
    layout.entries = {{Entry.toLatin1(), scenario128()}, {"staredit\\wav\\a.wav", QByteArray(4000, 'w')}};
    const QByteArray bytes = testsupport::buildMpq(layout);
    if (!builtFile.open(QIODevice::WriteOnly) || builtFile.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(built));
        return 1;
    }
    builtFile.close();
    registerAll("built128", built);

    const QString maps = qEnvironmentVariable("VELMORA_MAPS");
    if (!maps.isEmpty()) {
        const QStringList found = QDir(maps).entryList({"*.scm", "*.scx"}, QDir::Files, QDir::Name);
        for (const QString &name : found) {
            const QString path = QDir(maps).filePath(name);
            const MpqControl archive;
            MapSession probe(Workspace(dir.path()), archive, dir.path());
            if (probe.open(path).ok() && probe.size().width == 128 && probe.size().height == 128) {
                registerAll(name.toStdString(), path);
                break;
            }
        }
    }

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
