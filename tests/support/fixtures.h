#pragma once

#include "settings/wizard_settings.h"

#include <QDir>
#include <QFile>

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
