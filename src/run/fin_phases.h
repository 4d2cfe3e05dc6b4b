#pragma once

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
// all before the first byte is written; the plan of the run, in which every
// name is decided (fin_checks.cpp).
std::optional<FinPlan> CheckRun(const FinRequest &request, const FinOptions &options,
                                FinContext &context);

// The copies of the pictures, then of the background and cell pictures
// (fin_copies.cpp).
bool CopyPictures(const FinPlan &plan, FinContext &context);

// The files made of the pictures, one job per picture on every core; what
// each job made, in the plan's order (fin_renditions.cpp).
std::optional<QList<RenditionResult>> MakeRenditionFiles(const FinPlan &plan, FinContext &context);

// The zip of the modern page's full-size pictures when the plan names one,
// written whole or not at all; the page's link to it goes to download
// (fin_zip.cpp).
bool WritePageZip(const FinPlan &plan, const QList<RenditionResult> &made, FinContext &context,
                  PageDownload &download);

// The page, classic or modern, written whole or not at all (fin_page.cpp).
bool WritePage(const FinPlan &plan, const QList<RenditionResult> &made, FinContext &context);

// The line about a picture left out because its name was lost on its way
// here (not valid text, and no file answers to it), and that test.
QString LeftOutNote(const QString &path);
bool NameWasLost(const QString &path);

} // namespace vintora
