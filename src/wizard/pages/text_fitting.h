#pragma once

#include <QSize>
#include <QtGlobal>

class QWidget;

namespace vintora {

// The catalogue places every text for an 8.25 pt sans-serif. Desktop fonts
// differ in width, so rather than clip a text, the window takes the largest
// size down to 7.75 pt at which every text fits its place, and a text that
// still does not fit shrinks on its own, down to 6.5 pt at most.
inline constexpr double kLargestTextSize = 8.25;
inline constexpr double kSmallestWindowTextSize = 7.75;
inline constexpr double kSmallestTextSize = 6.5;
inline constexpr double kTextSizeStep = 0.25;

// Whether a label's text or a button's caption fits the visible part of
// its place (a caption that wraps, in its height); other widgets always fit.
bool textFits(const QWidget *widget, QSize visible);

// The length of a label's text or a button's caption; 0 for other widgets.
qsizetype textLength(const QWidget *widget);

void setPointSize(QWidget *widget, double size);

// Steps the text's own size down until it fits its visible part, or the
// smallest size is reached.
void shrinkUntilFits(QWidget *text, QSize visible);

} // namespace vintora
