#pragma once

#include "page/modern_page_writer.h"
#include "renditions/rendition_job.h"
#include "run/fin_plan.h"

#include <QList>

namespace vintora {

// What the modern page shows: the name of the folder it is of (the first
// folder the pictures were chosen by, else outputFolder), and of each
// entry the picture, its name, and where it has a thumbnail, the thumbnail
// at 1x (or the 2x one when it is the only one) at the size the box gives,
// the one at 2x, its screen-size copies and its facts. Pictures without a
// thumbnail are shown as they are.
ModernPageContents ModernPageContentsOf(const FinPlan &plan, const QList<RenditionResult> &made,
                                        const QString &outputFolder);

// The reference of the record's background picture.
PageBackgrounds ModernPageBackgrounds(const FinPlan &plan);

} // namespace vintora
