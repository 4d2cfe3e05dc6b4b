// The Fin run's last phase: the page, from one reading of the record made
// after the last pumped event, written whole or not at all.

#include "run/fin_phases.h"

#include "base/source_file.h"

#include <QBuffer>

namespace vintora {

// The background and cell pictures as the record names them now: a name
// lost on its way here is left out with a note; the page must not be
// either of them; copied when the pictures are.
bool FinRun::takeDesignedPictures(WizardSettings &now)
{
    for (QString *picture : {&now.backgroundPicture, &now.cellPicture}) {
        if (NameWasLost(*picture)) {
            note(LeftOutNote(*picture));
            picture->clear();
        }
        if (!picture->isEmpty())
            m_pictures.add(*picture, StatFile(*picture));
    }
    const FileStatus page = m_writer.folder().lookThrough(m_fileName);
    for (const QString &picture : {now.backgroundPicture, now.cellPicture}) {
        if (!picture.isEmpty() && StatFile(picture).sameFileAs(page))
            return end(FinResult::Failed,
                       QStringLiteral("Could not write the page %1: it is the picture %2, which "
                                      "the page would replace. Choose another name or folder.")
                               .arg(quotedPath(m_outcome.pagePath), quotedPath(picture)));
    }
    if (m_copy) {
        for (const QString &picture : {now.backgroundPicture, now.cellPicture}) {
            if (picture.isEmpty())
                continue;
            if (const auto failure = copyOne(picture))
                return end(FinResult::Failed, *failure);
        }
    }
    return true;
}

bool FinRun::writePage()
{
    status(QLatin1String(kStatusWritingHeader));
    if (pumpAndCheck())
        return stop();

    // From here on nothing pumps events: the page and the two pictures it
    // names besides the thumbnails come from one reading of the record.
    WizardSettings now = m_settings;
    if (now.layoutStyle == QLatin1String(kLayoutTable) && now.tableColumns < 1)
        return end(FinResult::Failed, QLatin1String(kStatusNoColumns));
    if (!takeDesignedPictures(now))
        return false;
    if (m_modern)
        return writeModernPage(now);

    PageWriteOptions pageOptions;
    pageOptions.separator = m_options.separator;
    pageOptions.copied = m_copy;
    pageOptions.copiedNames = m_namer.names();
    pageOptions.thumbnails = m_thumbnails;
    return putPage([&](QIODevice &page, QString *why) {
        return WriteIndexPage(now, m_entries, m_options.major, m_options.minor, page, pageOptions,
                              why);
    });
}

bool FinRun::putPage(const std::function<bool(QIODevice &, QString *)> &write)
{
    QByteArray bytes;
    QBuffer page(&bytes);
    page.open(QIODevice::WriteOnly);
    QString why;
    if (!write(page, &why))
        return end(FinResult::Failed, QStringLiteral("Could not write the page %1: %2")
                                              .arg(quotedPath(m_outcome.pagePath), why));
    if (!m_writer.writeFile(m_writer.folder(), m_fileName, bytes, &why))
        return end(FinResult::Failed, QStringLiteral("Could not write the page %1: %2.")
                                              .arg(quotedPath(m_outcome.pagePath), why));
    return true;
}

} // namespace vintora
