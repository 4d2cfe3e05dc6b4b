#include "run/fin_order.h"

#include "base/source_file.h"
#include "base/text_helpers.h"

#include <QDateTime>

#include <algorithm>
#include <numeric>

namespace vintora {

namespace {

// a before b by name: case ignored first, then its case, then the path.
int compareNames(const QString &a, const QString &b, QChar separator)
{
    const QString nameA = FileNameOf(a, separator);
    const QString nameB = FileNameOf(b, separator);
    if (const int c = nameA.compare(nameB, Qt::CaseInsensitive); c != 0)
        return c;
    if (const int c = nameA.compare(nameB); c != 0)
        return c;
    return a.compare(b);
}

} // namespace

// From what the picture says of itself; the file's last change when it
// says nothing readable.
qint64 PictureTakenMs(const QString &entry, const PictureFacts &facts)
{
    if (!facts.taken.isEmpty()) {
        const QDateTime taken = QDateTime::fromString(facts.taken + facts.takenOffset, Qt::ISODate);
        if (taken.isValid())
            return taken.toMSecsSinceEpoch();
    }
    return StatFile(entry).modifiedMs;
}

QList<qsizetype> ModernPageOrder(const FinPlan &plan, const QList<RenditionResult> &made)
{
    const QStringList &entries = plan.entries;
    QList<qsizetype> order(entries.size());
    std::iota(order.begin(), order.end(), 0);
    const QString &choice = plan.settings.pictureOrder;
    const bool byDate = choice == QLatin1String(kOrderByDate);
    if (!byDate && choice != QLatin1String(kOrderByName))
        return order;
    QList<qint64> times(entries.size());
    if (byDate) {
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const qsizetype job = plan.renditionOf.value(i, -1);
            times[i]
                    = PictureTakenMs(entries.at(i), job >= 0 ? made.at(job).facts : PictureFacts());
        }
    }
    const QChar separator = plan.options.separator;
    std::stable_sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        if (byDate && times.at(a) != times.at(b))
            return times.at(a) < times.at(b);
        return compareNames(entries.at(a), entries.at(b), separator) < 0;
    });
    return order;
}

} // namespace vintora
