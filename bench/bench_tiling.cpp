// Tiling a 1 x 1 picture over the page style preview (3255 x 2415 twips,
// 217 x 161 pixels: 218 x 162 = 35,316 tiles, both bounds inclusive)
// against QPainter::drawTiledPixmap over the same area.

#include "bench_support.h"
#include "gui_main.h"

#include "tiling/tile_picture.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

using namespace vintora;

namespace {

void BM_TilePicture(benchmark::State &state)
{
    QImage tile(1, 1, QImage::Format_RGB32);
    tile.fill(QColor(0x12, 0x34, 0x56));
    const QPixmap tilePixmap = QPixmap::fromImage(tile);
    const QSizeF outer(3255, 2415);
    const QColor back(Qt::white);
    qsizetype tiles = 0;
    forEachTile(tile.size(), QSize(217, 161), [&](const QPoint &) { ++tiles; });

    PairTimer timer;
    bool same = true;
    for (auto _ : state) {
        std::optional<QImage> tiled;
        QImage floorImage;
        timer.vintora([&] { tiled = TilePicture(outer, tile, back); });
        timer.floor([&] {
            floorImage = QImage(217, 161, QImage::Format_RGB32);
            floorImage.fill(back);
            QPainter painter(&floorImage);
            painter.drawTiledPixmap(floorImage.rect(), tilePixmap);
        });
        same = same && tiled && *tiled == floorImage;
    }
    if (!same)
        state.SkipWithError("the two images differ");
    timer.report(state);
    state.counters["tiles"] = double(tiles);
}

} // namespace

BENCHMARK(BM_TilePicture)->Unit(benchmark::kMillisecond)->UseRealTime();

VINTORA_GUI_BENCHMARK_MAIN();
