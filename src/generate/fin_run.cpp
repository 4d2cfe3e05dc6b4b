#include "generate/fin_run.h"

#include "generate/index_page_writer.h"
#include "generate/text_helpers.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSet>

#include <optional>

namespace vintora {

QString CopyingStatus(qsizetype copied, qsizetype count)
{
    return QStringLiteral("Copying files: %1 of %2").arg(copied).arg(count);
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
        return {result, m_last, m_pagePath};
    }

    FinOutcome stop() { return end(FinResult::Cancelled, QLatin1String(kStatusCancelled)); }

    void setPagePath(const QString &path) { m_pagePath = path; }

private:
    const FinHooks &m_hooks;
    QString m_last;
    QString m_pagePath;
};

QString quotedPath(const QString &path)
{
    return QLatin1Char('"') + path + QLatin1Char('"');
}

} // namespace

FinOutcome RunFin(const WizardSettings &settings, const QStringList &entries,
                  const QString &fileName, const FinHooks &hooks, const FinOptions &options)
{
    Run run(hooks);
    const QChar sep = options.separator;

    const qsizetype n = entries.size();
    if (n < 1)
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

    // The page file is opened before the copies, as a temporary file beside
    // its final name; it takes that name only once it is complete.
    const QString pagePath = JoinPath(folder, fileName, sep);
    run.setPagePath(pagePath);
    if (fileName.isEmpty())
        return run.end(FinResult::Failed, QLatin1String(kStatusNoFileName));
    if (QFileInfo(pagePath).isDir())
        return run.end(FinResult::Failed,
                       QStringLiteral("Could not create the page %1: a folder of that name is "
                                      "in the way.")
                               .arg(quotedPath(pagePath)));
    QSaveFile page(pagePath);
    if (!page.open(QIODevice::WriteOnly))
        return run.end(FinResult::Failed, QStringLiteral("Could not create the page %1: %2.")
                                                  .arg(quotedPath(pagePath), page.errorString()));

    // The copy choice is read once: the page refers to the pictures the way
    // they were actually handled, whatever the user changes meanwhile.
    const bool copy = settings.copyPictures == kTrue;
    CopyNamer namer(options.nameCase, sep);
    namer.reserve(fileName);
    QSet<QString> handled; // names in the output folder already copied to
    const auto copyOne = [&](const QString &source) -> std::optional<QString> {
        const QString name = namer.nameFor(source);
        if (handled.contains(name))
            return std::nullopt;
        handled.insert(name);
        const QString destination = JoinPath(folder, name, sep);
        QString why;
        if (CopyFileReplacing(source, destination, &why) != CopyResult::Failed)
            return std::nullopt;
        return QStringLiteral("Could not copy %1 to %2: %3.")
                .arg(quotedPath(source), quotedPath(destination), why);
    };

    if (copy) {
        // Pictures that already lie in the output folder keep their names
        // there, so that no other picture of the same name is copied over
        // them.
        QStringList sources = entries;
        sources << settings.backgroundPicture << settings.cellPicture;
        for (const QString &source : std::as_const(sources)) {
            if (!source.isEmpty()
                && SameFile(source, JoinPath(folder, FileNameOf(source, sep), sep)))
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

    run.status(QLatin1String(kStatusWritingHeader));
    if (run.pumpAndCheck())
        return run.stop();

    // From here on nothing pumps events: the page and the two pictures it
    // names besides the thumbnails come from one reading of the record.
    const WizardSettings now = settings;
    if (tableWithoutColumns(now))
        return run.end(FinResult::Failed, QLatin1String(kStatusNoColumns));
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
