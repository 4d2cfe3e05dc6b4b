#pragma once

#include <QDir>
#include <QString>
#include <QStringView>

namespace vintora {

// The part of a path after its last separator: the whole path when it holds
// none, empty when it ends with one.
QString FileNameOf(const QString &path, QChar separator = QDir::separator());

// Where the file name of a path starts: just after its last separator, or
// 0 when it holds none. The page writer asks this once per picture.
qsizetype FileNameStart(QStringView path, QChar separator = QDir::separator());

// Folder and name joined with exactly one separator inserted, also when the
// folder already ends with one.
QString JoinPath(const QString &folder, const QString &name, QChar separator = QDir::separator());

} // namespace vintora
