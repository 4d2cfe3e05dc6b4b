#include "wizard/picture_list_model.h"

#include "base/file_name_bytes.h"

namespace vintora {

// Item views count rows in int. The list holds far more than 32767 entries
// but never near two thousand million (memory gives out long before), so
// rows convert to int as they are.

int PictureListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

QVariant PictureListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() != 0 || index.row() >= m_entries.size())
        return {};
    // A name's raw bytes (not valid text) show as U+FFFD; the entry itself
    // keeps them, so the file is still found.
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return DisplayFileName(m_entries.at(index.row()));
    return {};
}

void PictureListModel::append(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    const auto first = static_cast<int>(m_entries.size());
    beginInsertRows({}, first, first + static_cast<int>(paths.size()) - 1);
    m_entries.append(paths);
    endInsertRows();
}

bool PictureListModel::removeAt(qsizetype row)
{
    if (row < 0 || row >= m_entries.size())
        return false;
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
    m_entries.removeAt(row);
    endRemoveRows();
    return true;
}

} // namespace vintora
