#pragma once

#include <QDir>
#include <QFile>
#include <QStringList>

// Small file helpers for tests working in a temporary folder.

inline void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(path.section(QDir::separator(), 0, -2));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The names in a folder, hidden ones included, sorted.
inline QStringList folderNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}
