#pragma once

#include "page/modern_page_writer.h"

#include <QString>

namespace vintora {

// The parts of the modern page that lead to other pages.

// The trail of the pages above this one, each a link, then this page's
// title; empty when there are none above.
QString TrailHtml(const QList<PageLink> &trail, const QString &title);

// The album cards, in order; empty when there are none.
QString AlbumCardsHtml(const QList<AlbumCard> &albums);

// The days between two ISO dates in words, as short as they read clearly:
// "1 May 2024", "1–3 May 2024", "30 April – 2 May 2024",
// "30 December 2024 – 2 January 2025"; one date alone when the other is
// empty, nothing when both are or one does not read as a date.
QString TakenSpanText(const QString &first, const QString &last);

} // namespace vintora
