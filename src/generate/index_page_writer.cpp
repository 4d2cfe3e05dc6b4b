#include "generate/index_page_writer.h"

#include "generate/maker.h"
#include "generate/picture_reference.h"
#include "generate/text_helpers.h"

#include <QStringEncoder>

namespace vintora {

namespace {

constexpr QLatin1Char Q('"');

// Collects the page's bytes and hands them to the device in large blocks,
// so that a page of many thousands of lines costs few writes. Text is
// encoded in the system's 8-bit encoding; the picture references are
// escaped to plain ASCII and appended as they are.
class ByteSink
{
public:
    explicit ByteSink(QIODevice &out) : m_out(out), m_encoder(QStringConverter::System)
    {
        m_buffer.reserve(kBlock + 4096);
    }

    QByteArray &buffer() { return m_buffer; }

    QByteArray encode(const QString &text) { return m_encoder.encode(text); }

    void text(const QString &text) { m_buffer += m_encoder.encode(text); }

    void line(const QString &text)
    {
        this->text(text);
        endLine();
    }

    void line(const char *ascii)
    {
        m_buffer += ascii;
        endLine();
    }

    void endLine()
    {
        m_buffer += "\r\n";
        if (m_buffer.size() >= kBlock)
            flush();
    }

    bool flush()
    {
        if (!m_buffer.isEmpty() && !m_failed) {
            if (m_out.write(m_buffer) != m_buffer.size())
                m_failed = true;
        }
        m_buffer.clear();
        return !m_failed;
    }

private:
    static constexpr qsizetype kBlock = 256 * 1024;
    QIODevice &m_out;
    QStringEncoder m_encoder;
    QByteArray m_buffer;
    bool m_failed = false;
};

QString quoted(const QString &value)
{
    return Q + value + Q;
}

QString quotedNumber(qint16 value)
{
    return quoted(QString::number(value));
}

QString colorAttribute(const char *name, ColorValue color)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1String(" = ")
           + quoted(QLatin1Char('#') + HtmlColor(color));
}

class PageBuilder
{
public:
    PageBuilder(const WizardSettings &settings, const PageWriteOptions &options, ByteSink &sink)
        : m_settings(settings)
        , m_options(options)
        , m_sink(sink)
        , m_copied(options.copied.value_or(settings.copyPictures == kTrue))
        , m_imageAttributes(sink.encode(imageAttributes()))
    {}

    // Appends the escaped reference of a picture path.
    void appendReference(QByteArray &out, const QString &path) const
    {
        if (!m_copied) {
            out += "file://";
            AppendEscapedReference(out, path, false, m_options.separator);
            return;
        }
        if (!m_options.copiedNames.isEmpty()) {
            const auto it = m_options.copiedNames.constFind(path);
            if (it != m_options.copiedNames.constEnd()) {
                AppendEscapedReference(out, *it, true, m_options.separator);
                return;
            }
        }
        const qsizetype last = path.lastIndexOf(m_options.separator);
        AppendEscapedReference(out, QStringView(path).mid(last + 1), true, m_options.separator);
    }

    QString reference(const QString &path) const
    {
        QByteArray out;
        appendReference(out, path);
        return QString::fromLatin1(out);
    }

    // The thumbnail link: the anchor and the image both point at the picture.
    void appendThumbnailLink(const QString &path)
    {
        m_reference.clear();
        appendReference(m_reference, path);
        QByteArray &out = m_sink.buffer();
        out += "<A HREF = \"";
        out += m_reference;
        out += "\"><IMG SRC = \"";
        out += m_reference;
        out += '"';
        out += m_imageAttributes;
        out += "</a>";
    }

    QString cellOpening() const
    {
        QString cell = QLatin1String("<TD ALIGN = ") + quoted(m_settings.cellAlign)
                       + QLatin1String(" VALIGN = ") + quoted(m_settings.cellVAlign)
                       + colorAttribute("bgcolor", m_settings.cellColor);
        if (!m_settings.cellPicture.isEmpty())
            cell += QLatin1String(" background = ") + quoted(reference(m_settings.cellPicture));
        cell += QLatin1Char('>');
        return cell;
    }

    QString bodyTag() const
    {
        QString body = QLatin1String("<body");
        if (!m_settings.backgroundPicture.isEmpty())
            body += QLatin1String(" background = ")
                    + quoted(reference(m_settings.backgroundPicture));
        body += colorAttribute("bgcolor", m_settings.pageColor);
        body += colorAttribute("text", m_settings.textColor);
        body += colorAttribute("link", m_settings.linkColor);
        body += colorAttribute("vlink", m_settings.visitedLinkColor);
        body += colorAttribute("alink", m_settings.activeLinkColor);
        body += QLatin1Char('>');
        return body;
    }

    void tableLayout(const QStringList &entries)
    {
        const qint16 columns = m_settings.tableColumns;
        m_sink.line(QLatin1String("<table border = ") + quotedNumber(m_settings.tableBorder)
                    + QLatin1String(" cellpadding = ") + quotedNumber(m_settings.cellPadding)
                    + QLatin1String(" cellspacing = ") + quotedNumber(m_settings.cellSpacing)
                    + QLatin1Char('>'));

        const qsizetype n = entries.size();
        const qsizetype fullRows = n / columns;
        const QByteArray opening = m_sink.encode(cellOpening());
        const auto realCell = [&](qsizetype k) {
            m_sink.buffer() += opening;
            appendThumbnailLink(entries.at(k));
            m_sink.buffer() += "</TD>";
            m_sink.endLine();
        };
        qsizetype k = 0;
        for (qsizetype row = 0; row < fullRows; ++row) {
            m_sink.line("<TR>");
            for (qint16 c = 0; c < columns; ++c)
                realCell(k++);
            m_sink.line("</TR>");
        }
        // The last row is always written, filled up with filler cells, and
        // is not closed by </TR>.
        m_sink.line("<TR>");
        for (qint16 c = 0; c < columns; ++c, ++k) {
            if (k < n)
                realCell(k);
            else
                m_sink.line("<TD>&nbsp;</TD>");
        }
        m_sink.line("</TABLE>");
    }

    void genericLayout(const QStringList &entries)
    {
        for (const QString &entry : entries) {
            appendThumbnailLink(entry);
            m_sink.buffer() += ' ';
            m_sink.endLine();
        }
    }

private:
    QString imageAttributes() const
    {
        QString attributes;
        if (m_settings.thumbHeight != 0) {
            attributes = QLatin1String(" width = ") + quotedNumber(m_settings.thumbWidth)
                         + QLatin1String(" height = ") + quotedNumber(m_settings.thumbHeight);
        } else {
            attributes
                    = QLatin1String(" width = ")
                      + quoted(QString::number(m_settings.thumbWidthPercent) + QLatin1Char('%'))
                      + QLatin1String(" height = ")
                      + quoted(QString::number(m_settings.thumbHeightPercent) + QLatin1Char('%'));
        }
        if (m_settings.imageBorders == kFalse)
            attributes += QLatin1String(" border = ") + quoted(QStringLiteral("0"));
        attributes += QLatin1Char('>');
        return attributes;
    }

    const WizardSettings &m_settings;
    const PageWriteOptions &m_options;
    ByteSink &m_sink;
    const bool m_copied;
    const QByteArray m_imageAttributes;
    QByteArray m_reference; // scratch space for one entry's reference
};

} // namespace

bool WriteIndexPage(const WizardSettings &settings, const QStringList &entries, int major,
                    int minor, QIODevice &out, const PageWriteOptions &options, QString *error)
{
    const bool table = settings.layoutStyle == QLatin1String(kLayoutTable);
    if (table && settings.tableColumns == 0) {
        if (error)
            *error = QStringLiteral("A table needs at least one column.");
        return false;
    }

    ByteSink sink(out);
    PageBuilder page(settings, options, sink);
    sink.line(QStringLiteral("<!-- Code generated by Vintora %1.%2, %3 -->")
                      .arg(major)
                      .arg(minor)
                      .arg(QLatin1String(maker::kNotice)));
    sink.line(QStringLiteral("<!-- Mail: %1  Web: %2 -->")
                      .arg(QLatin1String(maker::kMail), QLatin1String(maker::kWebHost)));
    sink.line("<html><head><title>Vintora Index Page</title></head>");
    sink.line(page.bodyTag());
    sink.line("Thumbnails<hr><center>");
    if (table)
        page.tableLayout(entries);
    else if (settings.layoutStyle == QLatin1String(kLayoutGeneric))
        page.genericLayout(entries);
    sink.line("</center><hr>");
    sink.line(QLatin1String("<br><br><center><font size = ") + quoted(QStringLiteral("1"))
              + QLatin1String("><a href = ") + quoted(QLatin1String(maker::kWebAddress))
              + QLatin1String(">this page generated by Vintora software</a></font></center><br>"));
    sink.line("</body></html>");

    if (!sink.flush()) {
        if (error)
            *error = out.errorString().isEmpty() ? QStringLiteral("The page could not be written.")
                                                 : out.errorString();
        return false;
    }
    return true;
}

} // namespace vintora
