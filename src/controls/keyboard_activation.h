#pragma once

#include <QRect>

class QEvent;
class QKeyEvent;
class QPainter;
class QWidget;

namespace vintora {

// What the wizard's link-like labels and pictures share to act like links
// from the keyboard: Enter or Space on the focused one acts as a click, and
// it shows a focus frame while it has the focus.

// Enter, Return or Space with no modifier but the keypad's, pressed or
// repeated while held.
bool isActivationKey(const QKeyEvent *event);

// Whether the key press clicks: an activation key as it goes down, not its
// repeats while it is held (a held key clicks once).
bool isActivationClick(const QKeyEvent *event);

// Takes an activation key, its repeats included, before the window's
// shortcuts see it (Enter on the window goes forward): true when the event
// was such a key for a focused widget, which then receives it as a key
// press.
bool claimActivationKey(const QWidget *widget, QEvent *event);

// Paints a focus frame in the selection colour, its lines on the edges of
// frame (a rectangle within the widget), when the widget has the focus.
void paintFocusFrame(const QWidget *widget, QPainter &painter, const QRect &frame);

} // namespace vintora
