// Paired runs of `velmora-cli` against its floor (floor_convert) and against itself on other
// inputs. Each pair runs alternately (A B, then B A, ...), each run is a separate process
// whose CPU time (user + system) and peak memory come from wait4(), and each figure is the
// median of the runs. Prints a Markdown table.
//
// Usage: paired_cli BIN_DIR [--runs N] [REAL_MAP...]
//   BIN_DIR holds velmora-cli and floor_convert; N defaults to 11 (at least 9 is sensible).
//   Each floor run stores the section bytes the companion stored in the same case (read back
//   from one convert beforehand), so both compress exactly the same data.
#include "MpqBuilder.h"
#include "SyntheticTileset.h"
#include "core/archive/MpqControl.h"
#include "core/scenario/Workspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <fcntl.h>
#include <malloc.h>
#include <vector>

namespace {

struct Sample { double cpuMs; long maxRssKb; };

Sample runOnce(const QStringList &command)
{
    std::vector<QByteArray> args;
    for (const QString &a : command)
        args.push_back(a.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "failed (%d): %s\n", status, qPrintable(command.join(' ')));
        std::exit(1);
    }
    const auto ms = [](timeval t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss};
}

struct Median { double cpuMs; long maxRssKb; };

Median median(std::vector<Sample> samples)
{
    std::sort(samples.begin(), samples.end(), [](auto a, auto b) { return a.cpuMs < b.cpuMs; });
    long rss = 0;
    for (const Sample &s : samples)
        rss = std::max(rss, s.maxRssKb);
    return {samples[samples.size() / 2].cpuMs, rss};
}

/// Runs a and b alternately `runs` times each (after one unmeasured run of each).
std::pair<Median, Median> paired(const QStringList &a, const QStringList &b, int runs)
{
    runOnce(a);
    runOnce(b);
    std::vector<Sample> sa, sb;
    for (int i = 0; i < runs; ++i) {
        if (i % 2 == 0) {
            sa.push_back(runOnce(a));
            sb.push_back(runOnce(b));
        } else {
            sb.push_back(runOnce(b));
            sa.push_back(runOnce(a));
        }
    }
    return {median(sa), median(sb)};
}

QByteArray section(const char *name, const QByteArray &data)
{
    char length[4];
    qToLittleEndian<quint32>(quint32(data.size()), length);
    return QByteArray(name, 4) + QByteArray(length, 4) + data;
}

void writeMap(const QString &path, int size, qsizetype soundBytes = 0)
{
    QByteArray dim(4, '\0');
    qToLittleEndian<quint16>(quint16(size), dim.data());
    qToLittleEndian<quint16>(quint16(size), dim.data() + 2);
    const QByteArray tiles(2 * size * size, '\0');
    const QByteArray chk = section("VER ", QByteArray("\xCD\x00", 2)) + section("DIM ", dim)
        + section("ERA ", QByteArray(2, '\4')) + section("TILE", tiles) + section("MTXM", tiles)
        + section("UNIT", QByteArray(36, '\x11'));
    QFile file(path);
    testsupport::MpqLayout layout;
    layout.entries = {{"staredit\\scenario.chk", chk}};
    // Sounds as maps carry them: stored as they are, and hardly compressible.
    constexpr qsizetype SoundSize = 1 << 20;
    for (qsizetype at = 0, n = 0; at < soundBytes; at += SoundSize, ++n) {
        QByteArray sound(SoundSize, Qt::Uninitialized);
        for (qsizetype i = 0; i < sound.size(); ++i)
            sound[i] = char((i * 2654435761u + n * 40503u) >> 13);
        layout.entries.append({QStringLiteral("staredit\\wav\\sound%1.wav").arg(n).toLatin1(), sound,
                               testsupport::MpqEntry::Packing::Stored, false});
    }
    layout.hashTableSize = 64;
    const QByteArray archive = testsupport::buildMpq(layout);
    if (!file.open(QIODevice::WriteOnly) || file.write(archive) != archive.size()) {
        std::fprintf(stderr, "cannot create %s\n", qPrintable(path));
        std::exit(1);
    }
}

// Colour number c (0..32766) of pixel (x, y) of a picture with `colours` colours; the
// pattern repeats every 256 pixels, so the top-left 256 x 256 area of any size is the same.
int colourAt(int x, int y, int colours) { return ((y % 256) * 256 + x % 256) % colours; }
QRgb rgbOf(int c) { return qRgb(c & 0xff, (c >> 8) & 0xff, 11); }

void writeBmp(const QString &path, int size, int colours)
{
    QImage picture(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            picture.setPixel(x, y, rgbOf(colourAt(x, y, colours)));
    picture.save(path, "BMP");
}

// A palette PNG of 256 colours, written row by row (a 16384 x 16384 one never exists whole).
void writePng(const QString &path, int size)
{
    FILE *out = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, out);
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, png_uint_32(size), png_uint_32(size), 8, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, 0, 0);
    std::vector<png_color> palette(256);
    for (int c = 0; c < 256; ++c)
        palette[size_t(c)] = {png_byte(qRed(rgbOf(c))), png_byte(qGreen(rgbOf(c))), png_byte(qBlue(rgbOf(c)))};
    png_set_PLTE(png, info, palette.data(), 256);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(size), 0);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x)
            row[size_t(x)] = png_byte(colourAt(x, y, 256));
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
}

// A photograph-like RGB PNG: smooth shading, edges and grain, so that it compresses as a
// photograph does (default compression, adaptive filters), written row by row.
void writePhotoPng(const QString &path, int size)
{
    FILE *out = std::fopen(QFile::encodeName(path).constData(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, out);
    png_set_IHDR(png, info, png_uint_32(size), png_uint_32(size), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, 0, 0);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(size) * 3, 0);
    quint32 grain = 12345;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            grain = grain * 1664525u + 1013904223u;
            const int n = int(grain >> 29) - 4; // -4 .. 3
            const int shade = (x * 160 / size + y * 90 / size);
            const bool edge = ((x / 97) + (y / 61)) % 5 == 0;
            row[size_t(x) * 3] = png_byte(std::clamp(shade + (edge ? 40 : 0) + n, 0, 255));
            row[size_t(x) * 3 + 1] = png_byte(std::clamp(200 - shade / 2 + n, 0, 255));
            row[size_t(x) * 3 + 2] = png_byte(std::clamp(60 + y * 150 / size + (edge ? -30 : 0) + n, 0, 255));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(out);
}

void writeColourFile(const QString &path, int colours)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    for (int c = 0; c < colours; ++c)
        f.write(QStringLiteral("#%1=%2\n")
                    .arg(QString::asprintf("%02X%02X%02X", qRed(rgbOf(c)), qGreen(rgbOf(c)), qBlue(rgbOf(c))))
                    .arg(c % 32768)
                    .toLatin1());
}

/// The map's size as `velmora-cli info` prints it.
int mapSide(const QString &cli, const QString &map)
{
    QProcess info;
    info.start(cli, {QStringLiteral("info"), map});
    info.waitForFinished();
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    const qsizetype at = text.indexOf(QLatin1String("width: "));
    return at < 0 ? 0 : text.mid(at + 7, text.indexOf(QLatin1Char('\n'), at) - at - 7).toInt();
}

/// The floor run that stores what `convert` stores: the convert is run once, and its
/// output's scenario, saved as `sections`, gives the floor its section bytes.
QStringList floorLike(const QString &floor, const QString &map, const QStringList &convert,
                      const QString &sections, const QString &floorOut)
{
    runOnce(convert);
    QByteArray chk;
    QFile out(sections);
    if (!MpqControl().readEntry(convert.last(), Workspace::ScenarioEntry, &chk)
        || !out.open(QIODevice::WriteOnly) || out.write(chk) != chk.size()) {
        std::fprintf(stderr, "cannot read the scenario of %s\n", qPrintable(convert.last()));
        std::exit(1);
    }
    return {floor, map, floorOut, sections};
}

void row(const char *what, Median a, Median b, const char *ratioOf)
{
    std::printf("| %s | %.1f | %.1f | %.2f (%s) | %ld / %ld |\n", what, a.cpuMs, b.cpuMs,
                a.cpuMs / b.cpuMs, ratioOf, a.maxRssKb / 1024, b.maxRssKb / 1024);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: paired_cli BIN_DIR [--runs N] [REAL_MAP...]\n");
        return 2;
    }
    const QDir bin(args.takeFirst());
    int runs = 11;
    if (args.size() >= 2 && args.first() == QLatin1String("--runs")) {
        runs = std::max(1, args.at(1).toInt());
        args = args.mid(2);
    }
    const QString cli = bin.filePath(QStringLiteral("velmora-cli"));
    const QString floor = bin.filePath(QStringLiteral("floor_convert"));
    QTemporaryDir dir;
    // PAIRED_CLI_KEEP=1 keeps the generated maps, pictures and colour files for profiling.
    dir.setAutoRemove(qEnvironmentVariableIntValue("PAIRED_CLI_KEEP") == 0);
    if (!dir.autoRemove())
        std::fprintf(stderr, "inputs kept in %s\n", qPrintable(dir.path()));
    const auto file = [&dir](const char *name) { return dir.filePath(QLatin1String(name)); };
    const auto convert = [&](const QString &map, const QString &picture, const QString &colours,
                             const char *out) {
        return QStringList{cli, "convert", map, picture, "--colors", colours, "-o", file(out)};
    };
    const auto colors = [&](const QString &map, const QString &picture) {
        return QStringList{cli, "colors", map, picture};
    };

    writeMap(file("map256.scm"), 256);
    if (!args.isEmpty() && args.first() == QLatin1String("--fit")) {
        // Fitting whole pictures: an 8192 x 8192 photograph-like PNG against libpng decoding
        // every row of it; a 16384 x 16384 flat-colour PNG for its peak memory.
        const QString floorDecode = bin.filePath(QStringLiteral("floor_decode"));
        // A photograph fitted to the map has far more than 32767 colours: it is dithered to a
        // small made-up tileset (a few ms of the run).
        testsupport::SyntheticTileset::make(16).writeFolder(file("game/tileset"), QStringLiteral("jungle"));
        const QStringList dither{"--dither", "--game-data", file("game")};
        writePhotoPng(file("photo8192.png"), 8192);
        writePng(file("png16384.png"), 16384);
        malloc_trim(0);
        std::printf("| run (A against B) | A ms | B ms | A / B | peak MiB A / B |\n|---|---|---|---|---|\n");
        for (const char *fit : {"stretch", "cover"}) {
            const auto [a, b] = paired(QStringList{cli, "colors", file("map256.scm"), file("photo8192.png"), "--fit", fit} + dither,
                                       {floorDecode, file("photo8192.png")}, runs);
            const QByteArray what = QStringLiteral("colors --fit %1: 8192x8192 photograph-like PNG against libpng decoding every row").arg(QLatin1String(fit)).toUtf8();
            row(what.constData(), a, b, "goal <= 1.3");
        }
        const auto [n, nf] = paired(QStringList{cli, "colors", file("map256.scm"), file("photo8192.png"), "--fit", "stretch", "--resample", "nearest"} + dither,
                                    {floorDecode, file("photo8192.png")}, runs);
        row("colors --fit stretch --resample nearest: the same", n, nf, "goal <= 1.3");
        const auto [f, ff] = paired(QStringList{cli, "colors", file("map256.scm"), file("png16384.png"), "--fit", "stretch"} + dither,
                                    {floorDecode, file("png16384.png")}, runs);
        row("colors --fit stretch: 16384x16384 flat-colour PNG against libpng decoding every row", f, ff, "goal: < 64 MiB");
        return 0;
    }
    writeMap(file("sounds256.scm"), 256, 8 << 20);
    for (int n : {256, 32767}) {
        writeBmp(file(n == 256 ? "p256.bmp" : "p32767.bmp"), 256, n);
        writeColourFile(file(n == 256 ? "c256.txt" : "c32767.txt"), n);
    }
    for (int size : {256, 4096, 16384})
        writePng(dir.filePath(QStringLiteral("png%1.png").arg(size)), size);

    // Each run is a child of this process, and a child's peak memory counts the pages it
    // shared with its parent until it started the program: the memory that made the inputs
    // goes back to the system first.
    malloc_trim(0);
    std::printf("%d paired runs each, medians of CPU time (user + system) in ms; peak memory is "
                "the largest of the runs.\n\n", runs);
    std::printf("| run (A against B) | A ms | B ms | A / B | peak MiB A / B |\n|---|---|---|---|---|\n");
    const QStringList c256Run = convert(file("map256.scm"), file("p256.bmp"), file("c256.txt"), "o1.scm");
    const auto [c256, f256] = paired(c256Run, floorLike(floor, file("map256.scm"), c256Run, file("s1.chk"), file("floor.scm")), runs);
    row("convert 256x256 map, 256 colours, against the floor", c256, f256, "goal <= 2");
    const QStringList soundsRun = convert(file("sounds256.scm"), file("p256.bmp"), file("c256.txt"), "o8.scm");
    const auto [cs8, fs8] = paired(soundsRun, floorLike(floor, file("sounds256.scm"), soundsRun, file("s8.chk"), file("floor.scm")), runs);
    row("convert 256x256 map with 8 MiB of sounds, 256 colours, against the floor", cs8, fs8, "goal <= 2");
    const QStringList c32kRun = convert(file("map256.scm"), file("p32767.bmp"), file("c32767.txt"), "o2.scm");
    const auto [c32k, f32k] = paired(c32kRun, floorLike(floor, file("map256.scm"), c32kRun, file("s2.chk"), file("floor.scm")), runs);
    row("convert 256x256 map, 32767 colours, against the floor", c32k, f32k, "goal <= 2");
    const auto [a32k, a256] = paired(convert(file("map256.scm"), file("p32767.bmp"), file("c32767.txt"), "o3.scm"),
                                     convert(file("map256.scm"), file("p256.bmp"), file("c256.txt"), "o4.scm"), runs);
    row("convert: 32767 colours against 256 colours", a32k, a256, "goal <= 1.3");
    const auto [k32k, k256] = paired(colors(file("map256.scm"), file("p32767.bmp")),
                                     colors(file("map256.scm"), file("p256.bmp")), runs);
    row("colors: 32767 colours against 256 colours", k32k, k256, "goal <= 1.3");
    for (int size : {4096, 16384}) {
        const QString big = dir.filePath(QStringLiteral("png%1.png").arg(size));
        const auto [cb, cs] = paired(convert(file("map256.scm"), big, file("c256.txt"), "o5.scm"),
                                     convert(file("map256.scm"), file("png256.png"), file("c256.txt"), "o6.scm"), runs);
        const QByteArray what = QStringLiteral("convert: %1x%1 PNG against 256x256 PNG").arg(size).toUtf8();
        row(what.constData(), cb, cs, size == 4096 ? "goal <= 1.5" : "goal: < 64 MiB");
        const auto [kb, ks] = paired(colors(file("map256.scm"), big), colors(file("map256.scm"), file("png256.png")), runs);
        const QByteArray whatColors = QStringLiteral("colors: %1x%1 PNG against 256x256 PNG").arg(size).toUtf8();
        row(whatColors.constData(), kb, ks, size == 4096 ? "goal <= 1.5" : "goal: < 64 MiB");
    }
    for (const QString &map : args) {
        const int side = mapSide(cli, map);
        if (side <= 0) {
            std::fprintf(stderr, "cannot read the size of %s\n", qPrintable(map));
            return 1;
        }
        const QString picture = dir.filePath(QStringLiteral("real%1.bmp").arg(side));
        writeBmp(picture, side, 256);
        const QStringList realRun = convert(map, picture, file("c256.txt"), "o7.scm");
        const auto [cr, fr] = paired(realRun, floorLike(floor, map, realRun, file("s7.chk"), file("floor.scm")), runs);
        const QByteArray what = QStringLiteral("convert %1 (%2x%2), 256 colours, against the floor")
                                    .arg(QFileInfo(map).fileName()).arg(side).toUtf8();
        row(what.constData(), cr, fr, "goal <= 2");
    }
    return 0;
}
