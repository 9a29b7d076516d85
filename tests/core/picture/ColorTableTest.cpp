// The open-addressing colour table against QHash on random work.
#include "core/picture/ColorTable.h"

#include <QHash>

#include <gtest/gtest.h>

#include <random>

TEST(ColorTable, AnswersLikeAHashOnRandomInsertsAndFinds)
{
    struct Case { const char *what; int range; int operations; qsizetype expected; };
    const Case cases[] = {
        {"few colours, many repeats", 50, 2000, 0},
        {"grows from the smallest table", 20000, 30000, 0},
        {"sized for what comes", 20000, 30000, 20000},
        {"clustered neighbours", 70000, 100000, 1024},
    };
    std::mt19937 rng(5);
    for (const Case &c : cases) {
        std::uniform_int_distribution<int> pick(-1, c.range - 2);
        // Neighbouring colours and colours 2^16 apart: what pictures' palettes look like.
        const auto colour = [&](int n) { return n < 0 ? -1 : qint32((n % 256) | (n / 256) << 16); };
        ColorTable table(c.expected);
        QHash<qint32, int> reference;
        for (int i = 0; i < c.operations; ++i) {
            const qint32 color = colour(pick(rng));
            if (i % 3 == 0) {
                const int *found = table.find(color);
                const auto it = reference.constFind(color);
                ASSERT_EQ(found != nullptr, it != reference.cend()) << c.what << " " << color;
                if (found) {
                    ASSERT_EQ(*found, it.value()) << c.what;
                }
                continue;
            }
            const auto [number, added] = table.insert(color, i);
            ASSERT_EQ(added, !reference.contains(color)) << c.what << " " << color;
            if (added)
                reference.insert(color, i);
            ASSERT_EQ(*number, reference.value(color)) << c.what;
            ++*number; // the place returned is the stored number
            ++reference[color];
        }
        EXPECT_EQ(table.size(), reference.size()) << c.what;
        for (auto it = reference.cbegin(); it != reference.cend(); ++it)
            ASSERT_EQ(*table.find(it.key()), it.value()) << c.what;
    }
}
