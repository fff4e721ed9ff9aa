#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <vector>

// Every cell of a FlexGrid: text and colours by row and column from 0, and
// the alignment of each column. The view sees the scrollable part as its
// items and the fixed row and the first fixed column as its headers; fixed
// columns after the first are items with the look of a header that never
// become current.
class FlexGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::beginInsertRows;
    using QAbstractTableModel::beginRemoveRows;
    using QAbstractTableModel::beginResetModel;
    using QAbstractTableModel::endInsertRows;
    using QAbstractTableModel::endRemoveRows;
    using QAbstractTableModel::endResetModel;

    int rows = 2;
    int cols = 2;
    int fixedRows = 1;
    int fixedCols = 1;
    // A colour of 0 is the grid's own.
    struct Cell {
        QString text;
        std::uint32_t back = 0;
        std::uint32_t fore = 0;
    };
    std::vector<Cell> cells = std::vector<Cell>(4);
    std::vector<int> alignment;

    FlexGridModel();

    // The columns the view shows as its row header: the first fixed one.
    int headerCols() const { return fixedCols > 0 ? 1 : 0; }

    const Cell& cell(int row, int col) const { return cells[static_cast<std::size_t>(row) * cols + col]; }
    Cell& cell(int row, int col) { return cells[static_cast<std::size_t>(row) * cols + col]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Tells the view that cells of one row changed, wherever they are shown.
    void cellsChanged(int row, int fromCol, int toCol);
    void allChanged();
    // A new size; the cells both sizes share keep their text and colours.
    void reshape(int newRows, int newCols);
    // Every cell anew, `newRows` rows of the present columns: the view is
    // told of the rows that came or went and of the changed cells, not
    // reset, so it keeps its column sizes without measuring them again.
    // `newCells` comes back holding the cells shown before. Without
    // `tellChanges` the changed cells are left for allChanged (the rows that
    // came or went are told all the same).
    void refill(int newRows, std::vector<Cell>& newCells, bool tellChanges);

private:
    QVariant cellData(int row, int col, int role) const;
};
