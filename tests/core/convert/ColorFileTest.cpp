#include "core/convert/ColorFile.h"

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
        EXPECT_EQ(a[i].key, QString::fromLatin1(expected[i].key)) << i;
        EXPECT_EQ(a[i].value, expected[i].value) << i;
        EXPECT_EQ(a[i].line, expected[i].line) << i;
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
}

} // namespace
