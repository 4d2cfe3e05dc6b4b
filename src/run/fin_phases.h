#pragma once

#include "output/picture_identities.h"
#include "page/modern_page_writer.h"
#include "renditions/rendition_job.h"
#include "run/fin_context.h"
#include "run/fin_plan.h"

#include <QList>

#include <optional>

namespace vintora {

// The phases of the Fin run, in order. Each either goes on (true, or a
// value) or ends the run, with the context's outcome set.

// The checks: what was asked, the output folder and every destination,
// all before the first byte is written; the plan of each page of the run
// (one, or the top page and then every album's, each before those below
// it), in which every name is decided (fin_checks.cpp).
std::optional<QList<FinPlan>> CheckRun(const FinRequest &request, const FinOptions &options,
                                       FinContext &context);

// The copies of the pictures of every page, then of the background and cell
// pictures (fin_copies.cpp).
bool CopyPictures(const QList<FinPlan> &plans, FinContext &context);

// The files made of the pictures of every page, one job per picture on
// every core; what each job made, in the plans' order, each plan's jobs
// after those of the plans before it (fin_renditions.cpp).
std::optional<QList<RenditionResult>> MakeRenditionFiles(const QList<FinPlan> &plans,
                                                         FinContext &context);

// Why the plan's zip may not be written into out, the page's folder (null
// when it is not there yet), beside the folders of its albums: a whole
// sentence, or empty when it may.
QString ZipProblem(const FinPlan &plan, const OutputFolder *out, const QStringList &albumFolders,
                   const PictureIdentities &pictures, const OutputWriter &writer);

// The zip of a modern page's full-size pictures when its plan names one,
// written into the page's folder whole or not at all; the page's link to
// it goes to download. made holds the jobs of this plan alone (fin_zip.cpp).
bool WritePageZip(const FinPlan &plan, const QList<RenditionResult> &made, FinContext &context,
                  PageDownload &download);

// The pages, classic or modern, each written whole or not at all, the top
// page last; each page's zip before the pages (fin_page.cpp).
bool WritePages(const QList<FinPlan> &plans, const QList<RenditionResult> &made,
                FinContext &context);

// The line about a picture left out because its name was lost on its way
// here (not valid text, and no file answers to it), and that test.
QString LeftOutNote(const QString &path);
bool NameWasLost(const QString &path);

} // namespace vintora
