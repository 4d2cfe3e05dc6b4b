#include "run/fin_context.h"

#include "base/file_name_bytes.h"
#include "base/source_file.h"
#include "run/fin_phases.h"

namespace vintora {

void FinContext::report(const FinProgress &step)
{
    outcome.status = StatusText(step);
    if (progress)
        progress(step);
}

void FinContext::note(const QString &text)
{
    outcome.notes << text;
    report({FinProgress::Phase::Note, 0, 0, QString(), text});
}

bool FinContext::end(FinResult result, const QString &status)
{
    outcome.result = result;
    if (result == FinResult::Finished)
        report({FinProgress::Phase::Finished, 0, 0, QString(), QString()});
    else
        report({FinProgress::Phase::Ended, 0, 0, QString(), status});
    return false;
}

bool FinContext::stopped()
{
    if (!stop.isRequested())
        return false;
    end(FinResult::Cancelled, QLatin1String(kStatusCancelled));
    return true;
}

const OutputFolder *FinContext::albumFolder(const QStringList &path)
{
    const OutputFolder *folder = &writer.folder();
    for (const QString &name : path) {
        QString why;
        folder = writer.subfolder(*folder, name, true, &why);
        if (!folder) {
            end(FinResult::Failed, why);
            return nullptr;
        }
    }
    return folder;
}

QString QuotedPath(const QString &path)
{
    return QLatin1Char('"') + DisplayFileName(path) + QLatin1Char('"');
}

QString LeftOutNote(const QString &path)
{
    return QStringLiteral("Left out \"%1\": its name could not be read exactly, so the file "
                          "cannot be found.")
            .arg(DisplayFileName(path));
}

// A path whose name was not valid text where it came from (a dialog, the
// command line) holds U+FFFD in place of the bytes it lost; when no file
// answers to it, it cannot be copied or linked, so it is left out.
bool NameWasLost(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !StatLink(path).exists();
}

} // namespace vintora
