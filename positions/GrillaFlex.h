#pragma once

#include "GrillaCeldas.h"

#include "platform/FlexGrid.h"

#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QTableView>

// The cells of a FlexGrid for the dialog's logic. A flex grid reads and
// paints colours on its current cell only: the cell is visited with the
// grid's signals (and its view's selection signals) held, and the current
// cell is put back afterwards, so the form's cell handlers never see the
// visit and the view does not follow it.
class GrillaFlex : public GrillaCeldas {
public:
    void setGrid(FlexGrid* grid) { m_grid = grid; }

    int Rows() const override { return m_grid->Rows(); }
    void setRows(int rows) override { m_grid->setRows(rows); }
    int Cols() const override { return m_grid->Cols(); }
    QString TextMatrix(int row, int col) const override { return m_grid->TextMatrix(row, col); }
    void setTextMatrix(int row, int col, const QString& text) override { m_grid->setTextMatrix(row, col, text); }
    std::uint32_t CellBackColor(int row, int col) const override
    {
        const Visita v(*m_grid, row, col);
        return m_grid->CellBackColor();
    }
    void setCellBackColor(int row, int col, std::uint32_t color) override
    {
        const Visita v(*m_grid, row, col);
        m_grid->setCellBackColor(color);
    }
    void setRowBackColor(int row, int fromCol, std::uint32_t color) override
    {
        const Visita v(*m_grid, row, fromCol);
        for (int c = fromCol; c < m_grid->Cols(); ++c) {
            m_grid->setCol(c);
            m_grid->setCellBackColor(color);
        }
    }
    void Clear() override { m_grid->Clear(); }

private:
    class Visita {
    public:
        Visita(FlexGrid& grid, int row, int col)
            : m_grilla(&grid),
              m_seleccion(grid.view()->selectionModel()),
              m_grid(grid),
              m_row(grid.Row()),
              m_col(grid.Col())
        {
            grid.setRow(row);
            grid.setCol(col);
        }
        ~Visita()
        {
            m_grid.setRow(m_row);
            m_grid.setCol(m_col);
        }
        Visita(const Visita&) = delete;
        Visita& operator=(const Visita&) = delete;

    private:
        QSignalBlocker m_grilla;
        QSignalBlocker m_seleccion;
        FlexGrid& m_grid;
        int m_row;
        int m_col;
    };

    FlexGrid* m_grid = nullptr;
};
