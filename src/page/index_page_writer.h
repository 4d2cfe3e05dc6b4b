#pragma once

#include "settings/wizard_settings.h"

#include <QDir>
#include <QHash>
#include <QIODevice>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace vintora {

// The folder beside the page that holds the thumbnail files.
inline constexpr const char *kThumbnailFolder = "thumbs";

// A small picture the page shows in place of the picture itself.
struct PageThumbnail
{
    QString name; // the file's name in kThumbnailFolder
    QSize shown;  // the width and height shown with pixel sizing
};

struct PageWriteOptions
{
    QChar separator = QDir::separator();
    // The copy choice the pictures were actually handled with; when unset,
    // the record's copyPictures decides.
    std::optional<bool> copied;
    // Copied pictures by source path: the name each got in the output
    // folder. A path not listed is referred to by its own file name.
    QHash<QString, QString> copiedNames;
    // Pictures that have a thumbnail, by source path. Their IMG SRC names
    // kThumbnailFolder, "/" and the thumbnail's name; the link still leads
    // to the picture itself. The size keeps the picture's proportions: with
    // pixel sizing the shown width and height, with percentage sizing the
    // width percentage alone. Pictures not listed are shown as they are.
    QHash<QString, PageThumbnail> thumbnails;
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
