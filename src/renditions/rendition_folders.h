#pragma once

#include <QMutex>
#include <QString>
#include <QStringList>

namespace vintora {

class OutputFolder;
class OutputWriter;

// Where made files go: the one writer, and the folders under its output
// folder, each opened (and made when missing) when a file first needs it,
// from whichever thread asks first.
class RenditionFolders
{
public:
    explicit RenditionFolders(OutputWriter &writer) : m_writer(writer) {}
    RenditionFolders(const RenditionFolders &) = delete;
    RenditionFolders &operator=(const RenditionFolders &) = delete;

    const OutputWriter &writer() const { return m_writer; }

    // The folder at path under the output folder (the output folder itself
    // for an empty path). With create, the folders along the path are made
    // where missing; without, a missing one gives null and no error. Null
    // with a whole sentence in error when one cannot be opened or made.
    const OutputFolder *open(const QStringList &path, bool create, QString *error);

private:
    OutputWriter &m_writer;
    QMutex m_mutex;
};

} // namespace vintora
