#pragma once

#include "GrillaCeldas.h"

#include "platform/FlexGrid.h"

// The cells of a FlexGrid for the dialog's logic. Colours are read and
// painted where the cells are, so the current cell never moves and the
// form's cell handlers never run for the logic's own reads and writes.
class GrillaFlex : public GrillaCeldas {
public:
    void setGrid(FlexGrid* grid) { m_grid = grid; }

    int Rows() const override { return m_grid->Rows(); }
    void setRows(int rows) override { m_grid->setRows(rows); }
    int Cols() const override { return m_grid->Cols(); }
    QString TextMatrix(int row, int col) const override { return m_grid->TextMatrix(row, col); }
    void setTextMatrix(int row, int col, const QString& text) override { m_grid->setTextMatrix(row, col, text); }
    std::uint32_t CellBackColor(int row, int col) const override { return m_grid->CellBackColorAt(row, col); }
    void setCellBackColor(int row, int col, std::uint32_t color) override { m_grid->setCellBackColorAt(row, col, color); }
    void setRowBackColor(int row, int fromCol, std::uint32_t color) override
    {
        m_grid->fillRowBackColor(row, fromCol, m_grid->Cols() - 1, color);
    }
    void Clear() override { m_grid->Clear(); }

private:
    FlexGrid* m_grid = nullptr;
};
