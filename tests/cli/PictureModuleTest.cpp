// The companion reads the pictures its own readers leave out through velmora-picture-qt,
// loaded on demand: the same colours as the windows' reader, and a clear refusal naming the
// picture when the module is missing or broken.
#include "cli/ExitStatus.h"
#include "core/picture/PictureReader.h"
#include "core/qtimage/QtImage.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <dlfcn.h>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>
#include <gtest/gtest.h>

using testsupport::scenario;
using testsupport::writeFile;
using testsupport::writeMap;

namespace {

using CliRun = testsupport::ProgramRun;

CliRun runCli(const QString &program, const QStringList &args)
{
    return testsupport::runProgram(program, args);
}

void put(QByteArray &out, quint32 v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.append(char((v >> (8 * i)) & 0xff));
}

int indexAt(int x, int y, int colors) { return (x / 3 + (y / 2) * 7 + (x * y) / 50) % colors; }

// A run-length BMP (8 or 4 bits), bottom row first, every row as runs of one index.
QByteArray rleBmp(int bits, int width, int height)
{
    const int colors = 1 << bits;
    QByteArray data;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width;) {
            int run = 1;
            while (x + run < width && run < 255 && indexAt(x + run, y, colors) == indexAt(x, y, colors))
                ++run;
            const int index = indexAt(x, y, colors);
            data.append(char(run)).append(char(bits == 8 ? index : (index << 4) | index));
            x += run;
        }
        data.append('\0').append('\0'); // end of row
    }
    data.append('\0').append('\1'); // end of picture
    const int offset = 14 + 40 + colors * 4;
    QByteArray out("BM");
    put(out, quint32(offset + data.size()), 4);
    put(out, 0, 4);
    put(out, quint32(offset), 4);
    for (const quint32 v : {40u, quint32(width), quint32(height)})
        put(out, v, 4);
    put(out, 1, 2);
    put(out, quint32(bits), 2);
    for (const quint32 v : {bits == 8 ? 1u : 2u, quint32(data.size()), 2835u, 2835u, quint32(colors), 0u})
        put(out, v, 4);
    for (int i = 0; i < colors; ++i)
        put(out, quint32(i * 37 % 256) | quint32(255 - i) << 8 | quint32(i * 11 % 256) << 16, 4);
    return out + data;
}

QByteArray cmykJpeg(int width, int height)
{
    return testsupport::jpegOf({JCS_CMYK}, width, height, [](int x, int y, int channel) {
        return quint8(indexAt(x, y, 4) * 60 + channel * 10);
    });
}

QByteArray ppm(int width, int height)
{
    QByteArray out = QStringLiteral("P6 %1 %2 255\n").arg(width).arg(height).toLatin1();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.append(char(indexAt(x, y, 40) * 6)).append(char(y * 4)).append(char(x));
    return out;
}

const QString CliPath = QStringLiteral(VELMORA_CLI_PATH);

} // namespace

// Each picture through the companion (module loaded on demand) gives the colour list of the
// windows' reader's pixels, saved as a PNG the companion reads with its own reader.
TEST(PictureModule, CompanionReadsWhatItsReadersLeaveOutAsTheWindowsDo)
{
    QTemporaryDir dir;
    writeMap(dir.filePath("map.scm"), scenario(64, 64));
    const std::pair<const char *, QByteArray> pictures[] = {
        {"rle8.bmp", rleBmp(8, 64, 64)},
        {"rle4.bmp", rleBmp(4, 50, 70)},
        {"cmyk.jpg", cmykJpeg(64, 64)},
        // A 2 x 2 first frame (red, blue / blue, red) on a 4 x 4 screen.
        {"small-frame.gif", QByteArray::fromHex("47494638396104000400800000ff00000000ff2c00000000"
                                                "02000200000203440205003b")},
        {"picture.ppm", ppm(80, 40)},
    };
    for (const auto &[name, bytes] : pictures) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        writeFile(path, bytes);
        const picture::Area windows = picture::readArea(path, {64, 64});
        ASSERT_TRUE(windows.ok()) << name << ": " << windows.reason.toStdString();
        const QString reference = dir.filePath(QStringLiteral("windows.png"));
        ASSERT_TRUE(qtimage::toImage(windows.pixels).save(reference, "PNG")) << name;

        const CliRun got = runCli(CliPath, {"colors", dir.filePath("map.scm"), path});
        const CliRun expected = runCli(CliPath, {"colors", dir.filePath("map.scm"), reference});
        ASSERT_EQ(got.status, 0) << name << ": " << got.err.toStdString();
        ASSERT_EQ(expected.status, 0) << name << ": " << expected.err.toStdString();
        EXPECT_GT(got.out.count('\n'), 2) << name;
        EXPECT_EQ(got.out, expected.out) << name;
    }
}

// A companion whose module is missing, no library or one without the entry point: its own
// formats still read, the others are refused with the picture's name and the cause.
TEST(PictureModule, MissingOrBrokenModuleRefusesThePictureClearly)
{
    QTemporaryDir dir;
    writeMap(dir.filePath("map.scm"), scenario(64, 64));
    const QString rle = dir.filePath("rle8.bmp"), plain = dir.filePath("plain.bmp");
    writeFile(rle, rleBmp(8, 64, 64));
    QImage white(64, 64, QImage::Format_RGB32);
    white.fill(Qt::white);
    ASSERT_TRUE(white.save(plain, "BMP"));
    const QDir built = QFileInfo(CliPath).dir();
    Dl_info jpegLibrary{};
    ASSERT_NE(dladdr(reinterpret_cast<void *>(&jpeg_std_error), &jpegLibrary), 0);

    struct Case { const char *name; QByteArray module; const char *says; };
    const Case cases[] = {
        {"missing", QByteArray(), "not installed"},
        {"not a library", QByteArray("not a library\n"), "cannot be loaded"},
        {"no entry point", testsupport::readFile(QString::fromLocal8Bit(jpegLibrary.dli_fname)),
         "does not hold them"},
    };
    for (const Case &c : cases) {
        QTemporaryDir bare;
        for (const QString &name : {QStringLiteral("velmora-cli"), QStringLiteral("velmora-archive-worker")})
            ASSERT_TRUE(QFile::copy(built.filePath(name), bare.filePath(name))) << name.toStdString();
        if (!c.module.isNull())
            writeFile(bare.filePath(QStringLiteral("velmora-picture-qt.so")), c.module);
        const QString cli = bare.filePath(QStringLiteral("velmora-cli"));

        const CliRun own = runCli(cli, {"colors", dir.filePath("map.scm"), plain});
        EXPECT_EQ(own.status, 0) << c.name << ": " << own.err.toStdString();
        const CliRun refused = runCli(cli, {"colors", dir.filePath("map.scm"), rle});
        EXPECT_EQ(refused.status, int(exitstatus::BadPicture)) << c.name;
        EXPECT_TRUE(refused.err.contains(rle)) << c.name << ": " << refused.err.toStdString();
        EXPECT_TRUE(refused.err.contains(QLatin1String(c.says))) << c.name << ": " << refused.err.toStdString();
        // The file is a BMP already: no advice to use one.
        EXPECT_FALSE(refused.err.contains(QLatin1String("use a BMP"))) << c.name;
        EXPECT_TRUE(refused.out.isEmpty()) << c.name;
    }
}
