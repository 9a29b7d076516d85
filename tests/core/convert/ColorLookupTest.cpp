#include "core/convert/ColorLookup.h"
#include "core/picture/ColorKey.h"

#include "oracle/Oracles.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

struct MatchCase
{
    const char *what;
    QString key;
    QStringList list;
    qint16 expected;
};

class FindColorIndexRule : public ::testing::TestWithParam<MatchCase>
{
};

TEST_P(FindColorIndexRule, GivesTheFirstEntryWithAMatchingWord)
{
    const MatchCase &c = GetParam();
    EXPECT_EQ(oracle::FindColorIndex(c.key, c.list), c.expected) << c.what;
    EXPECT_EQ(ColorLookup(c.list).indexOf(c.key), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindColorIndexRule,
    ::testing::Values(
        MatchCase{"plain key", "00000255", {"00000000", "00000255"}, 1},
        MatchCase{"empty list", "00000255", {}, -1},
        MatchCase{"absent key", "00000254", {"00000000", "00000255"}, -1},
        MatchCase{"no partial match", "255", {"00000255"}, -1},
        MatchCase{"any word of an entry", "00065280", {"00000000", "00000255 00065280 16711680"}, 1},
        MatchCase{"last word of an entry", "c", {"a b c"}, 0},
        MatchCase{"case is ignored both ways", "abc", {"x ABC"}, 0},
        MatchCase{"upper-case key", "ABC", {"abc"}, 0},
        MatchCase{"earliest entry wins", "k", {"x", "y k", "k"}, 1},
        MatchCase{"earlier word-match beats later exact entry", "k", {"k z", "k"}, 0},
        MatchCase{"double space gives an empty word", "", {"a", "a  b"}, 1},
        MatchCase{"leading space gives an empty word", "", {" a"}, 0},
        MatchCase{"empty text gives no words", "", {"", "b"}, -1},
        MatchCase{"words split only at spaces", "a", {"a\tb", "a,b"}, -1},
        MatchCase{"double space still splits the other words", "b", {"a  b"}, 0},
        MatchCase{"negative key", "-00000001", {"00000000", "-00000001"}, 1}),
    [](const ::testing::TestParamInfo<MatchCase> &info) {
        return "case" + std::to_string(info.index);
    });

TEST(ColorLookup, EntriesPastThe16BitRangeNeverMatch)
{
    // Positions are 16-bit: an entry at 32767 must not come back as a wrapped negative index.
    QStringList list(32767, QStringLiteral("x"));
    list << QStringLiteral("target");
    EXPECT_EQ(oracle::FindColorIndex(QStringLiteral("target"), list), -1);
    EXPECT_EQ(ColorLookup(list).indexOf(QStringLiteral("target")), -1);
    list[32766] = QStringLiteral("target");
    EXPECT_EQ(oracle::FindColorIndex(QStringLiteral("target"), list), 32766);
    EXPECT_EQ(ColorLookup(list).indexOf(QStringLiteral("target")), 32766);
}

// The hash must answer exactly as the straight walk over the list, for lists full of
// repeated words, empty words, case differences and letters whose upper case is longer.
TEST(ColorLookup, AnswersLikeFindColorIndexOnRandomLists)
{
    const QStringList alphabet{"a", "A", "b", "00000255", "00000255", "", "ß", "SS", "ss", "-00000001", "ǆ",
                               "000000255", "0000255", "16777215", "16777216", "99999999", "-1"};
    const qint32 values[] = {255, -1, 0xFFFFFF, 0};
    QRandomGenerator rng(20240611);
    const auto word = [&] { return alphabet.at(rng.bounded(alphabet.size())); };
    int matched = 0;
    for (int round = 0; round < 300; ++round) {
        QStringList list;
        const int entries = rng.bounded(12);
        for (int e = 0; e < entries; ++e) {
            QStringList words;
            const int n = rng.bounded(4); // 0 words gives an empty text
            for (int w = 0; w < n; ++w)
                words << word();
            list << words.join(QLatin1Char(' '));
        }
        const ColorLookup lookup(list);
        for (int k = 0; k < 12; ++k) {
            const QString key = rng.bounded(4) == 0 ? word() + word() : word();
            const qint16 expected = oracle::FindColorIndex(key, list);
            ASSERT_EQ(lookup.indexOf(key), expected)
                << "key '" << key.toStdString() << "' in [" << list.join('|').toStdString() << "]";
            matched += expected >= 0;
        }
        // A pixel's value finds what its key finds, without the key being made.
        for (const qint32 value : values)
            ASSERT_EQ(lookup.indexOf(value), oracle::FindColorIndex(colorkey::colorKey(value), list))
                << value << " in [" << list.join('|').toStdString() << "]";
    }
    EXPECT_GT(matched, 500); // the comparison covered matches, not only misses
}

} // namespace
