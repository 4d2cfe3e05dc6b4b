#pragma once

#include "page/modern_page_writer.h"
#include "renditions/rendition_job.h"
#include "run/fin_plan.h"

#include <QList>

namespace vintora {

// The links between the pages of a tree of albums, put into each page's
// contents: on every page, the cards of the albums below it (a cover, the
// first picture in the chosen order, or else the cover of its first album;
// the album's name; how many pictures it and the albums below it hold, and
// the days they were taken over), newest first by their newest picture
// (by name when the order is by name, as found when it is as listed); on
// every album's page, the trail of the pages above it up to the top one.
//
// plans and pages go together, the top page first; made holds what was
// made of each plan's pictures, each plan's after the plan before it.
void AddAlbumLinks(const QList<FinPlan> &plans, const QList<RenditionResult> &made,
                   QList<ModernPageContents> &pages);

} // namespace vintora
