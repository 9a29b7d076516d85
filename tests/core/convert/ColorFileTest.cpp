#include "core/convert/ColorFile.h"
#include "core/convert/Conversion.h"
#include "core/picture/ColorKey.h"

#include <QHash>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {


TEST(ColorFile, ReadsKeysColoursCommentsAndBlankLines)
{
    const Result<ColorFile> f = ColorFile::parse(QStringLiteral(
        "# made by hand = not a colour\r\n"
        "\n"
        "00000255=300\r\n"
        "  #00ff00 =  7  \n"
        "#0000FF=32767\n"
        "-00000001=0\n"
        "   \t\n"
        "#123456=1"));
    ASSERT_TRUE(f.ok()) << f.reason().toStdString();
    const QList<ColorFile::Assignment> &a = f->assignments();
    ASSERT_EQ(a.size(), 5);
    const struct
    {
        const char *key;
        quint16 value;
        int line;
    } expected[] = {{"00000255", 300, 3},
                    {"00065280", 7, 4},
                    {"16711680", 32767, 5},
                    {"-00000001", 0, 6},
                    {"05649426", 1, 8}}; // 0x12 + 256*0x34 + 65536*0x56
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(colorkey::colorKey(a[i].color), QString::fromLatin1(expected[i].key)) << i;
        EXPECT_EQ(a[i].value, expected[i].value) << i;
        EXPECT_EQ(a[i].line, expected[i].line) << i;
    }
}

TEST(ColorFile, WritesTheCompanionsLayoutAndReadsItBack)
{
    // The layout velmora-cli colors --template has always printed.
    EXPECT_EQ(ColorFile::format({"m.scm", 128, 64, "pic.png"},
                                {{0xFFFFFF, 1, 0}, {-1, 15185, 32767}, {255, 0, 12}})
                  .toStdString(),
              "# Colour file for velmora-cli convert: one KEY=VALUE per line, VALUE a tile value\n"
              "# from 0 to 32767. Map m.scm (128 x 64 tiles), picture pic.png: 3 colours in colour "
              "list order.\n"
              "\n# #FFFFFF, 1 tile\n16777215=0\n"
              "\n# no picture pixel, 15185 tiles\n-00000001=32767\n"
              "\n# #FF0000, 0 tiles\n00000255=12\n");

    // Any colours and values read back as written, whatever the names hold.
    QList<ColorFile::Entry> entries;
    for (int i = 0; i < 2000; ++i)
        entries.append({i == 7 ? -1 : qint32((i * 2654435761u) & 0xFFFFFF), i % 3, quint16(i * 17 % 32768)});
    entries.append({0xFFFFFF, 65536, 32767});
    const QString names[] = {"plain.scm", "=5.scm", "two\nlines.scm", "cr\r.bmp", "#FF0000=1"};
    for (const QString &name : names) {
        const Result<ColorFile> back = ColorFile::parse(ColorFile::format({name, 256, 256, name}, entries));
        ASSERT_TRUE(back.ok()) << name.toStdString() << ": " << back.reason().toStdString();
        ASSERT_EQ(back->assignments().size(), entries.size()) << name.toStdString();
        for (qsizetype i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(back->assignments()[i].color, entries[i].color) << i;
            EXPECT_EQ(back->assignments()[i].value, entries[i].value) << i;
        }
    }
}

TEST(ColorFile, RefusesBadLinesNamingTheLine)
{
    const struct
    {
        const char *text;
        FailureKind problem;
        const char *mentions;
    } cases[] = {
        {"00000255", FailureKind::Colors, "line 1"},
        {"\n255=4", FailureKind::Colors, "line 2"},
        {"#FF00=4", FailureKind::Colors, "#FF00"},
        {"#GG0000=4", FailureKind::Colors, "#GG0000"},
        {"red=4", FailureKind::Colors, "red"},
        {"=4", FailureKind::Colors, "line 1"},
        {"00000255=1\n#FF0000=2", FailureKind::Colors, "line 1"},  // same colour twice
        {"00000255=1\n00000255=1", FailureKind::Colors, "line 2"},
        {"00000255=40000", FailureKind::Values, "40000"},
        {"00000255=32768", FailureKind::Values, "32768"},
        {"00000255=-1", FailureKind::Values, "-1"},
        {"00000255=", FailureKind::Values, "00000255"},
        {"00000255=1 2", FailureKind::Values, "1 2"},
        // Keys are exactly eight digits naming a 24-bit colour.
        {"000000255=4", FailureKind::Colors, "000000255"},
        {"0000255=4", FailureKind::Colors, "0000255"},
        {"16777216=4", FailureKind::Colors, "16777216"},
        {"-1=4", FailureKind::Colors, "-1"},
        // A lone CR ends a line as LF and CR LF do.
        {"00000255=1\r00000255=2", FailureKind::Colors, "line 2"},
        {"00000255=1\r\n\r00000255=2", FailureKind::Colors, "line 3"},
        {"#FF0000=1\r16777215=2\r#ff0000=3", FailureKind::Colors, "line 3 gives colour 00000255"},
        // A repeat with colours between that share its low bits, or all but its low bits.
        {"00000001=1\n00262145=2\n08388609=2\n00000001=3", FailureKind::Colors, "line 4 gives colour 00000001"},
        {"-00000001=1\n00000511=2\n-00000001=3", FailureKind::Colors, "line 3 gives colour -00000001"},
    };
    for (const auto &c : cases) {
        const Result<ColorFile> f = ColorFile::parse(QString::fromUtf8(c.text));
        EXPECT_FALSE(f.ok()) << c.text;
        EXPECT_EQ(f.kind(), c.problem) << c.text;
        EXPECT_TRUE(f.reason().contains(QString::fromUtf8(c.mentions)))
            << c.text << " -> " << f.reason().toStdString();
    }
}

TEST(ColorFile, MissingFileIsUnreadable)
{
    const Result<ColorFile> f = ColorFile::read(QStringLiteral("/nonexistent/velmora/colours.txt"));
    EXPECT_EQ(f.kind(), FailureKind::Colors);
    // An endless device is refused before a byte is read.
    EXPECT_EQ(ColorFile::read(QStringLiteral("/dev/zero")).kind(), FailureKind::Colors);
}

TEST(ColorFile, MessagesQuoteAtMostTheStartOfAHugeText)
{
    const QString huge(1 << 20, QLatin1Char('7'));
    for (const QString &text : {QStringLiteral("00000255=") + huge, huge + QStringLiteral("=1"), huge}) {
        const Result<ColorFile> f = ColorFile::parse(text);
        ASSERT_FALSE(f.ok());
        EXPECT_LT(f.reason().size(), 200) << f.reason().left(300).toStdString();
        EXPECT_TRUE(f.reason().contains(QStringLiteral("7777777...")));
    }
}

} // namespace

// A file of thousands of colours (the colour list holds up to 32767): each read back in
// order, and a repeated colour anywhere names both of its lines.
TEST(ColorFile, LongFilesKeepEveryColourAndFindRepeats)
{
    const int count = 40000;
    const auto colourOf = [](int i) { return qint32(qint64(i) * 40503 % 0x1000000); };
    QString text;
    for (int i = 0; i < count; ++i)
        text += (i % 2 ? colorkey::rgbText(colourOf(i)) : colorkey::colorKey(colourOf(i)))
            + QLatin1Char('=') + QString::number(i % 32768) + QLatin1Char('\n');
    const Result<ColorFile> f = ColorFile::parse(text);
    ASSERT_TRUE(f.ok()) << f.reason().toStdString();
    ASSERT_EQ(f->assignments().size(), count);
    for (int i = 0; i < count; ++i) {
        const ColorFile::Assignment &a = f->assignments().at(i);
        ASSERT_EQ(a.color, colourOf(i));
        ASSERT_EQ(a.value, i % 32768);
        ASSERT_EQ(a.line, i + 1);
    }
    // The same lines with spaces around key and value (read the general way, not in the
    // one pass for lines as they are written) and CR LF ends: the same colours and values.
    QString spaced = text;
    spaced.replace(QLatin1Char('='), QStringLiteral(" = ")).replace(QLatin1Char('\n'), QStringLiteral(" \r\n"));
    const Result<ColorFile> g = ColorFile::parse(spaced);
    ASSERT_TRUE(g.ok()) << g.reason().toStdString();
    ASSERT_EQ(g->assignments().size(), count);
    for (int i = 0; i < count; ++i) {
        ASSERT_EQ(g->assignments().at(i).color, f->assignments().at(i).color);
        ASSERT_EQ(g->assignments().at(i).value, f->assignments().at(i).value);
        ASSERT_EQ(g->assignments().at(i).line, i + 1);
    }
    for (const int first : {0, 1, 17, 29999}) {
        const QString repeated =
            text + colorkey::rgbText(colourOf(first)) + QStringLiteral("=5\n");
        const Result<ColorFile> r = ColorFile::parse(repeated);
        ASSERT_FALSE(r.ok());
        EXPECT_EQ(r.reason(), QStringLiteral("line %1 gives colour %2 a value again (first on line %3)")
                                  .arg(count + 1)
                                  .arg(colorkey::colorKey(colourOf(first)))
                                  .arg(first + 1));
    }
}

namespace {

/// The colour-file rules written the slow, obvious way: split into lines, trim with Unicode
/// spaces, skip comments, read KEY=VALUE. What parseUtf8 must agree with, line for line.
Result<ColorFile> slowReference(const QString &text)
{
    static const QRegularExpression lineEnds(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = text.split(lineEnds);
    QHash<qint32, int> firstLine;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const int no = i + 1;
        qsizetype word = 1;
        while (word < line.size() && !line[word].isSpace() && line[word] != u'=')
            ++word;
        const bool colourLine = word > 1 && line.mid(word).trimmed().startsWith(u'=');
        if (line.isEmpty() || (line.startsWith(u'#') && !colourLine))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            return fail(FailureKind::Colors, QStringLiteral("line %1 not KEY=VALUE").arg(no));
        const std::optional<qint32> colour = ColorFile::colorFromText(line.left(eq).trimmed());
        if (!colour)
            return fail(FailureKind::Colors, QStringLiteral("line %1 bad key").arg(no));
        if (firstLine.contains(*colour))
            return fail(FailureKind::Colors, QStringLiteral("line %1 again %2").arg(no).arg(firstLine[*colour]));
        firstLine.insert(*colour, no);
        quint16 value = 0;
        if (!conversion::parseTileValue(line.mid(eq + 1).trimmed(), &value))
            return fail(FailureKind::Values, QStringLiteral("line %1 bad value").arg(no));
    }
    return ColorFile();
}

} // namespace

// Random texts built from the pieces colour files are made of (keys, values, ASCII and
// Unicode spaces, comments, every kind of line end, a byte-order mark, broken UTF-8): the
// byte reader accepts and refuses exactly what the slow reference does, on the same line.
TEST(ColorFile, ReadsBytesAsTheSlowReferenceReadsText)
{
    const QByteArray pieces[] = {
        "#00FF00", "#00ff0", "#0000FG", "00000255", "0000255", "-00000001", "16777216", "red",
        "=", "= ", "5", "32767", "32768", "00012", "", "1 2", " ", "\t", "\xe3\x80\x80" /*U+3000*/,
        "\xc2\xa0" /*U+00A0*/, "#", "# note", "\xc3\xa9", "\xe2\x80", "\n", "\r\n", "\r", "\n\n",
        "\xef\xbb\xbf" /*BOM*/, "\x0b", "#FF0000=7\n", "00065280=1\n"};
    QRandomGenerator rng(1312);
    int accepted = 0;
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes;
        for (int i = int(rng.bounded(1, 12)); i > 0; --i)
            bytes += pieces[rng.bounded(int(std::size(pieces)))];
        const Result<ColorFile> fast = ColorFile::parseUtf8(bytes);
        const Result<ColorFile> slow = slowReference(QString::fromUtf8(bytes));
        ASSERT_EQ(fast.ok(), slow.ok()) << bytes.toHex().toStdString() << " -> " << fast.reason().toStdString();
        accepted += fast.ok();
        if (fast.ok())
            continue;
        // Same kind, same line (the message's leading "line N").
        EXPECT_EQ(fast.kind(), slow.kind()) << bytes.toStdString();
        const QString line = slow.reason().section(u' ', 0, 1);
        EXPECT_TRUE(fast.reason().startsWith(line + u' ') || fast.reason().startsWith(line + u':'))
            << bytes.toHex().toStdString() << ": " << fast.reason().toStdString() << " / " << slow.reason().toStdString();
        // A repeat names the same first line.
        if (slow.reason().contains(QStringLiteral(" again "))) {
            EXPECT_TRUE(fast.reason().endsWith(
                QStringLiteral("(first on line %1)").arg(slow.reason().section(u' ', -1))))
                << fast.reason().toStdString();
        }
        // The text form reads the same.
        EXPECT_EQ(ColorFile::parse(QString::fromUtf8(bytes)).reason(), fast.reason());
    }
    EXPECT_GT(accepted, 2000); // the table makes good files too, not only bad ones
}

// Each colour's tile value against the obvious reading (the file's line for the colour,
// else the matched value, else 0), on lists of up to a colour list's size where the file
// names some of the colours in a random order, or follows the list (as the template writes
// it) whole, rotated or with lines left out and others added, while a match covers others.
TEST(ColorFile, TileValuesAgreeWithALookUpByHand)
{
    QRandomGenerator rng(77);
    enum Order { Random, ListOrder, Rotated, Edited };
    for (const int count : {0, 1, 300, 32767}) {
        QList<qint32> colors;
        QSet<qint32> distinct;
        while (colors.size() < count) {
            const qint32 c = rng.bounded(50) == 0 ? -1 : qint32(rng.bounded(1 << 24));
            if (!distinct.contains(c)) {
                distinct.insert(c);
                colors.append(c);
            }
        }
        for (const Order order : {Random, ListOrder, Rotated, Edited}) {
            // The colours the file names, in its order; some are not in the list.
            QList<qint32> named;
            const qsizetype turn = count == 0 ? 0 : rng.bounded(count);
            for (qsizetype i = 0; i < count + 40; ++i) {
                const qint32 stranger = qint32(rng.bounded(1 << 24));
                if (order == Random) {
                    if (rng.bounded(3) == 0)
                        named.append(i < count ? colors.at(rng.bounded(count)) : stranger);
                } else if (i < count) {
                    const qint32 c = colors.at(order == ListOrder ? i : (i + turn) % count);
                    if (order != Edited || rng.bounded(10) != 0)
                        named.append(c);
                    if (order == Edited && rng.bounded(10) == 0)
                        named.append(stranger);
                }
            }
            QByteArray text = "# a colour file\n";
            QSet<qint32> written;
            QHash<qint32, quint16> matched;
            for (const qint32 c : named) {
                if (!written.contains(c)) {
                    written.insert(c);
                    text += colorkey::colorKey(c).toLatin1() + "=" + QByteArray::number(rng.bounded(32768)) + "\n";
                }
            }
            for (const qint32 c : colors)
                if (rng.bounded(4) == 0)
                    matched.insert(c, quint16(rng.bounded(32768)));
            const Result<ColorFile> file = ColorFile::parseUtf8(text);
            ASSERT_TRUE(file.ok()) << file.reason().toStdString();
            const QList<ColorFile::Assignment> &lines = file->assignments();

            int unnamed = -1;
            QList<ColorFile::Assignment> absent;
            const QList<quint16> values = file->tileValues(colors, matched, &unnamed, &absent);
            ASSERT_EQ(values.size(), count);
            QHash<qint32, quint16> fileValue;
            for (const ColorFile::Assignment &a : lines)
                fileValue.insert(a.color, a.value);
            int expectedUnnamed = 0;
            for (qsizetype i = 0; i < count; ++i) {
                const bool inFile = fileValue.contains(colors[i]);
                const quint16 expected = inFile ? fileValue[colors[i]] : matched.value(colors[i], 0);
                expectedUnnamed += !inFile && !matched.contains(colors[i]);
                ASSERT_EQ(values[i], expected) << count << " order " << order << " colour " << i;
            }
            EXPECT_EQ(unnamed, expectedUnnamed) << count << " order " << order;
            QList<int> absentLines, expectedAbsent;
            for (const ColorFile::Assignment &a : absent)
                absentLines.append(a.line);
            for (const ColorFile::Assignment &a : lines)
                if (!distinct.contains(a.color))
                    expectedAbsent.append(a.line);
            EXPECT_EQ(absentLines, expectedAbsent) << count << " order " << order;
        }
    }
}
