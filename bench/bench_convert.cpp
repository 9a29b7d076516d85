// How long converting a picture into a 256 x 256 map takes (both sections, no status
// callbacks), with a few colours and with thousands of them.
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QtEndian>

#include <benchmark/benchmark.h>

namespace {

QByteArray section(const char *name, const QByteArray &data)
{
    QByteArray out(name, 4);
    char len[4];
    qToLittleEndian<quint32>(quint32(data.size()), len);
    return out + QByteArray(len, 4) + data;
}

void convert256(benchmark::State &state)
{
    const int size = 256;
    const int colours = int(state.range(0));
    QTemporaryDir dir;
    const QString path = dir.filePath("scenario.chk");
    {
        const QByteArray tiles(2 * size * size, '\0');
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the scenario file");
            return;
        }
        f.write(section("VER ", QByteArray(2, '\0')) + section("MTXM", tiles)
                + section("ISOM", QByteArray(4096, 'i')) + section("TILE", tiles));
    }

    QImage picture(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            picture.setPixel(x, y, 0xff000000u | quint32(((x * 131 + y * 17) % colours) * 2654435u & 0xffffff));
    ConversionInput in;
    in.scenarioPath = path;
    in.picture = colorkey::normalized(picture);
    in.width = size;
    in.height = size;
    QSet<qint32> seen;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const qint32 v = colorkey::pixelValue(in.picture, x, y);
            if (!seen.contains(v)) {
                seen.insert(v);
                in.colors << colorkey::colorKey(v);
                in.replacements << QString::number(in.colors.size() % 32768);
            }
        }

    for (auto _ : state) {
        const Outcome done = convertScenario(in, nullptr);
        if (!done) {
            state.SkipWithError(done.reason().toStdString().c_str());
            return;
        }
    }
    state.counters["colours"] = double(in.colors.size());
    state.SetItemsProcessed(state.iterations() * size * size);
}

} // namespace

BENCHMARK(convert256)->Arg(4)->Arg(4096)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
