#include "generate/index_page_writer.h"

#include "generate/maker.h"
#include "generate/picture_reference.h"
#include "generate/text_helpers.h"

#include <QStringEncoder>

namespace vintora {

namespace {

constexpr QLatin1Char Q('"');

// Collects lines and hands them to the device in large encoded blocks, so
// that a page of many thousands of lines costs few writes.
class LineSink
{
public:
    explicit LineSink(QIODevice &out) : m_out(out), m_encoder(QStringConverter::System)
    {
        m_buffer.reserve(kBlock + 1024);
    }

    void line(const QString &text)
    {
        m_buffer += text;
        m_buffer += QLatin1String("\r\n");
        if (m_buffer.size() >= kBlock)
            flush();
    }

    bool flush()
    {
        if (!m_buffer.isEmpty()) {
            const QByteArray bytes = m_encoder.encode(m_buffer);
            if (m_out.write(bytes) != bytes.size())
                m_failed = true;
            m_buffer.clear();
        }
        return !m_failed;
    }

private:
    static constexpr qsizetype kBlock = 64 * 1024;
    QIODevice &m_out;
    QStringEncoder m_encoder;
    QString m_buffer;
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
    PageBuilder(const WizardSettings &settings, const PageWriteOptions &options)
        : m_settings(settings)
        , m_options(options)
        , m_copied(options.copied.value_or(settings.copyPictures == kTrue))
    {
        m_imageAttributes = imageAttributes();
    }

    QString reference(const QString &path) const
    {
        QString copiedName;
        if (m_copied) {
            const auto it = m_options.copiedNames.constFind(path);
            copiedName = it != m_options.copiedNames.constEnd()
                                 ? *it
                                 : FileNameOf(path, m_options.separator);
        }
        return PictureReference(path, m_copied, copiedName, m_options.separator);
    }

    QString thumbnailLink(const QString &path) const
    {
        const QString ref = reference(path);
        return QLatin1String("<A HREF = ") + quoted(ref) + QLatin1String("><IMG SRC = ")
               + quoted(ref) + m_imageAttributes + QLatin1String("</a>");
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

    void tableLayout(const QStringList &entries, LineSink &sink) const
    {
        const qint16 columns = m_settings.tableColumns;
        sink.line(QLatin1String("<table border = ") + quotedNumber(m_settings.tableBorder)
                  + QLatin1String(" cellpadding = ") + quotedNumber(m_settings.cellPadding)
                  + QLatin1String(" cellspacing = ") + quotedNumber(m_settings.cellSpacing)
                  + QLatin1Char('>'));

        const qsizetype n = entries.size();
        const qsizetype fullRows = n / columns;
        const QString opening = cellOpening();
        const QLatin1String closing("</TD>");
        qsizetype k = 0;
        for (qsizetype row = 0; row < fullRows; ++row) {
            sink.line(QLatin1String("<TR>"));
            for (qint16 c = 0; c < columns; ++c)
                sink.line(opening + thumbnailLink(entries.at(k++)) + closing);
            sink.line(QLatin1String("</TR>"));
        }
        // The last row is always written, filled up with filler cells, and
        // is not closed by </TR>.
        sink.line(QLatin1String("<TR>"));
        for (qint16 c = 0; c < columns; ++c, ++k) {
            if (k < n)
                sink.line(opening + thumbnailLink(entries.at(k)) + closing);
            else
                sink.line(QLatin1String("<TD>&nbsp;</TD>"));
        }
        sink.line(QLatin1String("</TABLE>"));
    }

    void genericLayout(const QStringList &entries, LineSink &sink) const
    {
        for (const QString &entry : entries)
            sink.line(thumbnailLink(entry) + QLatin1Char(' '));
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
    const bool m_copied;
    QString m_imageAttributes;
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

    const PageBuilder page(settings, options);
    LineSink sink(out);
    sink.line(QStringLiteral("<!-- Code generated by Vintora %1.%2, %3 -->")
                      .arg(major)
                      .arg(minor)
                      .arg(QLatin1String(maker::kNotice)));
    sink.line(QStringLiteral("<!-- Mail: %1  Web: %2 -->")
                      .arg(QLatin1String(maker::kMail), QLatin1String(maker::kWebHost)));
    sink.line(QStringLiteral("<html><head><title>Vintora Index Page</title></head>"));
    sink.line(page.bodyTag());
    sink.line(QStringLiteral("Thumbnails<hr><center>"));
    if (table)
        page.tableLayout(entries, sink);
    else if (settings.layoutStyle == QLatin1String(kLayoutGeneric))
        page.genericLayout(entries, sink);
    sink.line(QStringLiteral("</center><hr>"));
    sink.line(QLatin1String("<br><br><center><font size = ") + quoted(QStringLiteral("1"))
              + QLatin1String("><a href = ") + quoted(QLatin1String(maker::kWebAddress))
              + QLatin1String(">this page generated by Vintora software</a></font></center><br>"));
    sink.line(QStringLiteral("</body></html>"));

    if (!sink.flush()) {
        if (error)
            *error = out.errorString().isEmpty() ? QStringLiteral("The page could not be written.")
                                                 : out.errorString();
        return false;
    }
    return true;
}

} // namespace vintora
