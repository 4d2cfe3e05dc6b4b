#include "cli/status_printer.h"

namespace vintora {

namespace {

// Back to the start of the line, and the rest of the line cleared.
constexpr const char *kReturn = "\r";
constexpr const char *kClearToEnd = "\x1b[K";

} // namespace

StatusPrinter::StatusPrinter(QTextStream &stream, bool inPlace, int width)
    : m_stream(stream), m_inPlace(inPlace), m_width(width)
{}

QString StatusPrinter::fitted(const QString &status) const
{
    // The last column stays free: a line that fills it wraps on some
    // terminals.
    if (m_width > 1 && status.size() >= m_width)
        return status.left(m_width - 1);
    return status;
}

void StatusPrinter::clearPassing()
{
    if (m_showsPassing)
        m_stream << kReturn << kClearToEnd;
    m_showsPassing = false;
}

void StatusPrinter::showPassing(const QString &status)
{
    if (m_inPlace) {
        m_stream << kReturn << fitted(status) << kClearToEnd;
        m_showsPassing = true;
    } else {
        m_stream << status << '\n';
    }
    m_stream.flush();
}

void StatusPrinter::showLast(const QString &status)
{
    if (m_inPlace && m_showsPassing)
        m_stream << kReturn << status << kClearToEnd << '\n';
    else
        m_stream << status << '\n';
    m_showsPassing = false;
    m_stream.flush();
}

void StatusPrinter::printLine(const QString &line)
{
    clearPassing();
    m_stream << line << '\n';
    m_stream.flush();
}

} // namespace vintora
