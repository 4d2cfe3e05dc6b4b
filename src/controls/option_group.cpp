#include "controls/option_group.h"

#include <QAbstractButton>

#include <algorithm>

namespace vintora {

namespace {

void followChoice(const QList<QAbstractButton *> &group)
{
    const bool anyChosen
            = std::any_of(group.cbegin(), group.cend(), [](auto *b) { return b->isChecked(); });
    for (QAbstractButton *button : group) {
        const bool takesTab = button->isChecked() || (!anyChosen && button == group.first());
        button->setFocusPolicy(takesTab ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

} // namespace

void tabToChosenOption(const QList<QAbstractButton *> &group)
{
    if (group.isEmpty())
        return;
    for (QAbstractButton *button : group)
        QObject::connect(button, &QAbstractButton::toggled, button,
                         [group] { followChoice(group); });
    followChoice(group);
}

} // namespace vintora
