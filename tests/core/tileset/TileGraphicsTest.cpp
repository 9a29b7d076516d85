// Tile drawing against the slow reference of the synthetic tables, size checks and every
// reference that can point outside its file.
#include "core/tileset/TileGraphics.h"

#include "SyntheticTileset.h"

#include <gtest/gtest.h>

using terrain::TileGraphics;
using terrain::TilesetFiles;
using testsupport::SyntheticTileset;

namespace {

TilesetFiles filesOf(const SyntheticTileset &t, bool wide = false)
{
    return {t.cv5(), t.vx4(wide), wide, t.vr4(), t.wpe(), QStringLiteral("jungle"),
            QStringLiteral("/games/sc")};
}

TileGraphics graphicsOf(const SyntheticTileset &t, bool wide = false)
{
    TileGraphics graphics;
    const Status made = TileGraphics::create(filesOf(t, wide), &graphics);
    EXPECT_TRUE(made.ok()) << made.reason().toStdString();
    return graphics;
}

picture::Pixels missingPattern()
{
    picture::Pixels image(32, 32);
    TileGraphics::drawMissingTile(image.row(0), 32);
    return image;
}

/// Compares tile `value` with the reference pixel by pixel; a missing tile must be the
/// pattern. Returns the first difference, or an empty string.
std::string compareTile(const TileGraphics &graphics, const SyntheticTileset &t, quint16 value)
{
    const picture::Pixels drawn = graphics.tile(value);
    bool present = true;
    t.pixel(value, 0, 0, &present);
    if (graphics.isPresent(value) != present)
        return "presence differs for value " + std::to_string(value);
    const picture::Pixels pattern = missingPattern();
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            bool ignored = true;
            const QRgb expected = present ? t.pixel(value, x, y, &ignored) : pattern.at(x, y);
            if (drawn.at(x, y) != expected)
                return "value " + std::to_string(value) + " differs at (" + std::to_string(x)
                    + ", " + std::to_string(y) + ")";
        }
    return {};
}

} // namespace

TEST(TileGraphics, EveryValueMatchesTheReferenceInBothMegatileLayouts)
{
    const SyntheticTileset t = SyntheticTileset::make(5);
    for (bool wide : {false, true}) {
        const TileGraphics graphics = graphicsOf(t, wide);
        // Every value of every group, the first values past the last group, and the top.
        for (int value = 0; value < 7 * 16; ++value)
            EXPECT_EQ(compareTile(graphics, t, quint16(value)), "") << "wide " << wide;
        for (int value : {32767, 65535})
            EXPECT_EQ(compareTile(graphics, t, quint16(value)), "") << "wide " << wide;
    }
}

TEST(TileGraphics, FlippedMinitilesMirrorTheirRows)
{
    // Megatile 0 with one minitile drawn plain in entry 0 and mirrored in entry 1.
    SyntheticTileset t = SyntheticTileset::make(1);
    t.megatiles[0][0] = 3u << 1;
    t.megatiles[0][1] = 3u << 1 | 1;
    const picture::Pixels tile = graphicsOf(t).tile(0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(tile.at(x, y), t.palette[t.minitiles[3][size_t(y * 8 + x)]]);
            EXPECT_EQ(tile.at(8 + x, y), t.palette[t.minitiles[3][size_t(y * 8 + 7 - x)]]);
        }
}

TEST(TileGraphics, ReferencesOutsideTheirFilesDrawTheMissingPattern)
{
    struct Fault
    {
        const char *name;
        void (*inject)(SyntheticTileset &);
        quint16 value;
    };
    const Fault faults[] = {
        {"group past the cv5 file", [](SyntheticTileset &) {}, 2 * 16 + 0},
        {"megatile just past the vx4 file",
         [](SyntheticTileset &t) { t.groups[1][3] = quint16(t.megatiles.size()); }, 1 * 16 + 3},
        {"megatile 65535", [](SyntheticTileset &t) { t.groups[0][15] = 0xFFFF; }, 15},
        {"last minitile entry just past the vr4 file",
         [](SyntheticTileset &t) {
             t.megatiles[t.groups[1][7]][15] = quint32(t.minitiles.size()) << 1;
         },
         1 * 16 + 7},
        {"first minitile entry far past, flipped",
         [](SyntheticTileset &t) { t.megatiles[t.groups[0][2]][0] = 0x7FFFu << 1 | 1; }, 2},
    };
    for (const Fault &fault : faults) {
        for (bool wide : {false, true}) {
            SyntheticTileset t = SyntheticTileset::make(2);
            fault.inject(t);
            const TileGraphics graphics = graphicsOf(t, wide);
            EXPECT_FALSE(graphics.isPresent(fault.value)) << fault.name;
            EXPECT_EQ(graphics.tile(fault.value), missingPattern()) << fault.name;
            // Neighbouring values that use nothing broken stay as they were.
            EXPECT_EQ(compareTile(graphics, t, fault.value ^ 1), "") << fault.name;
        }
    }
    // A wide entry whose minitile number only fits in 32 bits.
    SyntheticTileset t = SyntheticTileset::make(1);
    t.megatiles[t.groups[0][0]][5] = 0xFFFFFFFFu;
    EXPECT_FALSE(graphicsOf(t, true).isPresent(0));
}

TEST(TileGraphics, RefusesFilesOfTheWrongSizeNamingTheFile)
{
    const SyntheticTileset t = SyntheticTileset::make(2);
    struct Case
    {
        const char *file;
        void (*damage)(TilesetFiles &);
    };
    const Case cases[] = {
        {"jungle.cv5", [](TilesetFiles &f) { f.cv5.chop(1); }},
        {"jungle.cv5", [](TilesetFiles &f) { f.cv5.clear(); }},
        {"jungle.vx4", [](TilesetFiles &f) { f.vx4.append('\0'); }},
        {"jungle.vx4ex", [](TilesetFiles &f) { f.wideVx4 = true; f.vx4.chop(32); }},
        {"jungle.vr4", [](TilesetFiles &f) { f.vr4.chop(63); }},
        {"jungle.vr4", [](TilesetFiles &f) { f.vr4.clear(); }},
        {"jungle.wpe", [](TilesetFiles &f) { f.wpe.chop(1); }},
        {"jungle.wpe", [](TilesetFiles &f) { f.wpe.append(4, '\0'); }},
    };
    for (const Case &c : cases) {
        TilesetFiles files = filesOf(t);
        c.damage(files);
        TileGraphics graphics;
        const Status made = TileGraphics::create(files, &graphics);
        ASSERT_FALSE(made.ok()) << c.file;
        EXPECT_TRUE(made.reason().contains(QLatin1String(c.file))) << made.reason().toStdString();
        EXPECT_TRUE(made.reason().contains(QLatin1String("/games/sc"))) << c.file;
    }
}
