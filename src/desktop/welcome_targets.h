#pragma once

#include <QString>
#include <QUrl>

namespace vintora {

inline constexpr const char *kReadmeFileName = "readme.txt";

// Where the read-me of a program in programFolder lies: in the installed
// documentation folder when it is there (programFolder/../share/doc/vintora
// with the usual layout), else beside the program, as in the build tree.
QString readmePath(const QString &programFolder);

// What the Welcome page's link icons open, by index: 0 the read-me file
// (readmePath), 1 a new mail to the maker, 2 the maker's web site. Any
// other index gives an invalid URL.
QUrl welcomeLinkTarget(int index, const QString &programFolder);

} // namespace vintora
