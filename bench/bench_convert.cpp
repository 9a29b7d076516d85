// How long converting a picture into a 256 x 256 map takes (both sections, no status
// callbacks), with a few colours and with thousands of them, next to its floor: a plain loop
// that looks each pixel's tile value up in a flat table and writes the same bytes to the
// same places of the same file. And how long reading a colour file of as many lines takes,
// next to a loop that only finds the lines' ends.
#include "core/convert/ColorFile.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"
#include "core/picture/PictureFit.h"
#include "core/picture/Srgb.h"
#include "core/qtimage/QtImage.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <QRandomGenerator>
#include <QtEndian>

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

namespace {

QByteArray section(const char *name, const QByteArray &data)
{
    QByteArray out(name, 4);
    char len[4];
    qToLittleEndian<quint32>(quint32(data.size()), len);
    return out + QByteArray(len, 4) + data;
}

// Offset of the data of the last section named `name` in a scenario file's bytes.
qint64 dataOffset(const QByteArray &chk, const char *name)
{
    qint64 found = -1;
    for (qint64 at = 0; at + 8 <= chk.size();) {
        const quint32 length = qFromLittleEndian<quint32>(chk.constData() + at + 4);
        if (chk.mid(at, 4) == QByteArray(name, 4))
            found = at + 8;
        at += 8 + length;
    }
    return found;
}

// The floor: one flat table from colour value to tile value, one pass over the pixels,
// the two sections written where the conversion writes them.
void floorLoop(benchmark::State &state, const QString &path, const picture::Pixels &picture,
               const QList<qint32> &colors, const QStringList &replacements)
{
    std::vector<quint16> tileOf(size_t(1) << 24, 0);
    for (qsizetype i = 0; i < colors.size(); ++i)
        tileOf[size_t(colors[i]) & 0xffffff] = quint16(replacements[i].toUInt());
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite)) {
        state.SkipWithError("cannot open the scenario file");
        return;
    }
    const QByteArray chk = f.readAll();
    const qint64 tile = dataOffset(chk, "TILE"), mtxm = dataOffset(chk, "MTXM");
    QByteArray bytes(2 * picture.width() * picture.height(), '\0');
    for (auto _ : state) {
        char *out = bytes.data();
        for (int y = 0; y < picture.height(); ++y) {
            const picture::Argb *row = picture.row(y);
            for (int x = 0; x < picture.width(); ++x, out += 2)
                qToLittleEndian<quint16>(tileOf[row[x] & 0xffffff], out);
        }
        f.seek(tile);
        f.write(bytes);
        f.seek(mtxm);
        f.write(bytes);
        f.flush();
    }
    state.SetItemsProcessed(state.iterations() * picture.width() * picture.height());
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
    in.picture = qtimage::fromImage(picture);
    in.width = size;
    in.height = size;
    QSet<qint32> seen;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const qint32 v = colorkey::pixelValue(in.picture, x, y);
            if (!seen.contains(v)) {
                seen.insert(v);
                in.colors << v;
                in.replacements << QString::number(in.colors.size() % 32768);
            }
        }

    if (state.range(1) == 1) {
        floorLoop(state, path, in.picture, in.colors, in.replacements);
        return;
    }
    for (auto _ : state) {
        const Status done = convertScenario(in, nullptr);
        if (!done) {
            state.SkipWithError(done.reason().toStdString().c_str());
            return;
        }
    }
    state.counters["colours"] = double(in.colors.size());
    state.SetItemsProcessed(state.iterations() * size * size);
}

/// A colour file as velmora-cli colors --template would give for `colours` colours, without
/// its comments: "#RRGGBB=N" per line.
QByteArray colourFileText(int colours)
{
    QByteArray text;
    for (int c = 0; c < colours; ++c)
        text += "#" + QByteArray::number(0x100000 + c * 97, 16).toUpper().right(6) + "="
            + QByteArray::number(c % 32768) + "\n";
    return text;
}

void readColourFile(benchmark::State &state)
{
    const QByteArray text = colourFileText(int(state.range(0)));
    for (auto _ : state) {
        const Result<ColorFile> file = ColorFile::parseUtf8(text);
        if (!file || file->assignments().size() != state.range(0)) {
            state.SkipWithError("the colour file is not read back");
            return;
        }
        benchmark::DoNotOptimize(file->assignments().constData());
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

// The floor: the lines' ends found and each line's first byte and length added up.
void splitColourFile(benchmark::State &state)
{
    const QByteArray text = colourFileText(int(state.range(0)));
    for (auto _ : state) {
        quint64 sum = 0;
        for (qsizetype at = 0; at < text.size();) {
            const qsizetype end = text.indexOf('\n', at);
            sum += quint64(uchar(text[at])) + quint64(end - at);
            at = end + 1;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * text.size());
}

// Fitting a 4096 x 4096 photograph-like picture (a gradient with grain) to a 256 x 256 map,
// its rows already decoded; beside the floor of any area fit: every pixel's three channels
// looked up in linear light and added once.
const picture::Pixels &photo4096()
{
    static const picture::Pixels p = [] {
        picture::Pixels out(4096, 4096);
        QRandomGenerator random(5);
        for (int y = 0; y < out.height(); ++y)
            for (int x = 0; x < out.width(); ++x) {
                const int n = int(random.bounded(9)) - 4;
                out.row(y)[x] = picture::argb(qBound(0, x / 16 + n, 255), qBound(0, 255 - y / 16 + n, 255),
                                              qBound(0, (x + y) / 32 + n, 255));
            }
        return out;
    }();
    return p;
}

void BM_Fit4096(benchmark::State &state)
{
    const picture::Pixels &p = photo4096();
    const picture::FitOptions options{picture::Fit(state.range(0)), picture::Resample(state.range(1))};
    for (auto _ : state)
        benchmark::DoNotOptimize(picture::fitted(p, QSize(256, 256), options).row(0));
}
BENCHMARK(BM_Fit4096)
    ->ArgNames({"fit", "resample"})
    ->Args({int(picture::Fit::Stretch), int(picture::Resample::Area)})
    ->Args({int(picture::Fit::Cover), int(picture::Resample::Area)})
    ->Args({int(picture::Fit::Stretch), int(picture::Resample::Nearest)})
    ->Unit(benchmark::kMillisecond);

void BM_FloorLinearSum4096(benchmark::State &state)
{
    const picture::Pixels &p = photo4096();
    const std::array<double, 256> &lin = srgb::linearTable();
    for (auto _ : state) {
        double r = 0, g = 0, b = 0;
        for (int y = 0; y < p.height(); ++y) {
            const picture::Argb *row = p.row(y);
            for (int x = 0; x < p.width(); ++x) {
                r += lin[size_t(picture::redOf(row[x]))];
                g += lin[size_t(picture::greenOf(row[x]))];
                b += lin[size_t(picture::blueOf(row[x]))];
            }
        }
        benchmark::DoNotOptimize(r + g + b);
    }
}
BENCHMARK(BM_FloorLinearSum4096)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK(readColourFile)->ArgName("lines")->Arg(256)->Arg(32767)->Unit(benchmark::kMicrosecond);
BENCHMARK(splitColourFile)->ArgName("lines")->Arg(256)->Arg(32767)->Unit(benchmark::kMicrosecond);

// Second argument 1: the floor on the same input.
BENCHMARK(convert256)->ArgNames({"colours", "floor"})->Args({4, 0})->Args({4, 1})->Args({4096, 0})
    ->Args({4096, 1})->Args({32767, 0})->Args({32767, 1})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
