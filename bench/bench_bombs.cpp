// Pictures that cost more than they show: `vintora-cli --thumbnails`, and
// `vintora-cli --modern`, on a folder of one picture, as a child process,
// timed from its start to its end, with its peak resident memory (wait4's
// ru_maxrss). Made here:
//
// - a GIF of 35 bytes declaring a frame of 16000 x 16000 pixels;
// - a progressive JPEG of 32768 x 32768 pixels, one grey component, a
//   single DC scan (2 MB: one bit per 8 x 8 block);
// - a camera's 45-megapixel photograph (8256 x 5504) and a 100-megapixel
//   panorama (20000 x 5000), both progressive JPEG at quality 92, with
//   soft shapes and a sensor's noise;
// - a black PNG of 9000 x 9000 pixels at 16 bits per sample (4 MB);
// - progressive JPEGs cut short after their first bytes (under a
//   kilobyte): 11000 x 11000 in colour, 19000 x 19000 in grey;
// - a GIF of 68 KB whose screen is 14000 x 14000, its one frame 400 x 300.
//
// Every picture but the camera's must be refused (no thumbnail) in at most
// 2 s and 300 MB, the camera's photograph must get its files. (The
// panorama's progressive scans keep 300 MB of coefficients, more than a
// picture's limit: it is refused too.) Floor: the
// same run on a 1 x 1 GIF, what any run costs.

#include "bench_support.h"
#include "child_process.h"
#include "noisy_photograph.h"
#include "support/crafted_pictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <cstdlib>

namespace {

enum Picture {
    GifBomb,
    JpegBomb,
    Camera,
    Panorama,
    SixteenBitPng,
    ProgressiveColour,
    ProgressiveGrey,
    GifScreen,
    Tiny
};

QImage photograph(QSize size)
{
    return NoisyPhotograph(size, 0, 7, 3);
}

QByteArray progressiveJpeg(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(92);
    writer.setProgressiveScanWrite(true);
    writer.write(image);
    return bytes;
}

QByteArray pictureBytes(Picture picture)
{
    using namespace crafted_pictures;
    switch (picture) {
    case GifBomb:
        return gifDeclaring({16000, 16000}, {16000, 16000});
    case JpegBomb:
        return uniformGreyJpeg({32768, 32768}, JpegKind::Progressive);
    case Camera:
        return progressiveJpeg(photograph({8256, 5504}));
    case Panorama:
        return progressiveJpeg(photograph({20000, 5000}));
    case SixteenBitPng:
        return blackSixteenBitPng({9000, 9000}, false);
    case ProgressiveColour:
        return shortProgressiveJpeg({11000, 11000}, 3);
    case ProgressiveGrey:
        return shortProgressiveJpeg({19000, 19000}, 1);
    case GifScreen:
        return gifFrameOnScreen({14000, 14000}, {400, 300});
    case Tiny:
        return gifDeclaring({1, 1}, {1, 1});
    }
    return {};
}

// A folder holding the picture alone, made once per run of the benchmark.
// The picture is made in a process of its own: a child started later
// inherits this process's peak memory as its own starting peak, which
// would hide the runs' peaks behind the 400 MB of the panorama.
QString folderWith(QTemporaryDir &dir, const QString &name, Picture picture)
{
    const QString folder = dir.filePath(name);
    const QString path = QDir(folder).filePath(name);
    if (QFile::exists(path))
        return folder;
    QDir().mkpath(folder);
    const pid_t maker = ::fork();
    if (maker == 0) {
        QFile file(path);
        const QByteArray bytes = pictureBytes(picture);
        const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
                             && file.flush();
        ::_exit(written ? 0 : 1);
    }
    int status = 0;
    ::waitpid(maker, &status, 0);
    return folder;
}

struct CliRun
{
    double seconds = 0;
    double peakMB = 0;
    bool thumbnailMade = false;
    bool ended = false;
};

// The run's files of the picture: thumbnails alone, or the modern page's
// thumbnails and screen-size copies.
CliRun filesOf(const QString &folder, const QString &output, bool modern)
{
    QDir(output).removeRecursively();
    QDir().mkpath(output);
    CliRun run;
    const auto start = std::chrono::steady_clock::now();
    const ChildRun child = runChild(ownFolder() / "vintora-cli",
                                    {"-q", modern ? "--modern" : "--thumbnails", "--no-copy", "-o",
                                     output.toStdString(), folder.toStdString()});
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peakMB = double(child.peakKiB) * 1024 / 1e6;
    run.ended = WIFEXITED(child.exitStatus);
    run.thumbnailMade = !QDir(output + QStringLiteral("/thumbs")).isEmpty();
    return run;
}

void BM_Bomb(benchmark::State &state)
{
    const auto picture = Picture(state.range(0));
    const bool modern = state.range(1) == 1;
    const bool bomb = picture != Camera;
    static QTemporaryDir dir;
    const QString names[] = {"bomb.gif",    "bomb.jpg",   "camera.jpg", "panorama.jpg",
                             "sixteen.png", "colour.jpg", "grey.jpg",   "screen.gif"};
    const QString folder = folderWith(dir, names[picture], picture);
    const QString tiny = folderWith(dir, "tiny.gif", Tiny);
    const QString output = dir.filePath("out");
    const qint64 bytes = QFileInfo(QDir(folder).filePath(names[picture])).size();
    if (bytes <= 0 || QFileInfo(QDir(tiny).filePath("tiny.gif")).size() <= 0) {
        state.SkipWithError("the pictures could not be made");
        return;
    }

    PairTimer timer;
    std::vector<double> peaks, floorPeaks;
    bool asExpected = true;
    for (auto _ : state) {
        CliRun vintora, floor;
        timer.inTurn([&] { vintora = filesOf(folder, output, modern); },
                     [&] { floor = filesOf(tiny, output, modern); });
        asExpected = asExpected && vintora.ended && vintora.thumbnailMade != bomb;
        timer.addVintora(vintora.seconds);
        timer.addFloor(floor.seconds);
        peaks.push_back(vintora.peakMB);
        floorPeaks.push_back(floor.peakMB);
    }
    if (!asExpected)
        state.SkipWithError(bomb ? "the bomb got a thumbnail" : "the photograph got no thumbnail");
    timer.report(state);
    state.counters["peak_MB"] = PairTimer::median(peaks);
    state.counters["floor_peak_MB"] = PairTimer::median(floorPeaks);
    state.counters["file_bytes"] = double(bytes);
}

} // namespace

// Arguments: the picture, 0 the GIF bomb, 1 the progressive JPEG bomb, 2
// the camera photograph, 3 the panorama, 4 the PNG of 16 bits, 5 and 6 the
// progressive JPEGs cut short (colour, grey), 7 the GIF's screen; then the
// run, 0 with --thumbnails, 1 with --modern.
BENCHMARK(BM_Bomb)
        ->ArgNames({"picture", "modern"})
        ->ArgsProduct({benchmark::CreateDenseRange(0, 7, 1), {0, 1}})
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

BENCHMARK_MAIN();
