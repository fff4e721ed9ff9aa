#include "platform/FlexGridModel.h"

#include "platform/Colors.h"
#include "platform/FlexGrid.h"

#include <QBrush>
#include <QGuiApplication>
#include <QPalette>
#include <algorithm>

namespace {

bool looksNumeric(const QString& text)
{
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

Qt::Alignment toQt(int alignment, const QString& text)
{
    Qt::Alignment h;
    Qt::Alignment v;
    switch (alignment) {
    case flex::AlignLeftTop: h = Qt::AlignLeft; v = Qt::AlignTop; break;
    case flex::AlignLeftCenter: h = Qt::AlignLeft; v = Qt::AlignVCenter; break;
    case flex::AlignLeftBottom: h = Qt::AlignLeft; v = Qt::AlignBottom; break;
    case flex::AlignCenterTop: h = Qt::AlignHCenter; v = Qt::AlignTop; break;
    case flex::AlignCenterCenter: h = Qt::AlignHCenter; v = Qt::AlignVCenter; break;
    case flex::AlignCenterBottom: h = Qt::AlignHCenter; v = Qt::AlignBottom; break;
    case flex::AlignRightTop: h = Qt::AlignRight; v = Qt::AlignTop; break;
    case flex::AlignRightCenter: h = Qt::AlignRight; v = Qt::AlignVCenter; break;
    case flex::AlignRightBottom: h = Qt::AlignRight; v = Qt::AlignBottom; break;
    default:
        h = looksNumeric(text) ? Qt::AlignRight : Qt::AlignLeft;
        v = Qt::AlignVCenter;
        break;
    }
    return h | v;
}

QVariant brush(std::uint32_t color)
{
    return color == 0 ? QVariant() : QVariant(QBrush(colors::fromStored(color)));
}

}  // namespace

FlexGridModel::FlexGridModel() : alignment(2, flex::AlignGeneral) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(0, rows - fixedRows);
}

int FlexGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(0, cols - headerCols());
}

QVariant FlexGridModel::cellData(int row, int col, int role) const
{
    switch (role) {
    case Qt::DisplayRole:
        return cell(row, col).text;
    case Qt::TextAlignmentRole:
        return static_cast<int>(toQt(alignment[static_cast<std::size_t>(col)], cell(row, col).text));
    case Qt::BackgroundRole:
        return brush(cell(row, col).back);
    case Qt::ForegroundRole:
        return brush(cell(row, col).fore);
    default:
        return {};
    }
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int col = index.column() + headerCols();
    // A fixed column shown among the items looks like the header beside it.
    if (role == Qt::BackgroundRole && col < fixedCols && cell(index.row() + fixedRows, col).back == 0)
        return QGuiApplication::palette().brush(QPalette::Button);
    return cellData(index.row() + fixedRows, col, role);
}

QVariant FlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal) {
        if (fixedRows == 0 || section + headerCols() >= cols)
            return {};
        if (role == Qt::TextAlignmentRole)
            return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
        return cellData(0, section + headerCols(), role);
    }
    if (headerCols() == 0 || section + fixedRows >= rows)
        return {};
    if (role == Qt::TextAlignmentRole)
        return static_cast<int>(Qt::AlignLeft | Qt::AlignVCenter);
    return cellData(section + fixedRows, 0, role);
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return index.column() + headerCols() < fixedCols ? Qt::ItemIsEnabled : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

void FlexGridModel::cellsChanged(int row, int fromCol, int toCol)
{
    const int first = std::max(fromCol, headerCols());
    if (row < fixedRows) {
        if (first <= toCol)
            emit headerDataChanged(Qt::Horizontal, first - headerCols(), toCol - headerCols());
        return;
    }
    if (fromCol < headerCols())
        emit headerDataChanged(Qt::Vertical, row - fixedRows, row - fixedRows);
    if (first <= toCol)
        emit dataChanged(index(row - fixedRows, first - headerCols()), index(row - fixedRows, toCol - headerCols()));
}

void FlexGridModel::allChanged()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    if (columnCount() > 0)
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0)
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void FlexGridModel::refill(int newRows, std::vector<Cell>& newCells, bool tellChanges)
{
    const int first = std::max(0, std::min(rows, newRows) - fixedRows);
    if (newRows < rows && rows > fixedRows) {
        beginRemoveRows({}, first, rows - fixedRows - 1);
        cells.swap(newCells);
        rows = newRows;
        endRemoveRows();
    } else if (newRows > rows && newRows > fixedRows) {
        beginInsertRows({}, first, newRows - fixedRows - 1);
        cells.swap(newCells);
        rows = newRows;
        endInsertRows();
    } else {
        cells.swap(newCells);
        rows = newRows;
    }
    if (tellChanges)
        allChanged();
}

void FlexGridModel::reshape(int newRows, int newCols)
{
    beginResetModel();
    std::vector<Cell> next(static_cast<std::size_t>(newRows) * newCols);
    const int keepRows = std::min(rows, newRows);
    const int keepCols = std::min(cols, newCols);
    for (int r = 0; r < keepRows; ++r)
        for (int c = 0; c < keepCols; ++c)
            next[static_cast<std::size_t>(r) * newCols + c] = std::move(cell(r, c));
    cells = std::move(next);
    rows = newRows;
    cols = newCols;
    alignment.resize(static_cast<std::size_t>(newCols), flex::AlignGeneral);
    endResetModel();
}
