#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace vintora {

// The entries of the picture list: one full path per row, in the order they
// were added. Appending many at once is a single insertion, so a folder of
// tens of thousands of pictures costs one view update, not one per row.
class PictureListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &entries() const { return m_entries; }
    void append(const QStringList &paths);
    // False when there is no such row.
    bool removeAt(qsizetype row);

private:
    QStringList m_entries;
};

} // namespace vintora
