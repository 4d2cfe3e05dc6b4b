#include "renditions/rendition_folders.h"

#include "output/output_writer.h"

namespace vintora {

const OutputFolder *RenditionFolders::open(const QStringList &path, bool create, QString *error)
{
    // The writer keeps the folders it opened; asked again, it gives the
    // same one. Only the asking goes one thread at a time.
    QMutexLocker lock(&m_mutex);
    const OutputFolder *folder = &m_writer.folder();
    for (const QString &name : path) {
        folder = m_writer.subfolder(*folder, name, create, error);
        if (!folder)
            return nullptr;
    }
    return folder;
}

} // namespace vintora
