#include "core/convert/ColorLookup.h"
#include "core/picture/ColorKey.h"

#include "oracle/Oracles.h"

#include <QRandomGenerator>

#include <iterator>

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

// The slow reference the look-up is compared with below.
TEST_P(FindColorIndexRule, GivesTheFirstEntryWithAMatchingWord)
{
    const MatchCase &c = GetParam();
    EXPECT_EQ(oracle::FindColorIndex(c.key, c.list), c.expected) << c.what;
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
    QList<qint32> list(32767, 0);
    list << 255;
    EXPECT_EQ(oracle::FindColorIndex(colorkey::colorKey(255), colorkey::colorKeys(list)), -1);
    EXPECT_EQ(ColorLookup(list).indexOf(255), -1);
    list[32766] = 255;
    EXPECT_EQ(oracle::FindColorIndex(colorkey::colorKey(255), colorkey::colorKeys(list)), 32766);
    EXPECT_EQ(ColorLookup(list).indexOf(255), 32766);
}

// The table must answer exactly as the straight walk over the list's keys: repeated colours
// (the first wins), "no pixel", entries that are no pixel value, short lists and lists long
// enough to make the table grow and collide.
TEST(ColorLookup, AnswersLikeFindColorIndexOnRandomLists)
{
    const qint32 alphabet[] = {0, 255, 65280, 0xFFFFFF, -1, 0x1000000, qint32(0x80000000u), -2, 7};
    QRandomGenerator rng(20240611);
    int matched = 0;
    for (int round = 0; round < 300; ++round) {
        QList<qint32> list;
        const bool wide = round % 10 == 0; // hundreds of colours from a larger range
        const int entries = wide ? 300 + rng.bounded(500) : rng.bounded(12);
        for (int e = 0; e < entries; ++e)
            list << (wide ? qint32(rng.bounded(600) * 40503 % 0x1000000)
                          : alphabet[rng.bounded(int(std::size(alphabet)))]);
        const ColorLookup lookup(list);
        const QStringList keys = colorkey::colorKeys(list);
        for (int k = 0; k < 40; ++k) {
            const qint32 value = wide ? qint32(rng.bounded(700) * 40503 % 0x1000000)
                                      : alphabet[rng.bounded(5)]; // pixel values only
            const qint16 expected = oracle::FindColorIndex(colorkey::colorKey(value), keys);
            ASSERT_EQ(lookup.indexOf(value), expected) << value << " in round " << round;
            matched += expected >= 0;
        }
        // A value no pixel has finds nothing, even when the list holds it.
        for (const qint32 never : {0x1000000, qint32(0x80000000u), -2})
            ASSERT_EQ(lookup.indexOf(never), -1) << never;
    }
    EXPECT_GT(matched, 3000); // the comparison covered matches, not only misses
}

} // namespace
