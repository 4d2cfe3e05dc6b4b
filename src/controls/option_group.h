#pragma once

#include <QList>

class QAbstractButton;

namespace vintora {

// Tab into a group of option buttons lands on its chosen one, so that
// Space does not change the choice; the arrow keys then move the choice
// within the group (Qt's own behaviour for exclusive buttons). Only the
// chosen button takes the focus from Tab (the first one while none is
// chosen); the others still take it from a click. The group follows every
// change of the choice, by mouse, keyboard or code.
void tabToChosenOption(const QList<QAbstractButton *> &group);

} // namespace vintora
