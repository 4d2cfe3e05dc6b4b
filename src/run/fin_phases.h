#pragma once

#include "output/copy_plan.h"
#include "output/output_writer.h"
#include "output/picture_identities.h"
#include "page/index_page_writer.h"
#include "page/modern_page_writer.h"
#include "renditions/thumbnail_maker.h"
#include "renditions/thumbnail_size.h"
#include "run/fin_run.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace vintora {

// The line about a picture left out because its name was lost on its way
// here (not valid text, and no file answers to it), and that test.
QString LeftOutNote(const QString &path);
bool NameWasLost(const QString &path);

// One Fin run, phase by phase: what the user asked is checked, the output
// folder chosen, every destination checked before the first byte is
// written, the pictures copied, the thumbnails made and the page written.
// Each phase returns false when the run ends there, with its outcome set.
class FinRun
{
public:
    FinRun(const WizardSettings &settings, const FinHooks &hooks, const FinOptions &options);

    FinOutcome run(const QStringList &listed, const QString &fileName);

private:
    // Checks (fin_checks.cpp).
    bool takeRequest(const QStringList &listed);
    bool chooseFolder();
    bool checkDestinations();
    bool checkPage();
    bool checkModernFolders();
    bool checkPictures();
    void nameCopies();
    bool nameIsFree(const QString &name, const QString &source) const;
    void openMadeFolders();
    // Copies (fin_copies.cpp).
    bool copyPictures();
    std::optional<QString> copyOne(const QString &source);
    // Thumbnails (fin_thumbnails.cpp).
    bool makeThumbnails();
    QString thumbnailStem(const QString &name);
    // The modern page's files and the page (fin_modern.cpp).
    bool makeModernFiles(const QList<ThumbnailJob> &thumbnailJobs,
                         const QList<ThumbnailResult> &thumbnails,
                         const QHash<QString, qsizetype> &jobOfName);
    const OutputFolder *screenFolder(int longSide, QString *why);
    QString pageFolderName() const;
    bool writeModernPage(const WizardSettings &now);
    // The page (fin_page.cpp).
    bool writePage();
    bool takeDesignedPictures(WizardSettings &now);

    // A batch of files made of the pictures on every core, with its status
    // line; nothing when the run was cancelled (and has ended).
    std::optional<QList<ThumbnailResult>> makeBatch(const QList<ThumbnailJob> &jobs,
                                                    QString (*statusText)(qsizetype made,
                                                                          qsizetype count));
    // The page made whole in memory by write, then put in place.
    bool putPage(const std::function<bool(QIODevice &, QString *)> &write);

    // Status, events and the outcome (fin_run.cpp).
    void status(const QString &text);
    bool pumpAndCheck();
    bool cancelled() const;
    void note(const QString &text);
    bool end(FinResult result, const QString &text);
    bool stop();
    QString quotedPath(const QString &path) const;

    const WizardSettings &m_settings;
    const FinHooks &m_hooks;
    const FinOptions &m_options;
    FinOutcome m_outcome;

    // What the run was asked.
    QStringList m_entries; // the pictures to show, in list order
    QStringList m_lost;    // entries whose names were lost on their way here
    QString m_fileName;
    // Read once, before anything is written.
    bool m_copy = false;
    bool m_modern = false;         // the modern page in place of the classic one
    bool m_makeThumbnails = false; // asked for, or needed by the modern page
    ThumbnailBox m_thumbnailBox;

    // Where it goes.
    OutputWriter m_writer;
    const OutputFolder *m_thumbs = nullptr;    // once it exists
    QList<const OutputFolder *> m_madeFolders; // holding files made of the pictures
    PictureIdentities m_pictures;
    QHash<QString, FileStatus> m_statuses; // of the pictures copied, looked at once
    CopyNamer m_namer;
    QSet<QString> m_copiedNames;                // names in the output folder already copied to
    QSet<QString> m_thumbnailNames;             // every name a thumbnail of the run may take
    QHash<QString, PageThumbnail> m_thumbnails; // by picture path
    // The modern page's files and facts of each picture, by picture path.
    QHash<QString, ModernPageItem> m_modernItems;
};

} // namespace vintora
