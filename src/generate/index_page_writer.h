#pragma once

#include "wizard/wizard_settings.h"

#include <QDir>
#include <QHash>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <optional>

namespace vintora {

struct PageWriteOptions
{
    QChar separator = QDir::separator();
    // The copy choice the pictures were actually handled with; when unset,
    // the record's copyPictures decides.
    std::optional<bool> copied;
    // Copied pictures by source path: the name each got in the output
    // folder. A path not listed is referred to by its own file name.
    QHash<QString, QString> copiedNames;
};

// Writes the complete index page for the record and the picture entries (in
// list order) into an open device: lines in the system's 8-bit encoding,
// each ended by CR LF. It neither opens nor closes the device.
//
// Returns false with a message in plain words when the page cannot be
// written: the table layout with 0 columns (nothing is written then) or a
// device that refuses the bytes.
bool WriteIndexPage(const WizardSettings &settings, const QStringList &entries, int major,
                    int minor, QIODevice &out, const PageWriteOptions &options = {},
                    QString *error = nullptr);

} // namespace vintora
