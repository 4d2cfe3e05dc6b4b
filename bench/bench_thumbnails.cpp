// Thumbnails for the default box (100 x 100, so files of at most 200 x 200)
// of many real-size pictures, with every core: MakeThumbnails against
// vipsthumbnail making the same sizes from the same files in one
// invocation, and against ImageMagick's convert -thumbnail, one picture at
// a time as it is used. All three write into empty folders; the pictures
// are in the page cache for all of them.
//
// Two sets: "wallpapers", every JPEG and PNG photograph or picture of at
// least a megapixel that Debian's wallpaper packages (mate-backgrounds,
// ukui-wallpapers) put under /usr/share/backgrounds; and "camera", 48
// camera-size JPEG photographs (4032 x 3024, a quarter of them upright by
// their EXIF orientation) made here.
//
// Also the page weight: the page and the files its IMG tags load, with
// thumbnails, against the same page without them (pictures copied, default
// settings).

#include "bench_support.h"
#include "noisy_photograph.h"
#include "support/default_settings.h"

#include "page/index_page_writer.h"
#include "renditions/thumbnail_batch.h"

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

using namespace vintora;

namespace {

constexpr int kCameraPictures = 48;
constexpr int kCameraDistinct = 8;
const QSize kCameraSize(4032, 3024);

struct PictureSet
{
    QStringList paths;
    QString problem; // why the set cannot be had
};

PictureSet wallpapers()
{
    PictureSet set;
    QDirIterator it(QStringLiteral("/usr/share/backgrounds"),
                    {QStringLiteral("*.jpg"), QStringLiteral("*.jpeg"), QStringLiteral("*.png")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QSize size = QImageReader(path).size();
        if (qint64(size.width()) * size.height() >= 1000000)
            set.paths << path;
    }
    set.paths.sort();
    if (set.paths.size() < 40)
        set.problem = QStringLiteral("fewer than 40 wallpapers found: install mate-backgrounds and "
                                     "ukui-wallpapers (./run.sh bench does)");
    return set;
}

// A camera photograph; each seed gives other shapes and noise.
QImage cameraPicture(int seed)
{
    return NoisyPhotograph(kCameraSize, seed, 2 + seed, 3 + seed % 3);
}

// The same JPEG with an EXIF orientation of 6: stored lying, shown upright.
QByteArray upright(const QByteArray &jpeg)
{
    const QByteArray exif = QByteArray("Exif\0\0MM\0\x2A\0\0\0\x08", 14)
                            + QByteArray("\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0", 18);
    return jpeg.left(2) + QByteArray("\xFF\xE1\0", 3) + char(exif.size() + 2) + exif + jpeg.mid(2);
}

const PictureSet &camera()
{
    static QTemporaryDir dir;
    static PictureSet set = [] {
        PictureSet made;
        QList<QByteArray> distinct;
        for (int i = 0; i < kCameraDistinct; ++i) {
            QByteArray jpeg;
            QBuffer buffer(&jpeg);
            buffer.open(QIODevice::WriteOnly);
            cameraPicture(i).save(&buffer, "jpeg", 92);
            distinct << jpeg;
        }
        for (int i = 0; i < kCameraPictures; ++i) {
            const QString path
                    = dir.filePath(QStringLiteral("IMG_%1.jpg").arg(i, 4, 10, QLatin1Char('0')));
            QFile file(path);
            file.open(QIODevice::WriteOnly);
            const QByteArray &jpeg = distinct.at(i % kCameraDistinct);
            file.write(i % 4 == 3 ? upright(jpeg) : jpeg);
            made.paths << path;
        }
        return made;
    }();
    return set;
}

QString program(std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(name));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

// Processor time used so far by this process's threads, or by its
// children that have ended, in seconds.
double processorSeconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + t.tv_usec / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Times a job in processor seconds as well: the machine is shared, and
// where another program holds a core the wall time of a job using every
// core suffers more than that of one using one.
template<typename F>
void timeProcessor(std::vector<double> &times, int who, F &&job)
{
    const double start = processorSeconds(who);
    job();
    times.push_back(processorSeconds(who) - start);
}

bool run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(-1);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void emptyFolder(const QString &path)
{
    QDir(path).removeRecursively();
    QDir().mkpath(path);
}

qint64 bytesOf(const QString &path)
{
    return QFileInfo(path).size();
}

// The page and the files its IMG tags load, with and without thumbnails.
void reportPageWeight(benchmark::State &state, const QStringList &paths,
                      const QList<ThumbnailResult> &results, const QString &thumbs)
{
    const WizardSettings settings = defaultSettings();
    PageWriteOptions with;
    qint64 withBytes = 0, withoutBytes = 0;
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const QString name = QFileInfo(paths.at(i)).fileName();
        withoutBytes += bytesOf(paths.at(i));
        if (results.at(i).hasThumbnail()) {
            with.thumbnails.insert(paths.at(i), {name, results.at(i).shownSize});
            withBytes += bytesOf(QDir(thumbs).filePath(name));
        } else {
            withBytes += bytesOf(paths.at(i));
        }
    }
    const auto pageBytes = [&](const PageWriteOptions &options) {
        QBuffer page;
        page.open(QIODevice::WriteOnly);
        WriteIndexPage(settings, paths, 2, 0, page, options);
        return qint64(page.data().size());
    };
    withBytes += pageBytes(with);
    withoutBytes += pageBytes({});
    state.counters["page_MB_without"] = double(withoutBytes) / 1e6;
    state.counters["page_MB_with"] = double(withBytes) / 1e6;
    state.counters["weight_percent"] = 100.0 * double(withBytes) / double(withoutBytes);
}

void BM_Thumbnails(benchmark::State &state)
{
    const bool fromWallpapers = state.range(0) == 0;
    const PictureSet set = fromWallpapers ? wallpapers() : camera();
    const QString vips = program({"vipsthumbnail"});
    const QString convert = program({"convert-im6.q16", "convert-im6", "convert"});
    if (!set.problem.isEmpty()) {
        state.SkipWithError(qPrintable(set.problem));
        return;
    }
    if (vips.isEmpty() || convert.isEmpty()) {
        state.SkipWithError("vipsthumbnail or ImageMagick's convert not found: install "
                            "libvips-tools and imagemagick (./run.sh bench does)");
        return;
    }

    QTemporaryDir work;
    const QString ours = work.filePath(QStringLiteral("vintora"));
    const QString theirs = work.filePath(QStringLiteral("vips"));
    const QString magick = work.filePath(QStringLiteral("convert"));
    ThumbnailBox box;
    box.width = 100;
    box.height = 100;
    QList<ThumbnailJob> jobs;
    for (const QString &path : set.paths)
        jobs.append({path, QDir(ours).filePath(QFileInfo(path).fileName()), box});

    PairTimer timer;
    std::vector<double> convertTimes;
    std::vector<double> vintoraCpu, vipsCpu;
    QList<ThumbnailResult> results;
    bool complete = true;
    int round = 0;
    for (auto _ : state) {
        emptyFolder(ours);
        emptyFolder(theirs);
        emptyFolder(magick);
        const auto vintoraSide = [&] {
            timeProcessor(vintoraCpu, RUSAGE_SELF,
                          [&] { timer.vintora([&] { results = MakeThumbnails(jobs); }); });
        };
        const auto vipsSide = [&] {
            timeProcessor(vipsCpu, RUSAGE_CHILDREN, [&] {
                timer.floor([&] {
                    complete = run(vips,
                                   QStringList{QStringLiteral("-s"), QStringLiteral("200x200"),
                                               QStringLiteral("-o"),
                                               theirs
                                                       + QStringLiteral("/%s.jpg[Q=82,optimize_"
                                                                        "coding,strip]")}
                                           + set.paths)
                               && complete;
                });
            });
        };
        const auto convertSide = [&] {
            const auto start = std::chrono::steady_clock::now();
            for (const QString &path : set.paths)
                complete = run(convert,
                               {path, QStringLiteral("-thumbnail"), QStringLiteral("200x200"),
                                QStringLiteral("-quality"), QStringLiteral("82"),
                                QDir(magick).filePath(QFileInfo(path).completeBaseName()
                                                      + QStringLiteral(".jpg"))})
                           && complete;
            convertTimes.push_back(
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
                            .count());
        };
        // Each goes first in turn.
        switch (round++ % 3) {
        case 0:
            vintoraSide(), vipsSide(), convertSide();
            break;
        case 1:
            vipsSide(), convertSide(), vintoraSide();
            break;
        default:
            convertSide(), vintoraSide(), vipsSide();
        }
        int made = 0;
        for (const ThumbnailResult &result : std::as_const(results))
            made += result.outcome == ThumbnailResult::Outcome::Made;
        complete = complete && made == set.paths.size()
                   && QDir(theirs).count() == uint(set.paths.size() + 2);
        if (!complete) {
            state.SkipWithError("not every thumbnail was made");
            break;
        }
    }
    timer.report(state);
    const double convertMs = PairTimer::median(convertTimes) * 1e3;
    state.counters["convert_ms"] = convertMs;
    state.counters["ratio_to_convert"] = state.counters["vintora_ms"] / convertMs;
    state.counters["vintora_cpu_ms"] = PairTimer::median(vintoraCpu) * 1e3;
    state.counters["floor_cpu_ms"] = PairTimer::median(vipsCpu) * 1e3;
    state.counters["pictures"] = double(set.paths.size());
    state.counters["threads"] = QThread::idealThreadCount();
    qint64 megapixels = 0;
    for (const ThumbnailResult &result : std::as_const(results))
        megapixels += qint64(result.pictureSize.width()) * result.pictureSize.height();
    state.counters["megapixels"] = double(megapixels) / 1e6;
    if (complete)
        reportPageWeight(state, set.paths, results, ours);
}

} // namespace

// Argument: 0 the wallpapers, 1 the camera photographs.
BENCHMARK(BM_Thumbnails)
        ->ArgName("camera")
        ->Arg(0)
        ->Arg(1)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

BENCHMARK_MAIN();
