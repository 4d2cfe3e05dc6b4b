#pragma once

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringView>

namespace vintora {

// The text the page puts between the quotes of an HREF, SRC or background
// attribute for one picture.
//
// Copied pictures are referred to by their name in the output folder,
// others by "file://" and their full path. Plain names are written as they
// are; characters that would cut the reference short or end the attribute
// are escaped so that every legal file name resolves and nothing escapes
// its attribute: "%", "#", "?", control characters and letters beyond ASCII
// are percent-encoded (UTF-8), "&", "<", ">" and '"' become entities.
// Spaces at either end of the reference, which browsers trim, become "%20";
// spaces between other characters stay.
QString PictureReference(const QString &path, bool copied, const QString &copiedName,
                         QChar separator = QDir::separator());

// Escapes one reference text as described above. A relative reference whose
// first segment would read as a URL scheme ("a:b.jpg") gets its colon
// encoded. Where the separator is not a backslash, a backslash is a plain
// file-name character and is encoded too.
QString EscapeReference(const QString &reference, bool relative, QChar separator);

// The same escaping, appended to a byte buffer. The escaped text is plain
// ASCII whatever the reference holds, so it needs no further encoding.
void AppendEscapedReference(QByteArray &out, QStringView reference, bool relative, QChar separator);

// The most bytes the escaping makes of one UTF-16 unit: a character of
// three UTF-8 bytes, each percent-encoded.
inline constexpr qsizetype kMaxEscapedBytesPerUnit = 9;

// The same escaping, written at out, which must have room for
// kMaxEscapedBytesPerUnit bytes for each unit of the reference. Returns the
// end of what was written. This is the form the page writer uses: it
// escapes straight into its output block.
char *WriteEscapedReference(char *out, QStringView reference, bool relative, QChar separator);

} // namespace vintora
