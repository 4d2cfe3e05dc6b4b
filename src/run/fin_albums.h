#pragma once

#include "run/fin_context.h"
#include "run/fin_run.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vintora {

// One page of a tree of albums.
struct AlbumPlace
{
    // Its folder under the output folder, by the names along the path;
    // empty for the top page.
    QStringList folder;
    QString name;          // the picture folder's name, as people read it
    qsizetype parent = -1; // the page above it; -1 for the top page
    // The positions of the entries it shows itself, in list order.
    QList<qsizetype> entries;
};

// The pages of the entries as albums: each entry goes onto the page of its
// folder relative to the longest root that holds it (with several roots,
// each root is an album of the top page); an entry under no root goes
// onto the top page, and so does each entry of singles (once for each time it is there). Every
// folder with pictures in it or below it is a page; the top page comes first and every page comes
// before those below it. An album folder whose name is one of reserved (the run's own folders, the
// page's name), or taken by another album beside it, is numbered ("thumbs-2").
QList<AlbumPlace> AlbumPlaces(const QStringList &entries, const QStringList &roots,
                              const QStringList &singles, QChar separator,
                              const QStringList &reserved, Qt::CaseSensitivity nameCase);

// The entries but those inside the output folder when it lies below one of
// the roots: a tree chosen with an earlier run's output in it lists that
// run's copies and thumbnails, which are not pictures of the tree. Files
// chosen one by one (singles) are kept wherever they are.
QStringList WithoutEarlierOutput(const QStringList &entries, const QStringList &roots,
                                 const QStringList &singles, const QString &outputFolder);

// The entries an earlier run made (see WithoutEarlierOutput) taken out of
// the run's entries, with a note; false, the run refused as for an empty
// list, when nothing is left.
bool LeaveOutEarlierOutput(QStringList &entries, const FinOptions &options,
                           const QString &outputFolder, FinContext &context);

} // namespace vintora
