#pragma once

#include <QAbstractListModel>

// The page list: entries "1" to the number of pages, made on demand, so a
// million rows do not become a million combo entries in memory.
class PageListModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setCount(int count)
    {
        beginResetModel();
        m_count = std::max(0, count);
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_count; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return QString::number(index.row() + 1);
    }

private:
    int m_count = 0;
};
