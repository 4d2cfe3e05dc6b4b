#pragma once

#include <QString>
#include <QTextStream>

namespace vintora {

// Prints a run's status lines. Piped or into a file, each status is a line
// of its own. On a terminal the passing statuses share one line, each
// written over the one before ("\r", the status, then the rest of the line
// cleared), and the last status stays on it, followed by a newline.
class StatusPrinter
{
public:
    // width: the terminal's columns, so that a status never wraps (and
    // "\r" always returns to its start); 0 when not known.
    StatusPrinter(QTextStream &stream, bool inPlace, int width = 0);

    // A status that the next one replaces.
    void showPassing(const QString &status);
    // The status the run ends on.
    void showLast(const QString &status);
    // A line of its own (a note, an error) under the statuses so far; on a
    // terminal the passing status makes room for it.
    void printLine(const QString &line);

private:
    QString fitted(const QString &status) const;
    void clearPassing();

    QTextStream &m_stream;
    bool m_inPlace;
    int m_width;
    bool m_showsPassing = false;
};

} // namespace vintora
