#pragma once

#include <QDir>
#include <QString>

namespace vintora {

// Why a name typed for the page file cannot be used, in plain words, or an
// empty text when it can. The page always goes straight into the chosen
// folder, so a name must not hold a folder part ("/", or the platform's
// separator) nor be "." or "..", and it must not be empty. Nor may it look
// like the writer's files in the making (".vintora-….part"), which a later
// run may take for leftovers.
QString PageNameProblem(const QString &name, QChar separator = QDir::separator());

} // namespace vintora
