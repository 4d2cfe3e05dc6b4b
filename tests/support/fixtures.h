#pragma once

#include "settings/wizard_settings.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <sys/stat.h>

// Writes a file, making its folder first.
inline void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Everything in a folder, hidden names included, sorted.
inline QStringList folderNames(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Every file under folder, at any depth, by its path relative to it, sorted.
inline QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

// The file's inode, which a file written anew under its name changes; 0
// when there is none.
inline ino_t inodeOf(const QString &path)
{
    struct stat status
    {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// A table of four columns with the pictures copied; the page's other fields
// do not matter to the run.
inline vintora::WizardSettings tableSettings()
{
    vintora::WizardSettings s;
    s.layoutStyle = vintora::kLayoutTable;
    s.tableColumns = 4;
    s.copyPictures = vintora::kTrue;
    return s;
}
