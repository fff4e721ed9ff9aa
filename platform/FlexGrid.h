#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTableView;

namespace db {
class Recordset;
}

// Column alignments of FlexGrid::setColAlignment.
namespace flex {
constexpr int AlignLeftTop = 0;
constexpr int AlignLeftCenter = 1;
constexpr int AlignLeftBottom = 2;
constexpr int AlignCenterTop = 3;
constexpr int AlignCenterCenter = 4;
constexpr int AlignCenterBottom = 5;
constexpr int AlignRightTop = 6;
constexpr int AlignRightCenter = 7;
constexpr int AlignRightBottom = 8;
// Text to the left, numbers to the right.
constexpr int AlignGeneral = 9;
}  // namespace flex

// A read-only grid of text cells addressed by row and column from 0, driven
// the way the forms drive theirs: the current cell (Row, Col) is the grid's
// own state and can be set on any cell, fixed ones included; the cell
// properties (Text, CellBackColor, CellLeft ...) act on it. The first row and
// the first columns can be fixed: they look like headers and the operator
// cannot make them current; the row and the first fixed column stay in place
// as the view's headers. Geometry is in twips.
//
// Keys, mouse and focus come out as signals. KeyDown and KeyPress hand their
// code by reference: a handler that sets KeyCode to 0 stops the grid's own
// handling of that key (arrows, paging, Home, End).
class FlexGrid : public QWidget {
    Q_OBJECT

public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    // 0 or 1.
    int FixedRows() const;
    void setFixedRows(int fixedRows);
    // 0 up to Cols.
    int FixedCols() const;
    void setFixedCols(int fixedCols);

    // The current cell. Moving it raises LeaveCell on the old cell, then
    // EnterCell on the new one, whether the operator or the code moved it.
    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);
    // The first scrollable row on view.
    int TopRow() const;
    void setTopRow(int row);

    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // Adds `count` rows below the last one, the grid sized once, and writes
    // each of their cells with what `text(i, col)` gives for the i-th new
    // row: as setRows followed by setTextMatrix on every new cell, without
    // the view told of each cell apart.
    void appendRows(int count, const std::function<QString(int i, int col)>& text);
    // The current cell's text.
    QString Text() const;
    void setText(const QString& text);

    // Width in twips; 0 hides the column.
    int ColWidth(int col) const;
    void setColWidth(int col, int width);
    // One of flex::Align...
    int ColAlignment(int col) const;
    void setColAlignment(int col, int alignment);

    // Colours of the current cell, 0x00BBGGRR; 0 means the grid's own colour
    // (setting 0 gives the cell back its default look).
    std::uint32_t CellBackColor() const;
    void setCellBackColor(std::uint32_t color);
    std::uint32_t CellForeColor() const;
    void setCellForeColor(std::uint32_t color);
    // The background of any cell, read or painted where it is: the current
    // cell stays, and no LeaveCell or EnterCell is raised.
    std::uint32_t CellBackColorAt(int row, int col) const;
    void setCellBackColorAt(int row, int col, std::uint32_t color);
    // Paints the cells of a row from fromCol to toCol, both included.
    void fillRowBackColor(int row, int fromCol, int toCol, std::uint32_t color);

    // Geometry of the current cell inside the grid, in twips.
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;
    // Geometry of the grid inside its parent, in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    // Empties every cell's text and colours; rows, columns and widths stay.
    void Clear();
    // Removes a scrollable row; a fixed row or the last scrollable one cannot go.
    void RemoveItem(int row);
    void Refresh();

    // The grid's own enabled flag (its container may still disable it).
    bool Enabled() const;
    // Fails with error 5 when the grid cannot take the focus (hidden or disabled).
    void SetFocus();
    QString Name() const { return objectName(); }

    // Binds the rows of a recordset from its current row to its end: the
    // fixed row gets the field names, the fixed column stays empty, one row
    // per record after the fixed rows. Widths of existing columns are kept.
    // The grid keeps its own copy of the texts.
    void setDataSource(db::Recordset& recordset);
    // Drops the binding; the rows on show stay.
    void releaseDataSource();
    bool hasDataSource() const;

    // The width of a text in the grid's font, in twips.
    int textWidth(const QString& text) const;
    // The column width, in twips, that shows a text whole in the header row
    // and in the cells: its width in the grid's font and the margins a
    // header or a cell keeps around its text.
    int fittingWidth(const QString& text) const;
    // The width, in twips, that shows every text of a column whole, its
    // caption included.
    int fittingColWidth(int col) const;
    // The same width, and the number of characters of the column's longest
    // text.
    struct ColumnFit {
        int width = 0;
        qsizetype longest = 0;
    };
    ColumnFit columnFit(int col) const;

    QTableView* view() const;

signals:
    void Click();
    void DblClick();
    void EnterCell();
    void LeaveCell();
    void GotFocus();
    void LostFocus();
    void KeyDown(int& KeyCode, int Shift);
    void KeyPress(int& KeyAscii);
    void MouseDown(int Button, int Shift, float X, float Y);
    void Scroll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Private;
    std::unique_ptr<Private> d;

    void checkCell(int row, int col) const;
    // The fitting widths measured in another font are let go.
    void checkFittedFont() const;
    // The fitting width of a text, in the font last checked.
    int fitted(const QString& text) const;
    enum class Layer { Back, Fore };
    std::uint32_t cellColor(Layer layer, int row, int col) const;
    void setCellColors(Layer layer, int row, int fromCol, int toCol, std::uint32_t color);
    void cellsChanged(int row, int fromCol, int toCol);
    QRect cellRect(int row, int col) const;
    void moveTo(int row, int col, bool scrollIntoView);
    void syncCurrent();
    void applyLayout();
    // The width of one column (the fixed column is the row header).
    void applyWidth(int col);
    // Only the fixed row and column: nothing to show.
    bool soloFijas() const;
    void handleKey(class QKeyEvent* event);
    void handleMousePress(class QMouseEvent* event, QWidget* source);
    // `texts` holds the records one after another, a text for each name.
    void bind(const QStringList& names, std::vector<QString>&& texts, std::size_t recordCount);
};
