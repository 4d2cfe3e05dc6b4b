#include "pictures/folder_listing.h"

#include "generate/text_helpers.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace vintora {

QStringList NameFiltersOf(const QString &pattern)
{
    QStringList filters;
    for (const QString &element : pattern.split(QLatin1Char(';'))) {
        const QString filter = element.trimmed();
        if (!filter.isEmpty())
            filters.append(filter);
    }
    return filters;
}

namespace {

// Matches names against name filters, letter case ignored. Filters of the
// form "*.ext" (all of the folder pattern's) are checked as plain endings;
// anything else goes through one combined expression. One pass per name
// instead of one expression per filter keeps big folders quick.
class NameMatcher
{
public:
    explicit NameMatcher(const QStringList &filters)
    {
        static const QRegularExpression simple(QStringLiteral("\\A\\*\\.[^*?\\[\\]]+\\z"));
        QStringList expressions;
        for (const QString &filter : filters) {
            if (simple.match(filter).hasMatch())
                m_endings.append(filter.mid(1));
            else
                expressions.append(QRegularExpression::wildcardToRegularExpression(
                        filter, QRegularExpression::UnanchoredWildcardConversion));
        }
        m_useExpression = !expressions.isEmpty();
        if (m_useExpression)
            m_expression = QRegularExpression(
                    QStringLiteral("\\A(?:%1)\\z").arg(expressions.join(QLatin1Char('|'))),
                    QRegularExpression::CaseInsensitiveOption);
    }

    bool matches(const QString &name) const
    {
        for (const QString &ending : m_endings) {
            if (name.endsWith(ending, Qt::CaseInsensitive))
                return true;
        }
        return m_useExpression && m_expression.match(name).hasMatch();
    }

private:
    QStringList m_endings;
    QRegularExpression m_expression;
    bool m_useExpression = false;
};

} // namespace

std::optional<QStringList> ListFolderPictures(const QString &folder, const QString &pattern,
                                              QChar separator)
{
    if (folder.isEmpty())
        return std::nullopt;
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable())
        return std::nullopt;

    // Collect the names first and sort once: QDir's own filtering and
    // sorting is several times slower, and a folder may hold tens of
    // thousands of pictures. Without QDir::Hidden, hidden files stay out.
    const NameMatcher matcher(NameFiltersOf(pattern));
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (matcher.matches(name))
            names.append(name);
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int order = QString::compare(a, b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });

    for (QString &name : names)
        name = JoinPath(folder, name, separator);
    return names;
}

} // namespace vintora
