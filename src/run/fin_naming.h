#pragma once

#include "base/source_file.h"
#include "output/copy_plan.h"
#include "run/fin_run.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

namespace vintora {

class OutputFolder;

// The names a run gives the files it makes: each distinct picture's name
// in the output folder (see CopyNamer), and the stem the files made of it
// take. A numbered name never takes the name of a file already in a folder
// it goes to, but for what an earlier run made of that very picture.
class RunNames
{
public:
    // looks: the pictures already looked at, by path; copy: whether the
    // pictures themselves go into the output folder too.
    // folder: where the copies go; null when it is not there yet.
    RunNames(const OutputFolder *folder, const QHash<QString, FileStatus> &looks, bool copy,
             const FinOptions &options);
    RunNames(const RunNames &) = delete;
    RunNames &operator=(const RunNames &) = delete;

    // A folder already there holding files made of the pictures, whose
    // files numbered names pass over too.
    void addMadeFolder(const OutputFolder *folder) { m_madeFolders << folder; }
    // Keeps a name from being given, such as the page's own.
    void reserve(const QString &name) { m_namer.reserve(name); }

    // The name of the picture in the output folder.
    QString nameFor(const QString &source) { return m_namer.nameFor(source); }
    // Every picture named so far, with its name.
    const QHash<QString, QString> &names() const { return m_namer.names(); }

    // The stem of the files made of the picture named name: that name,
    // unless a name its files may take is one another picture's files may
    // take ("x.png" made JPEG is "x.png.jpg", which is also the thumbnail
    // of a picture named so); then the first numbered name whose names are
    // all free.
    QString stemFor(const QString &name);

private:
    bool nameIsFree(const QString &name, const QString &source) const;
    bool isCopyName(const QString &name) const;

    const OutputFolder *m_folder;
    bool m_copy;
    Qt::CaseSensitivity m_case;
    CopyNamer m_namer;
    QList<const OutputFolder *> m_madeFolders;
    QSet<QString> m_madeNames; // every name a made file of the run may take
};

} // namespace vintora
