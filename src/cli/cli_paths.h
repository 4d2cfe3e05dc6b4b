#pragma once

#include <QString>

namespace vintora {

// A path given on the command line as an absolute path with native
// separators, "." and ".." taken out as the system takes them (".." after
// a link goes up from where the link leads), so that pages never refer to
// a folder relative to wherever vintora-cli was started.
QString absoluteCliPath(const QString &path);

} // namespace vintora
