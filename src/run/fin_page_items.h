#pragma once

#include "page/modern_page_writer.h"
#include "renditions/rendition_job.h"
#include "run/fin_plan.h"

#include <QHash>
#include <QList>
#include <QSet>

namespace vintora {

// What the modern page shows: the name of the folder it is of (the first
// folder the pictures were chosen by, else outputFolder), and of each
// entry, in the order the record asks (see ModernPageOrder), the picture, its name, and where it
// has a thumbnail, the thumbnail at 1x (or the 2x one when it is the only one) at the size the box
// gives, the one at 2x, its screen-size copies and its facts. Pictures without a thumbnail are
// shown as they are. A picture whose full size is withheld links its largest screen-size copy (or
// its thumbnail at 2x) in its place, and is left out when none was made; so
// does a HEIC the page refers to where it is. One with a full-size JPEG
// standing in for it (standIns, by source path) links that.
ModernPageContents ModernPageContentsOf(const FinPlan &plan, const QList<RenditionResult> &made,
                                        const QString &outputFolder,
                                        const QSet<QString> &withheld = {},
                                        const QHash<QString, QString> &standIns = {});

// The name of the folder the modern page is of, as people read it: the
// first folder the pictures were chosen by, else outputFolder.
QString ModernPageFolderName(const FinPlan &plan, const QString &outputFolder);

// The reference of the record's background picture.
PageBackgrounds ModernPageBackgrounds(const FinPlan &plan);

} // namespace vintora
