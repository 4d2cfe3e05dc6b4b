#pragma once

#include <QString>
#include <QUrl>

namespace vintora {

inline constexpr const char *kReadmeFileName = "readme.txt";

// What the Welcome page's link icons open, by index: 0 the read-me file in
// the program's folder, 1 a new mail to the maker, 2 the maker's web site.
// Any other index gives an invalid URL.
QUrl welcomeLinkTarget(int index, const QString &programFolder);

} // namespace vintora
