#pragma once

#include "renditions/rendition_job.h"
#include "renditions/thumbnail_size.h"
#include "run/fin_run.h"
#include "settings/wizard_settings.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace vintora {

// A copy the run makes: the picture, and its name in the output folder.
struct PlannedCopy
{
    QString source;
    QString name;
};

// What one Fin run does, decided by its checks before the first byte is
// written: every destination and every name. The phases after the checks
// only read it.
struct FinPlan
{
    // The record as the run took it, but for a background or cell picture
    // whose name was lost on its way here, left out.
    WizardSettings settings;
    FinOptions options;
    QString pageName; // the page's file name in the output folder
    QString pagePath; // for messages
    // Where the page stands in a tree of albums: its folder under the
    // output folder (empty for the top page), its album's name, and the
    // plan of the page above it (-1 for the top page). The copies and the
    // files made of the pictures go into that folder, beside the page.
    QStringList albumFolder;
    QString albumName;
    qsizetype parentAlbum = -1;
    // The pictures the page shows, in list order.
    QStringList entries;
    bool copy = false;   // the pictures are copied beside the page
    bool modern = false; // the modern page in place of the classic one
    // The copies are published without where they were taken (the modern
    // page's copies, unless the user keeps it).
    bool removeLocation = false;
    // Thumbnail files were asked for (or the modern page needs them), for
    // this box; a box without room in it gives none, and a note.
    bool thumbnails = false;
    ThumbnailBox thumbnailBox;
    // The name of the zip of the page's full-size pictures in the output
    // folder; empty when none is made.
    QString zipName;

    // One copy per entry, in list order: a picture listed twice has one
    // name and is copied once. Then the background and cell pictures.
    QList<PlannedCopy> copies;
    QList<PlannedCopy> designedCopies;
    // The name each picture has in the output folder, by source path, when
    // the pictures are copied or have files made of them.
    QHash<QString, QString> names;

    // The files made of the pictures: one job per distinct picture, and the
    // job of each entry (-1 for none).
    QList<RenditionJob> renditions;
    QList<qsizetype> renditionOf;
};

// The name of the full-size JPEG that stands in on the modern page for a
// picture browsers do not show (a HEIC): its copy's whole name and ".jpg".
inline QString StandInName(const QString &copyName)
{
    return copyName + QLatin1String(".jpg");
}

// Whether a picture of this name may get a full-size JPEG standing in for
// it: HEIC, HEIF and AVIF, by the name's extension.
inline bool MayGetStandIn(const QString &name)
{
    for (const char *extension : {".heic", ".heif", ".avif"}) {
        if (name.endsWith(QLatin1String(extension), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// Whether a picture of this name is one browsers do not show: a HEIC or
// HEIF, by the name's extension.
inline bool IsHeicName(const QString &name)
{
    return name.endsWith(QLatin1String(".heic"), Qt::CaseInsensitive)
           || name.endsWith(QLatin1String(".heif"), Qt::CaseInsensitive);
}

// The files of a modern page's job, in this order: the thumbnail at 2x
// (the classic page's only one), at 1x, and the screen-size copies from
// the smallest.
inline constexpr qsizetype kThumbnailFile = 0;
inline constexpr qsizetype kOneXThumbnailFile = 1;
inline constexpr qsizetype kFirstScreenCopyFile = 2;

} // namespace vintora
