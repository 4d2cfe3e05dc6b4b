#pragma once

#include "renditions/rendition_job.h"
#include "run/fin_plan.h"

#include <QList>

namespace vintora {

// The positions of the plan's entries in the order the modern page shows
// them, as the record's pictureOrder asks:
// - "date": by the date taken the picture holds (its clock's offset from
//   UTC applied when it gives one, else read as local time), the file's
//   last change when it holds none; oldest first, ties by name;
// - "name": by file name, ignoring case first;
// - "list", or no choice: as listed.
// Entries equal in every way keep their listed order.
// When the picture was taken, in ms since 1970 (UTC), as the order by date
// reads it.
qint64 PictureTakenMs(const QString &entry, const PictureFacts &facts);

QList<qsizetype> ModernPageOrder(const FinPlan &plan, const QList<RenditionResult> &made);

} // namespace vintora
