// Writes the README's before/after picture (docs/fidelity.png): a smooth made-up picture, the
// terrain its colours get matched one by one, and the terrain dithered, all drawn from the
// made-up tiles of SyntheticTileset with the program's own renderer (never the game's).
#include "SyntheticTileset.h"
#include "core/picture/ColorKey.h"
#include "core/picture/PictureFit.h"
#include "core/picture/PngWriter.h"
#include "core/tileset/TerrainRenderer.h"
#include "core/tileset/TileDither.h"
#include "core/tileset/TileMap.h"
#include "core/tileset/TileMatcher.h"

#include <QCoreApplication>
#include <QFile>

#include <cmath>
#include <cstdio>

namespace {

constexpr int W = 48, H = 32, Scale = 6, Gap = 8;

picture::Pixels madeUpPicture()
{
    // A sky from blue to pale grey over a green field with a brown hill, drawn large and
    // fitted to the map as a user's picture would be.
    picture::Pixels p(480, 320);
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            const double t = y / 320.0;
            const double hill = 230 - 70 * std::exp(-std::pow((x - 300) / 90.0, 2));
            int r, g, b;
            if (y < hill) {
                r = int(40 + 150 * t), g = int(80 + 120 * t), b = int(230 - 20 * t);
            } else if (y < 250 && x > 180 && x < 420) {
                r = int(150 + 40 * (y - hill) / 80), g = 105, b = 60;
            } else {
                r = int(50 + 30 * t), g = int(150 - 40 * t + x / 20), b = 50;
            }
            p.row(y)[x] = picture::argb(std::min(r, 255), std::min(g, 255), std::min(b, 255));
        }
    return p;
}

void blit(const picture::Pixels &from, picture::Pixels &to, int left)
{
    for (int y = 0; y < from.height(); ++y)
        for (int x = 0; x < from.width(); ++x)
            to.row(y)[left + x] = from.at(x, y);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: readme_fidelity_picture OUT.png\n");
        return 2;
    }
    const testsupport::SyntheticTileset tiles = testsupport::SyntheticTileset::make(16);
    auto graphics = std::make_shared<terrain::TileGraphics>();
    if (!terrain::TileGraphics::create({tiles.cv5(), tiles.vx4(), false, tiles.vr4(), tiles.wpe(),
                                        "made-up", "made-up"},
                                       graphics.get())
             .ok())
        return 1;
    const terrain::TileMatcher matcher(*graphics);
    const picture::Pixels fitted =
        picture::fitted(madeUpPicture(), {W, H}, {picture::Fit::Cover, picture::Resample::Area});

    terrain::TileMap matched{W, H, 0, {}}, dithered{W, H, 0, {}};
    const terrain::Dithered d = terrain::dither(fitted, W, H, matcher);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            matched.values.append(matcher.nearest(colorkey::pixelValue(fitted, x, y)).value_or(0));
            dithered.values.append(d.tiles[size_t(y * W + x)]);
        }
    terrain::TerrainRenderer renderer(graphics);
    picture::Pixels out(3 * W * Scale + 2 * Gap, H * Scale);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            out.row(y)[x] = picture::argb(255, 255, 255);
    blit(picture::fitted(fitted, {W * Scale, H * Scale}, {picture::Fit::Stretch, picture::Resample::Nearest}), out, 0);
    blit(renderer.render(matched, Scale), out, W * Scale + Gap);
    blit(renderer.render(dithered, Scale), out, 2 * (W * Scale + Gap));
    QFile file(QString::fromLocal8Bit(argv[1]));
    QString error;
    if (!file.open(QIODevice::WriteOnly) || !picture::writeOpaquePng(out, file, &error))
        return 1;
    return 0;
}
