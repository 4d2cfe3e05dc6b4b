#pragma once

#include <QByteArrayView>
#include <QString>

namespace vintora {

// Writes the bytes as the file at path (its exact bytes, see
// EncodeFileName), replacing any file of that name. They are written under
// a name of their own beside it and renamed over it once complete, so no
// one ever finds half a file there, and a failed write leaves an earlier
// file untouched. On failure the reason goes to error, in plain words that follow
// the file's name ("cannot be written (No space left on device)").
bool WriteFileReplacing(const QString &path, QByteArrayView bytes, QString *error = nullptr);

} // namespace vintora
