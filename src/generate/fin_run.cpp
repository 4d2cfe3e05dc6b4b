#include "generate/fin_run.h"

#include "generate/index_page_writer.h"
#include "generate/page_name.h"
#include "generate/text_helpers.h"
#include "generate/thumbnail_batch.h"
#include "pictures/file_name_bytes.h"
#include "pictures/source_file.h"

#include <QSaveFile>
#include <QSet>

#ifdef Q_OS_UNIX
#include <sys/stat.h>

#include <cerrno>
#endif

#include <optional>

namespace vintora {

QString CopyingStatus(qsizetype copied, qsizetype count)
{
    return QStringLiteral("Copying files: %1 of %2").arg(copied).arg(count);
}

QString MakingThumbnailsStatus(qsizetype made, qsizetype count)
{
    return QStringLiteral("Making thumbnails: %1 of %2").arg(made).arg(count);
}

namespace {

bool tableWithoutColumns(const WizardSettings &settings)
{
    return settings.layoutStyle == QLatin1String(kLayoutTable) && settings.tableColumns < 1;
}

class Run
{
public:
    explicit Run(const FinHooks &hooks) : m_hooks(hooks) {}

    void status(const QString &text)
    {
        m_last = text;
        if (m_hooks.setStatus)
            m_hooks.setStatus(text);
    }

    // One pass of the event loop; true when the run is to stop.
    bool pumpAndCheck()
    {
        if (m_hooks.pumpEvents)
            m_hooks.pumpEvents();
        return cancelled();
    }

    bool cancelled() const { return m_hooks.cancelRequested && m_hooks.cancelRequested(); }

    QString chooseFolder() const
    {
        return m_hooks.chooseOutputFolder ? m_hooks.chooseOutputFolder() : QString();
    }

    FinOutcome end(FinResult result, const QString &text)
    {
        status(text);
        return {result, m_last, m_pagePath, m_notes, m_copied, m_copiedBytes};
    }

    // A line about a picture left out; shown now and kept for the outcome.
    void note(const QString &text)
    {
        m_notes << text;
        status(text);
    }

    FinOutcome stop() { return end(FinResult::Cancelled, QLatin1String(kStatusCancelled)); }

    void setPagePath(const QString &path) { m_pagePath = path; }

    void copied(qint64 bytes)
    {
        ++m_copied;
        m_copiedBytes += bytes;
    }

private:
    const FinHooks &m_hooks;
    QString m_last;
    QString m_pagePath;
    QStringList m_notes;
    int m_copied = 0;
    qint64 m_copiedBytes = 0;
};

// A path as people read it, in quotes (raw bytes of a name shown as U+FFFD).
QString quotedPath(const QString &path)
{
    return QLatin1Char('"') + DisplayFileName(path) + QLatin1Char('"');
}

// A path whose name was not valid text where it came from (a dialog, the
// command line) holds U+FFFD in place of the bytes it lost; when no file
// answers to it, it cannot be copied or linked, so it is left out.
bool nameWasLost(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !StatLink(path).exists();
}

QString leftOutNote(const QString &path)
{
    return QStringLiteral("Left out %1: its name could not be read exactly, so the file cannot "
                          "be found.")
            .arg(quotedPath(path));
}

// Each picture of the run looked at once, by everything that needs it; an
// empty path (no background, no cell picture) counts as missing.
QList<FileStatus> lookAt(const QStringList &pictures)
{
    QList<FileStatus> statuses;
    statuses.reserve(pictures.size());
    for (const QString &picture : pictures)
        statuses.append(picture.isEmpty() ? FileStatus() : StatFile(picture));
    return statuses;
}

// The page is written through any link at its place, so it must never be
// one of the pictures it shows: that picture would be lost.
QString pageReplacesPicture(const QString &pagePath, const FileStatus &page,
                            const QStringList &pictures, const QList<FileStatus> &statuses)
{
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        if (page.sameFileAs(statuses.at(i)))
            return QStringLiteral("Could not write the page %1: it is the picture %2, which the "
                                  "page would replace. Choose another name or folder.")
                    .arg(quotedPath(pagePath), quotedPath(pictures.at(i)));
    }
    return QString();
}

// Makes the folder for the thumbnails beside the page, unless it is there;
// why it cannot be made, or an empty text.
QString makeThumbnailFolder(const QString &path)
{
    const FileStatus there = StatFile(path);
    if (there.kind == FileStatus::Kind::Folder)
        return QString();
    if (there.exists())
        return QStringLiteral("Could not make the folder %1: a file of that name is in the way.")
                .arg(quotedPath(path));
#ifdef Q_OS_UNIX
    // As the bytes the name is: QDir would lose those of a name that is not
    // valid text.
    if (::mkdir(EncodeFileName(path).constData(), 0777) != 0 && errno != EEXIST)
        return QStringLiteral("Could not make the folder %1: %2.")
                .arg(quotedPath(path), qt_error_string(errno));
#else
    if (!QDir().mkdir(path) && StatFile(path).kind != FileStatus::Kind::Folder)
        return QStringLiteral("Could not make the folder %1.").arg(quotedPath(path));
#endif
    return QString();
}

} // namespace

FinOutcome RunFin(const WizardSettings &settings, const QStringList &listed,
                  const QString &fileName, const FinHooks &hooks, const FinOptions &options)
{
    Run run(hooks);
    const QChar sep = options.separator;

    QStringList entries;
    entries.reserve(listed.size());
    QStringList lost;
    for (const QString &entry : listed) {
        if (nameWasLost(entry))
            lost << entry;
        else
            entries << entry;
    }

    const qsizetype n = entries.size();
    if (n < 1 && lost.isEmpty())
        return run.end(FinResult::Refused, QLatin1String(kStatusNoFiles));
    if (tableWithoutColumns(settings))
        return run.end(FinResult::Refused, QLatin1String(kStatusNoColumns));

    run.status(QLatin1String(kStatusSelectingFolder));
    if (run.pumpAndCheck())
        return run.stop();
    const QString folder = run.chooseFolder();
    if (run.cancelled())
        return run.stop();
    if (folder.isEmpty())
        return run.end(FinResult::Refused, QLatin1String(kStatusNoFolder));
    for (const QString &entry : std::as_const(lost))
        run.note(leftOutNote(entry));
    if (n < 1)
        return run.end(FinResult::Refused, QLatin1String(kStatusNoFiles));

    // The page file is opened before the copies, as a temporary file beside
    // its final name; it takes that name only once it is complete.
    const QString pagePath = JoinPath(folder, fileName, sep);
    run.setPagePath(pagePath);
    if (const QString problem = PageNameProblem(fileName, sep); !problem.isEmpty())
        return run.end(FinResult::Failed, problem);
    const FileStatus pageStatus = StatFile(pagePath);
    if (pageStatus.kind == FileStatus::Kind::Folder)
        return run.end(FinResult::Failed,
                       QStringLiteral("Could not create the page %1: a folder of that name is in "
                                      "the way.")
                               .arg(quotedPath(pagePath)));
    if (pageStatus.kind == FileStatus::Kind::Other)
        return run.end(FinResult::Failed,
                       QStringLiteral("Could not create the page %1: %2 of that name is in the "
                                      "way.")
                               .arg(quotedPath(pagePath), pageStatus.what));
    const QStringList pictures = QStringList(entries)
                                 << settings.backgroundPicture << settings.cellPicture;
    // The copy choice is read once: the page refers to the pictures the way
    // they were actually handled, whatever the user changes meanwhile.
    const bool copy = settings.copyPictures == kTrue;
    // Without copies and without an earlier page, no picture needs a look.
    const QList<FileStatus> pictureStatuses
            = copy || pageStatus.exists() ? lookAt(pictures) : QList<FileStatus>();
    if (pageStatus.exists()) {
        if (const QString problem
            = pageReplacesPicture(pagePath, pageStatus, pictures, pictureStatuses);
            !problem.isEmpty())
            return run.end(FinResult::Failed, problem);
    }

    // So is the thumbnail choice, with the box the thumbnails are made for.
    const bool makeThumbnails = settings.makeThumbnails == kTrue;
    const ThumbnailBox thumbnailBox = ThumbnailBoxFor(settings);
    if (makeThumbnails && fileName.compare(QLatin1String(kThumbnailFolder), options.nameCase) == 0)
        return run.end(FinResult::Failed,
                       QStringLiteral("The page cannot be named \"%1\": the thumbnail files go "
                                      "into a folder of that name beside it.")
                               .arg(fileName));
    if (copy) {
        // Every picture is looked at before anything is written: one that
        // is missing, or is no file at all (a named pipe would hang the
        // run, a device fill the disk), stops the run with nothing copied.
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            if (pictures.at(i).isEmpty())
                continue;
            const QString why = NotAPictureFileReason(pictureStatuses.at(i));
            if (!why.isEmpty())
                return run.end(FinResult::Failed, QStringLiteral("Could not copy %1: %2.")
                                                          .arg(quotedPath(pictures.at(i)), why));
        }
    }

    QSaveFile page(pagePath);
    if (!page.open(QIODevice::WriteOnly))
        return run.end(FinResult::Failed, QStringLiteral("Could not create the page %1: %2.")
                                                  .arg(quotedPath(pagePath), page.errorString()));

    CopyNamer namer(options.nameCase, sep);
    namer.setFolder(folder);
    namer.reserve(fileName);
    QSet<QString> handled; // names in the output folder already copied to
    const auto copyOne = [&](const QString &source) -> std::optional<QString> {
        const QString name = namer.nameFor(source);
        if (handled.contains(name))
            return std::nullopt;
        handled.insert(name);
        const QString destination = JoinPath(folder, name, sep);
        QString why;
        qint64 bytes = 0;
        const CopyResult result = CopyFileReplacing(source, destination, &why, &bytes);
        if (result == CopyResult::Copied)
            run.copied(bytes);
        if (result != CopyResult::Failed)
            return std::nullopt;
        return QStringLiteral("Could not copy %1 to %2: %3.")
                .arg(quotedPath(source), quotedPath(destination), why);
    };

    if (copy) {
        // Pictures that already lie in the output folder keep their names
        // there, so that no other picture of the same name is copied over
        // them.
        for (qsizetype i = 0; i < pictures.size(); ++i) {
            const QString &source = pictures.at(i);
            if (!source.isEmpty()
                && pictureStatuses.at(i).sameFileAs(
                        StatFile(JoinPath(folder, FileNameOf(source, sep), sep))))
                namer.nameFor(source);
        }

        for (qsizetype i = 0; i < n; ++i) {
            run.status(CopyingStatus(i, n));
            if (run.pumpAndCheck())
                return run.stop();
            if (const auto failure = copyOne(entries.at(i)))
                return run.end(FinResult::Failed, *failure);
        }
    }

    QHash<QString, PageThumbnail> thumbnails;
    if (makeThumbnails && !thumbnailBox.isValid())
        run.note(QStringLiteral("No thumbnails: the thumbnails have no size; the page shows the "
                                "pictures themselves."));
    if (makeThumbnails && thumbnailBox.isValid()) {
        const QString thumbsFolder = JoinPath(folder, QLatin1String(kThumbnailFolder), sep);
        if (const QString problem = makeThumbnailFolder(thumbsFolder); !problem.isEmpty())
            return run.end(FinResult::Failed, problem);
        // One thumbnail per distinct picture, under the name its copy gets.
        QList<ThumbnailJob> jobs;
        QStringList jobNames;
        QSet<QString> named;
        for (const QString &entry : std::as_const(entries)) {
            const QString name = namer.nameFor(entry);
            if (named.contains(name))
                continue;
            named.insert(name);
            jobs.append({entry, JoinPath(thumbsFolder, name, sep), thumbnailBox});
            jobNames.append(name);
        }
        run.status(MakingThumbnailsStatus(0, jobs.size()));
        if (run.pumpAndCheck())
            return run.stop();
        ThumbnailBatchHooks batch;
        batch.finished = [&run](qsizetype done, qsizetype count, qsizetype,
                                const ThumbnailResult &result) {
            if (result.outcome == ThumbnailResult::Outcome::Failed)
                run.note(result.reason);
            if (done < count)
                run.status(MakingThumbnailsStatus(done, count));
        };
        batch.pumpEvents = hooks.pumpEvents;
        batch.cancelRequested = [&run] {
            return run.cancelled();
        };
        const QList<ThumbnailResult> results = MakeThumbnails(jobs, batch);
        if (run.cancelled())
            return run.stop();
        QHash<QString, PageThumbnail> byName;
        for (qsizetype j = 0; j < jobs.size(); ++j) {
            if (results.at(j).hasThumbnail())
                byName.insert(jobNames.at(j), {jobNames.at(j), results.at(j).shownSize});
        }
        for (const QString &entry : std::as_const(entries)) {
            const auto made = byName.constFind(namer.nameFor(entry));
            if (made != byName.constEnd())
                thumbnails.insert(entry, *made);
        }
    }

    run.status(QLatin1String(kStatusWritingHeader));
    if (run.pumpAndCheck())
        return run.stop();

    // From here on nothing pumps events: the page and the two pictures it
    // names besides the thumbnails come from one reading of the record.
    WizardSettings now = settings;
    if (tableWithoutColumns(now))
        return run.end(FinResult::Failed, QLatin1String(kStatusNoColumns));
    for (QString *picture : {&now.backgroundPicture, &now.cellPicture}) {
        if (nameWasLost(*picture)) {
            run.note(leftOutNote(*picture));
            picture->clear();
        }
    }
    const QStringList designed{now.backgroundPicture, now.cellPicture};
    if (const QString problem
        = pageReplacesPicture(pagePath, StatFile(pagePath), designed, lookAt(designed));
        !problem.isEmpty())
        return run.end(FinResult::Failed, problem);
    if (copy) {
        for (const QString &picture : {now.backgroundPicture, now.cellPicture}) {
            if (picture.isEmpty())
                continue;
            if (const auto failure = copyOne(picture))
                return run.end(FinResult::Failed, *failure);
        }
    }

    PageWriteOptions pageOptions;
    pageOptions.separator = sep;
    pageOptions.copied = copy;
    pageOptions.copiedNames = namer.names();
    pageOptions.thumbnails = thumbnails;
    QString why;
    if (!WriteIndexPage(now, entries, options.major, options.minor, page, pageOptions, &why))
        return run.end(
                FinResult::Failed,
                QStringLiteral("Could not write the page %1: %2").arg(quotedPath(pagePath), why));
    if (!page.commit())
        return run.end(FinResult::Failed, QStringLiteral("Could not write the page %1: %2.")
                                                  .arg(quotedPath(pagePath), page.errorString()));
    return run.end(FinResult::Finished, QLatin1String(kStatusFinished));
}

} // namespace vintora
