#pragma once

#include <QDir>
#include <QString>

namespace vintora {

// Why a name typed for the page file cannot be used, in plain words, or an
// empty text when it can. The page always goes straight into the chosen
// folder, so a name must not hold a folder part ("/", or the platform's
// separator) nor be "." or "..", and it must not be empty.
QString PageNameProblem(const QString &name, QChar separator = QDir::separator());

} // namespace vintora
