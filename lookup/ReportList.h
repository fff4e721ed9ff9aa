#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QTreeWidget>

// A list in report view: each row's text stands in column 1 and its
// sub-items 1, 2, ... in the columns after it; rows may carry check boxes;
// sorting by one column at a time compares the cells' text without regard
// to case. Rows, columns and sub-items are counted from 1. In a list with
// check boxes Space ticks or unticks the current row, whichever of its
// columns is current.
class ReportList : public QTreeWidget {
    Q_OBJECT
public:
    explicit ReportList(QWidget* parent = nullptr);

    int columnCountHeaders() const { return columnCount(); }
    void clearColumns();
    void addColumn(const QString& text, int width);
    QString columnText(int column) const;
    int columnLeft(int column) const;
    int columnWidth(int column) const;
    // Widens a column, never narrows it, so that its caption shows whole,
    // and its texts too as far as `most` pixels.
    void widenToFit(int column, int most);

    int rowCount() const { return topLevelItemCount(); }
    void clearRows() { clear(); }
    // Appends a row; it carries a check box when the list has them.
    int addRow(const QString& text);
    QString rowText(int row) const;
    void setRowText(int row, const QString& text);
    // A sub-item outside the list's columns fails (invalid property value).
    QString subItem(int row, int k) const;
    void setSubItem(int row, int k, const QString& text);
    // Column 1 is the row's text, column k+1 its sub-item k.
    QString cell(int row, int column) const;

    void setCheckBoxes(bool on);
    bool checkBoxes() const { return m_checkBoxes; }
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);

    void setRowLook(int row, const QColor& color, bool bold);
    // The picture shown before the row's text (a null icon shows none).
    void setRowIcon(int row, const QIcon& icon);
    QIcon rowIcon(int row) const;

    // The selected row (0 when none); selecting also scrolls it into view.
    int selectedRow() const;
    void selectRow(int row);

    // Sorted lists keep their key and order across reloads.
    bool sorted() const { return m_sorted; }
    int sortKey() const { return m_sortKey; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void setSorting(bool sorted, int key, Qt::SortOrder order);
    void applySort();

signals:
    void columnClicked(int column);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTreeWidgetItem* item(int row) const;

    bool m_checkBoxes = false;
    bool m_sorted = false;
    int m_sortKey = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};
