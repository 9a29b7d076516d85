// Scanning a picture's colours, filling the colour list and loading a picture in the main
// window. BM_TestOracle_PerPixelPass times the tests' reference (a key added and duplicates
// removed after every pixel), which the program never runs: it only shows what the one-pass
// scan replaces.
#include "core/picture/ColorKey.h"
#include "core/picture/PictureReader.h"
#include "core/picture/PixelScan.h"
#include "core/qtimage/QtImage.h"
#include "ui/frmColorList.h"
#include "ui/frmPicture.h"
#include "ui/mdiMain.h"

#include "TestSupport.h"

#include <QApplication>
#include <QScrollBar>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QImage pictureWithColors(int size, int distinct)
{
    QImage picture(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int c = (y * size + x) % distinct;
            picture.setPixel(x, y, qRgb(c & 0xFF, (c >> 8) & 0xFF, 11));
        }
    return picture;
}

// The straightforward pass: add each key at the end, then remove duplicates with the
// downward double loop.
void referencePass(QStringList &list)
{
    const int n = int(list.size());
    for (int i = n - 1; i >= 0; --i) {
        if (i >= list.size())
            continue;
        const QString key = list.at(i);
        for (int j = int(list.size()) - 1; j >= 0; --j)
            if (j != i && list.at(j) == key)
                list.removeAt(j);
    }
}

void BM_Scan(benchmark::State &state)
{
    const picture::Pixels picture = qtimage::fromImage(pictureWithColors(256, int(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(pixelscan::scan(picture, 256, 256));
}
BENCHMARK(BM_Scan)->Arg(1)->Arg(256)->Arg(32767)->Unit(benchmark::kMillisecond);

void BM_TestOracle_PerPixelPass(benchmark::State &state)
{
    const int size = int(state.range(0));
    const picture::Pixels picture = qtimage::fromImage(pictureWithColors(size, int(state.range(1))));
    for (auto _ : state) {
        QStringList list;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                list.append(colorkey::colorKey(colorkey::pixelValue(picture, x, y)));
                referencePass(list);
            }
        benchmark::DoNotOptimize(list);
    }
}
BENCHMARK(BM_TestOracle_PerPixelPass)->Args({64, 1})->Args({64, 16})->Args({64, 64})->Unit(benchmark::kMillisecond);

void BM_FillColorList(benchmark::State &state)
{
    const pixelscan::ScanResult result =
        pixelscan::scan(qtimage::fromImage(pictureWithColors(256, int(state.range(0)))), 256, 256);
    // Shown, so each fill lays the list out again as on screen.
    frmColorList window;
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.setColors(result.values, result.counts);
        QCoreApplication::processEvents();
    }
    if (window.lstColor->verticalScrollBar()->maximum() <= 0 && state.range(0) > 256)
        state.SkipWithError("the list was not laid out");
}
BENCHMARK(BM_FillColorList)->Arg(256)->Arg(32767)->Unit(benchmark::kMillisecond);

// What the picture window does with a picture file, without the status line: read the
// map-sized area of a 256 x 256 BMP, scan it, fill the colour list, let the shown list lay
// itself out (the events the fill posts) and paint it. Goal for 30000 colours: under 300 ms.
void BM_LoadPictureAndList(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.bmp"));
    pictureWithColors(256, int(state.range(0))).save(path, "BMP");
    frmColorList window;
    window.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        const picture::Area area = picture::readArea(path, QSize(256, 256));
        const pixelscan::ScanResult result = pixelscan::scan(area.pixels, 256, 256);
        window.setColors(result.values, result.counts);
        QCoreApplication::processEvents();
        window.repaint();
    }
    state.counters["colours"] = double(window.colorValues().size());
}
BENCHMARK(BM_LoadPictureAndList)->Arg(256)->Arg(30000)->Unit(benchmark::kMillisecond);

// The same in the main window, as the user sees it: a 256 x 256 map loaded, the picture
// loaded through the picture window (status line after every row, the colour list shown and
// laid out). Goal for 30000 colours: under 300 ms.
void BM_MainWindowLoadsPicture(benchmark::State &state)
{
    testsupport::ProgramFolder folder;
    testsupport::ScriptedDialogs dialogs;
    testsupport::writeFile(folder.file(QStringLiteral("config.ini")), "[Settings]\r\nLoadDialog=0\r\n");
    const QString map = folder.file(QStringLiteral("Map.scm"));
    testsupport::writeMap(map, testsupport::scenario(256, 256));
    const QString path = folder.file(QStringLiteral("picture.bmp"));
    pictureWithColors(256, int(state.range(0))).save(path, "BMP");

    mdiMain window(folder.path(), dialogs);
    if (!window.MDIForm_Load()) {
        state.SkipWithError("the main window did not start");
        return;
    }
    window.show();
    dialogs.fileAnswers.push_back(map);
    window.LoadMap();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        window.pictureWindow()->loadPictureFile(path);
        QCoreApplication::processEvents();
    }
    const frmColorList *list = window.existingColorList();
    if (!list || list->colorValues().size() != state.range(0) || !list->isVisible())
        state.SkipWithError("the colour list does not show the picture's colours");
}
BENCHMARK(BM_MainWindowLoadsPicture)->Arg(256)->Arg(30000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
