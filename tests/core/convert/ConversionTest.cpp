#include "core/convert/ColorLookup.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"
#include "core/qtimage/QtImage.h"

#include "TestSupport.h"

#include "oracle/Oracles.h"

#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

using testsupport::readFile;
using testsupport::scenario;
using testsupport::writeFile;

namespace {

qint32 key(QRgb rgb)
{
    return colorkey::colorValue(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

QImage filled(int w, int h, QRgb rgb)
{
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(rgb);
    return img;
}

/// Offset of the first byte of a section's entries (name + 8), or -1.
qint64 entriesAt(const QByteArray &file, const char *name)
{
    const qsizetype at = file.indexOf(name);
    return at < 0 ? -1 : at + 8;
}

QByteArray entriesOf(const QByteArray &file, const char *name, int w, int h)
{
    return file.mid(entriesAt(file, name), 2 * w * h);
}

/// The file with both sections' entries blanked, to compare everything the conversion
/// must leave alone.
QByteArray outsideEntries(QByteArray file, int w, int h)
{
    for (const char *name : {"TILE", "MTXM"}) {
        const qint64 at = entriesAt(file, name);
        if (at >= 0)
            file.replace(at, 2 * w * h, QByteArray(2 * w * h, '\0'));
    }
    return file;
}

void fillEntries(QByteArray *file, const char *name, int w, int h, char byte)
{
    file->replace(entriesAt(*file, name), 2 * w * h, QByteArray(2 * w * h, byte));
}

class Conversion : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath("scenario.chk"); }

    ConversionInput input(const QImage &picture, int w, int h, QList<qint32> colors,
                          QStringList replacements) const
    {
        ConversionInput in;
        in.scenarioPath = path();
        in.picture = qtimage::fromImage(picture);
        in.width = w;
        in.height = h;
        in.colors = std::move(colors);
        in.replacements = std::move(replacements);
        return in;
    }
};

// One marked pixel on a black picture: its value must land at exactly one offset in both
// sections, little-endian, and every other entry must be the black colour's value.
struct MarkCase
{
    int w, h, x, y;
    QString value;
    qint64 entryOffset;  // of the marked tile, from the first entry byte
    char lo, hi;
};

class MarkedPixel : public Conversion, public ::testing::WithParamInterface<MarkCase>
{
};

TEST_P(MarkedPixel, LandsAtItsOffsetInBothSections)
{
    const MarkCase c = GetParam();
    const QRgb mark = qRgb(255, 0, 0);
    QImage picture = filled(c.w, c.h, qRgb(0, 0, 0));
    picture.setPixel(c.x, c.y, mark);
    QByteArray original = scenario(c.w, c.h);
    fillEntries(&original, "TILE", c.w, c.h, '\x5A');
    fillEntries(&original, "MTXM", c.w, c.h, '\x5A');
    writeFile(path(), original);

    const Status done = convertScenario(
        input(picture, c.w, c.h, {key(qRgb(0, 0, 0)), key(mark)}, {"7", c.value}), nullptr);
    ASSERT_TRUE(done.ok()) << done.reason().toStdString();

    const QByteArray after = readFile(path());
    ASSERT_EQ(after.size(), original.size());
    EXPECT_EQ(outsideEntries(after, c.w, c.h), outsideEntries(original, c.w, c.h));
    for (const char *name : {"TILE", "MTXM"}) {
        const QByteArray entries = entriesOf(after, name, c.w, c.h);
        QByteArray expected(2 * c.w * c.h, '\0');
        for (qsizetype i = 0; i < expected.size(); i += 2)
            expected[i] = 7;
        expected[c.entryOffset] = c.lo;
        expected[c.entryOffset + 1] = c.hi;
        EXPECT_EQ(entries, expected) << name;
        // The same bytes counted from the section's name.
        const qint64 nameAt = after.indexOf(name);
        EXPECT_EQ(after.at(nameAt + 8 + c.entryOffset), c.lo) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Offsets, MarkedPixel,
    ::testing::Values(
        MarkCase{64, 64, 1, 2, "300", 258, '\x2C', '\x01'},       // 266 after the name
        MarkCase{64, 64, 0, 0, "32767", 0, '\xFF', '\x7F'},
        MarkCase{128, 128, 127, 127, "300", 32766, '\x2C', '\x01'},
        MarkCase{256, 256, 255, 255, "32767", 131070, '\xFF', '\x7F'},
        MarkCase{192, 192, 191, 0, "256", 382, '\x00', '\x01'},
        MarkCase{64, 96, 63, 95, "0", 2 * (95 * 64 + 63), '\x00', '\x00'},
        MarkCase{256, 64, 5, 1, "00012", 2 * (256 + 5), '\x0C', '\x00'}));

TEST_F(Conversion, AllDefaultValuesClearBothSections)
{
    const int w = 96, h = 64;
    QImage picture = filled(w, h, qRgb(10, 20, 30));
    for (int x = 0; x < w; ++x)
        picture.setPixel(x, x % h, qRgb(200, 100, 0));
    QByteArray original = scenario(w, h);
    fillEntries(&original, "TILE", w, h, '\xAB');
    fillEntries(&original, "MTXM", w, h, '\xCD');
    writeFile(path(), original);

    ASSERT_TRUE(convertScenario(input(picture, w, h, {key(qRgb(200, 100, 0)), key(qRgb(10, 20, 30))},
                                      {"0", "0"}),
                                nullptr));
    const QByteArray after = readFile(path());
    EXPECT_EQ(entriesOf(after, "TILE", w, h), QByteArray(2 * w * h, '\0'));
    EXPECT_EQ(entriesOf(after, "MTXM", w, h), QByteArray(2 * w * h, '\0'));
    EXPECT_EQ(outsideEntries(after, w, h), outsideEntries(original, w, h));
}

// The fast path (table look-up, one look-up per run of a colour) against the rule applied
// pixel by pixel: read the pixel, form its key, FindColorIndex over the list's keys, parse the
// replacement. The picture is smaller than the map (outside pixels read -1), the list holds
// entries that name no pixel colour, and the sections lie in the order real maps use (MTXM
// first) with longer length fields. Tile values given already read give the same bytes.
TEST_F(Conversion, EqualsThePixelByPixelRule)
{
    const int w = 128, h = 96;
    QRandomGenerator rng(77);
    QList<QRgb> palette;
    for (int i = 0; i < 40; ++i)
        palette << qRgb(rng.bounded(256), rng.bounded(256), rng.bounded(256));
    QImage picture(100, 90, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, palette.at((x / 3 + y * 7 + rng.bounded(3)) % palette.size()));
    picture.setPixel(4, 4, qRgba(0, 0, 0, 0)); // fully transparent reads as -1 too
    const picture::Pixels normal = qtimage::fromImage(picture);

    QList<qint32> colors;
    QStringList values;
    for (QRgb c : palette) {
        if (rng.bounded(5) == 0) { // no pixel has this one
            colors << (0x1000000 | key(c));
            values << QStringLiteral("999");
        }
        colors << key(c);
        values << QString::number(rng.bounded(32768));
    }
    colors.insert(7, key(palette.at(30))); // a later duplicate never wins...
    values.insert(7, QStringLiteral("1"));  // ...unless it comes first: this one does
    colors << -1;
    values << QStringLiteral("4321");

    const QByteArray tiles(2 * w * h + 64, '\x33');
    const QByteArray original = testsupport::section("VER ", QByteArray(2, '\x01'))
        + testsupport::section("MTXM", tiles) + testsupport::section("DIM ", testsupport::dimData(w, h))
        + testsupport::section("TILE", tiles) + testsupport::section("STR ", QByteArray(10, 's'));
    writeFile(path(), original);
    ASSERT_TRUE(convertScenario(input(picture, w, h, colors, values), nullptr));

    QByteArray expected(2 * w * h, '\0');
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const qint16 i = oracle::FindColorIndex(colorkey::colorKey(colorkey::pixelValue(normal, x, y)),
                                                    colorkey::colorKeys(colors));
            ASSERT_GE(i, 0);
            qToLittleEndian<quint16>(quint16(values.at(i).toInt()), expected.data() + 2 * (y * w + x));
        }
    const QByteArray after = readFile(path());
    EXPECT_EQ(entriesOf(after, "TILE", w, h), expected);
    EXPECT_EQ(entriesOf(after, "MTXM", w, h), expected);
    QByteArray untouched = after;
    untouched.replace(entriesAt(after, "TILE"), 2 * w * h, original.mid(entriesAt(original, "TILE"), 2 * w * h));
    untouched.replace(entriesAt(after, "MTXM"), 2 * w * h, original.mid(entriesAt(original, "MTXM"), 2 * w * h));
    EXPECT_EQ(untouched, original);

    ConversionInput read = input(picture, w, h, colors, {});
    for (const QString &v : values)
        read.tileValues << quint16(v.toUInt());
    writeFile(path(), original);
    ASSERT_TRUE(convertScenario(read, nullptr));
    EXPECT_EQ(readFile(path()), after);
}

TEST_F(Conversion, ReportsEveryRowOfBothSectionsInOrder)
{
    writeFile(path(), scenario(64, 64));
    QStringList seen;
    ASSERT_TRUE(convertScenario(input(filled(64, 64, qRgb(1, 2, 3)), 64, 64, {key(qRgb(1, 2, 3))}, {"9"}),
                                [&](const QString &t) { seen << t; }));
    QStringList expected{QStringLiteral("Location \"TILE\" region.")};
    for (int y = 0; y < 64; ++y)
        expected << QStringLiteral("Inserting data in TILE region... (64, %1)").arg(y);
    expected << QStringLiteral("Location \"MTXM\" region.");
    for (int y = 0; y < 64; ++y)
        expected << QStringLiteral("Inserting data in MTXM region... (64, %1)").arg(y);
    expected << QStringLiteral("Conversion successful!");
    EXPECT_EQ(seen, expected);
}

// Every refusal happens before the first byte is written: the file stays byte-identical
// and the reason names what is wrong.
struct RefusalCase
{
    const char *what;
    std::function<void(QByteArray *file, ConversionInput *in)> spoil;
    QStringList reasonMentions;
};

class Refusal : public Conversion, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(Refusal, LeavesTheFileUntouched)
{
    const RefusalCase &c = GetParam();
    const int w = 64, h = 64;
    QImage picture = filled(w, h, qRgb(0, 0, 255));
    picture.setPixel(10, 20, qRgb(0, 255, 0));
    ConversionInput in = input(picture, w, h, {key(qRgb(0, 0, 255)), key(qRgb(0, 255, 0))}, {"12", "34"});
    QByteArray file = scenario(w, h);
    c.spoil(&file, &in);
    writeFile(path(), file);

    QStringList statuses;
    const Status done = convertScenario(in, [&](const QString &t) { statuses << t; });
    EXPECT_FALSE(done.ok());
    EXPECT_EQ(readFile(path()), file);
    for (const QString &m : c.reasonMentions)
        EXPECT_TRUE(done.reason().contains(m)) << done.reason().toStdString() << " lacks " << m.toStdString();
    EXPECT_FALSE(statuses.contains(QStringLiteral("Conversion successful!")));
    EXPECT_LE(statuses.size(), 1); // no row was reported as written
}

void setLength(QByteArray *file, const char *name, quint32 length)
{
    qToLittleEndian<quint32>(length, file->data() + file->indexOf(name) + 4);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Refusal,
    ::testing::Values(
        RefusalCase{"no TILE", [](QByteArray *f, ConversionInput *) { f->replace("TILE", "TILX"); }, {"\"TILE\""}},
        RefusalCase{"no MTXM", [](QByteArray *f, ConversionInput *) { f->replace("MTXM", "MTXZ"); }, {"\"MTXM\""}},
        RefusalCase{"TILE length short by one entry",
                    [](QByteArray *f, ConversionInput *) { setLength(f, "TILE", 2 * 64 * 64 - 2); }, {"\"TILE\"", "8190"}},
        RefusalCase{"MTXM length zero", [](QByteArray *f, ConversionInput *) { setLength(f, "MTXM", 0); }, {"\"MTXM\""}},
        RefusalCase{"file ends inside MTXM entries",
                    [](QByteArray *f, ConversionInput *) { f->truncate(f->indexOf("MTXM") + 8 + 8000); }, {"\"MTXM\""}},
        RefusalCase{"file ends inside MTXM length",
                    [](QByteArray *f, ConversionInput *) { f->truncate(f->indexOf("MTXM") + 6); }, {"\"MTXM\""}},
        RefusalCase{"empty replacement", [](QByteArray *, ConversionInput *in) { in->replacements[1] = ""; }, {"00065280", "\"\""}},
        RefusalCase{"letters", [](QByteArray *, ConversionInput *in) { in->replacements[1] = "12a"; }, {"00065280", "\"12a\""}},
        RefusalCase{"too large", [](QByteArray *, ConversionInput *in) { in->replacements[0] = "40000"; }, {"16711680", "\"40000\""}},
        RefusalCase{"one past the range", [](QByteArray *, ConversionInput *in) { in->replacements[0] = "32768"; }, {"\"32768\""}},
        RefusalCase{"negative", [](QByteArray *, ConversionInput *in) { in->replacements[0] = "-1"; }, {"\"-1\""}},
        RefusalCase{"spaces", [](QByteArray *, ConversionInput *in) { in->replacements[0] = " 5"; }, {"\" 5\""}},
        RefusalCase{"huge digits", [](QByteArray *, ConversionInput *in) { in->replacements[0] = "99999999999999999999"; }, {"16711680"}},
        RefusalCase{"key missing from the list",
                    [](QByteArray *, ConversionInput *in) { in->colors.removeAt(1); in->replacements.removeAt(1); }, {"00065280", "(10, 20)"}},
        RefusalCase{"lists not parallel", [](QByteArray *, ConversionInput *in) { in->replacements.removeLast(); }, {}},
        RefusalCase{"read values not parallel", [](QByteArray *, ConversionInput *in) { in->tileValues = {12}; }, {"2", "1"}},
        RefusalCase{"read value too large", [](QByteArray *, ConversionInput *in) { in->tileValues = {12, 32768}; }, {"32768"}},
        RefusalCase{"no picture", [](QByteArray *, ConversionInput *in) { in->picture = picture::Pixels(); }, {"picture"}},
        RefusalCase{"no size", [](QByteArray *, ConversionInput *in) { in->height = 0; }, {}},
        RefusalCase{"MTXM name inside TILE entries",
                    [](QByteArray *f, ConversionInput *) {
                        // Drop the real MTXM and leave its name inside TILE's entries.
                        f->replace(f->indexOf("MTXM"), 4, "MTXZ");
                        f->replace(f->indexOf("TILE") + 8 + 100, 4, "MTXM");
                        qToLittleEndian<quint32>(2 * 64 * 64, f->data() + f->indexOf("MTXM") + 4);
                        f->append(QByteArray(2 * 64 * 64, '\0'));
                    },
                    {"overlap"}}),
    [](const ::testing::TestParamInfo<RefusalCase> &info) { return "case" + std::to_string(info.index); });

TEST_F(Conversion, MissingScenarioFileIsReportedAndNotCreated)
{
    const Status done = convertScenario(input(filled(64, 64, 0xff000000), 64, 64, {0}, {"0"}), nullptr);
    EXPECT_FALSE(done.ok());
    EXPECT_TRUE(done.reason().contains(path()));
    EXPECT_FALSE(QFile::exists(path()));
}

TEST(TileValueText, AcceptsOnlyDigitsUpTo32767)
{
    const struct
    {
        const char *text;
        int expected; // -1: refused
    } cases[] = {{"0", 0}, {"300", 300}, {"32767", 32767}, {"000042", 42}, {"32768", -1}, {"", -1},
                 {"-0", -1}, {"+1", -1}, {"1 ", -1}, {"0x10", -1}, {"１", -1}, {"00000000000000000001", 1}};
    for (const auto &c : cases) {
        quint16 v = 999;
        const bool ok = conversion::parseTileValue(QString::fromUtf8(c.text), &v);
        EXPECT_EQ(ok, c.expected >= 0) << c.text;
        EXPECT_EQ(int(v), c.expected >= 0 ? c.expected : 999) << c.text;
    }
}

} // namespace
