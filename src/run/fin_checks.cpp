// The Fin run's checks: what the user asked, the output folder, and every
// destination, all before the first byte is written.

#include "run/fin_phases.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "base/text_helpers.h"
#include "output/page_name.h"
#include "page/modern_page_files.h"
#include "renditions/thumbnail_maker.h"
#include "renditions/thumbnail_names.h"

namespace vintora {

namespace {

bool tableWithoutColumns(const WizardSettings &settings)
{
    return settings.layoutStyle == QLatin1String(kLayoutTable) && settings.tableColumns < 1;
}

// A path whose name was not valid text where it came from (a dialog, the
// command line) holds U+FFFD in place of the bytes it lost; when no file
// answers to it, it cannot be copied or linked, so it is left out.
bool nameWasLost(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !StatLink(path).exists();
}

} // namespace

QString LeftOutNote(const QString &path)
{
    return QStringLiteral("Left out \"%1\": its name could not be read exactly, so the file "
                          "cannot be found.")
            .arg(DisplayFileName(path));
}

bool NameWasLost(const QString &path)
{
    return nameWasLost(path);
}

bool FinRun::takeRequest(const QStringList &listed)
{
    m_entries.reserve(listed.size());
    for (const QString &entry : listed) {
        if (nameWasLost(entry))
            m_lost << entry;
        else
            m_entries << entry;
    }
    if (m_entries.isEmpty() && m_lost.isEmpty())
        return end(FinResult::Refused, QLatin1String(kStatusNoFiles));
    if (tableWithoutColumns(m_settings))
        return end(FinResult::Refused, QLatin1String(kStatusNoColumns));
    return true;
}

bool FinRun::chooseFolder()
{
    status(QLatin1String(kStatusSelectingFolder));
    if (pumpAndCheck())
        return stop();
    const QString folder = m_hooks.chooseOutputFolder ? m_hooks.chooseOutputFolder() : QString();
    if (cancelled())
        return stop();
    if (folder.isEmpty())
        return end(FinResult::Refused, QLatin1String(kStatusNoFolder));
    for (const QString &entry : std::as_const(m_lost))
        note(LeftOutNote(entry));
    if (m_entries.isEmpty())
        return end(FinResult::Refused, QLatin1String(kStatusNoFiles));

    m_outcome.pagePath = JoinPath(folder, m_fileName, m_options.separator);
    if (const QString problem = PageNameProblem(m_fileName, m_options.separator);
        !problem.isEmpty())
        return end(FinResult::Failed, problem);
    QString why;
    if (!m_writer.open(folder, &why))
        return end(FinResult::Failed, why);
    return true;
}

bool FinRun::checkDestinations()
{
    // The choices that decide what is written are read once: the page
    // refers to the pictures the way they were actually handled, whatever
    // the user changes meanwhile.
    m_copy = m_settings.copyPictures == kTrue;
    m_modern = m_settings.modernPage == kTrue;
    m_makeThumbnails = m_settings.makeThumbnails == kTrue || m_modern;
    m_thumbnailBox = m_modern ? ModernThumbnailBox() : ThumbnailBoxFor(m_settings);
    m_writer.setProtected([this](const FileStatus &file) { return m_pictures.contains(file); });
    if (!checkPictures() || !checkPage())
        return false;

    if (m_makeThumbnails && m_thumbnailBox.isValid()) {
        QString why;
        m_thumbs = m_writer.subfolder(m_writer.folder(), QLatin1String(kThumbnailFolder), false,
                                      &why);
        if (!why.isEmpty())
            return end(FinResult::Failed, why);
        if (m_modern && !checkModernFolders())
            return false;
        openMadeFolders();
    }
    if (!m_copy && !m_thumbs && !(m_makeThumbnails && m_thumbnailBox.isValid()))
        return true; // the page refers to the pictures where they are
    nameCopies();
    if (!m_copy)
        return true;
    // Each copy's place may take it: the picture itself, or what may be
    // replaced. One that holds a file of the same size may already hold its
    // bytes, which the copy finds out without writing.
    QSet<QString> checked;
    for (const QString &entry : std::as_const(m_entries)) {
        const QString name = m_namer.nameFor(entry);
        if (checked.contains(name))
            continue;
        checked.insert(name);
        const OutputFolder &out = m_writer.folder();
        const FileStatus there = out.look(name);
        const FileStatus source = m_statuses.value(entry);
        if (!there.exists() || source.sameFileAs(out.lookThrough(name))
            || (there.isRegular() && there.size == source.size))
            continue;
        if (const QString problem = m_writer.problemWith(out, name); !problem.isEmpty())
            return end(FinResult::Failed,
                       QStringLiteral("Could not copy %1 to %2: %3.")
                               .arg(quotedPath(entry), quotedPath(out.pathOf(name)), problem));
    }
    return true;
}

bool FinRun::checkPictures()
{
    const QStringList designed{m_settings.backgroundPicture, m_settings.cellPicture};
    const bool pageThere = m_writer.folder().look(m_fileName).exists();
    if (m_copy) {
        // Every picture is looked at before anything is written: one that
        // is missing, or is no file at all (a named pipe would hang the
        // run, a device fill the disk), stops the run with nothing copied.
        for (const QString &picture : m_entries + designed) {
            if (picture.isEmpty())
                continue;
            const FileStatus status = StatFile(picture);
            m_pictures.add(picture, status);
            m_statuses.insert(picture, status);
            if (const QString why = NotAPictureFileReason(status); !why.isEmpty())
                return end(FinResult::Failed,
                           QStringLiteral("Could not copy %1: %2.").arg(quotedPath(picture), why));
        }
    } else if (pageThere || m_makeThumbnails) {
        // Only files already in the output can be pictures; without copies
        // the pictures are found folder by folder.
        m_pictures.addListed(m_entries, m_options.separator);
        for (const QString &picture : designed)
            m_pictures.add(picture, StatFile(picture));
    }
    return true;
}

bool FinRun::checkPage()
{
    const OutputFolder &out = m_writer.folder();
    const QString &pagePath = m_outcome.pagePath;
    // The page is written in place of whatever is there; it must never be
    // one of the pictures it shows, which would be lost.
    if (const QString picture = m_pictures.pictureAt(out.lookThrough(m_fileName));
        !picture.isEmpty())
        return end(FinResult::Failed,
                   QStringLiteral("Could not write the page %1: it is the picture %2, which the "
                                  "page would replace. Choose another name or folder.")
                           .arg(quotedPath(pagePath), quotedPath(picture)));
    if (const QString problem = m_writer.problemWith(out, m_fileName); !problem.isEmpty())
        return end(FinResult::Failed, QStringLiteral("Could not create the page %1: %2.")
                                              .arg(quotedPath(pagePath), problem));
    if (m_makeThumbnails
        && m_fileName.compare(QLatin1String(kThumbnailFolder), m_options.nameCase) == 0)
        return end(FinResult::Failed,
                   QStringLiteral("The page cannot be named \"%1\": the thumbnail files go into "
                                  "a folder of that name beside it.")
                           .arg(m_fileName));
    if (m_modern && m_fileName.compare(QLatin1String(kScreenCopyFolder), m_options.nameCase) == 0)
        return end(FinResult::Failed,
                   QStringLiteral("The page cannot be named \"%1\": the screen-size pictures go "
                                  "into a folder of that name beside it.")
                           .arg(m_fileName));
    return true;
}

void FinRun::nameCopies()
{
    m_namer.reserve(m_fileName);
    if (m_copy)
        m_namer.setLook([this](const QString &source) {
            const auto known = m_statuses.constFind(source);
            return known != m_statuses.constEnd() ? *known : StatFile(source);
        });
    m_namer.setFreeCheck([this](const QString &name, const QString &source) {
        return nameIsFree(name, source);
    });
    if (m_copy) {
        // Pictures that already lie in the output folder keep their names
        // there, so that no other picture of the same name is copied over
        // them.
        const OutputFolder &out = m_writer.folder();
        for (const QString &source : m_entries) {
            const QString own = FileNameOf(source, m_options.separator);
            if (m_statuses.value(source).sameFileAs(out.lookThrough(own)))
                m_namer.nameFor(source);
        }
    }
    for (const QString &entry : std::as_const(m_entries))
        m_namer.nameFor(entry);
}

// A numbered name is free for a source when nothing of that name lies in
// any folder it would be written into, or only what an earlier run made of
// this very picture: its copy (the same bytes) or its thumbnail.
bool FinRun::nameIsFree(const QString &name, const QString &source) const
{
    const auto holdsSource = [&source](const OutputFolder &folder, const QString &there) {
        SourceFile picture(source);
        return OutputWriter::holdsSameBytes(folder, there, picture);
    };
    if (m_copy) {
        const FileStatus there = m_writer.folder().look(name);
        // A link counts as a file there, even when it leads nowhere.
        if (there.exists() && !(there.isRegular() && holdsSource(m_writer.folder(), name)))
            return false;
    }
    for (const OutputFolder *folder : m_madeFolders) {
        for (const QString &candidate : ThumbnailFileNames(name)) {
            const FileStatus there = folder->look(candidate);
            if (there.exists()
                && !(there.isRegular()
                     && (IsMadeThumbnail(*folder, candidate) || holdsSource(*folder, candidate))))
                return false;
        }
    }
    return true;
}

// The folders already there that hold files made of the pictures (the
// thumbnails, and for the modern page its 1x thumbnails and screen-size
// copies), whose names numbered names must pass over too. Each was checked
// to be a real folder.
void FinRun::openMadeFolders()
{
    if (m_thumbs)
        m_madeFolders << m_thumbs;
    if (!m_modern)
        return;
    QString why;
    if (m_thumbs) {
        if (const OutputFolder *oneX
            = m_writer.subfolder(*m_thumbs, QLatin1String(kOneXThumbnailFolder), false, &why))
            m_madeFolders << oneX;
    }
    if (const OutputFolder *screen
        = m_writer.subfolder(m_writer.folder(), QLatin1String(kScreenCopyFolder), false, &why)) {
        for (const int side : kScreenCopySides) {
            if (const OutputFolder *sized
                = m_writer.subfolder(*screen, QString::number(side), false, &why))
                m_madeFolders << sized;
        }
    }
}

} // namespace vintora
