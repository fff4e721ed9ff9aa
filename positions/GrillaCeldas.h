#pragma once

#include "platform/RuntimeError.h"

#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

// The cells of a flex grid as the position dialog's logic reads and writes
// them: texts by row and column, and each cell's background colour. The form
// hands its grid; the logic runs as well over GrillaMemoria, without a window.
class GrillaCeldas {
public:
    virtual ~GrillaCeldas() = default;

    virtual int Rows() const = 0;
    // Growing adds empty, unpainted rows at the end.
    virtual void setRows(int rows) = 0;
    virtual int Cols() const = 0;
    virtual QString TextMatrix(int row, int col) const = 0;
    virtual void setTextMatrix(int row, int col, const QString& text) = 0;
    // 0x00BBGGRR; 0 for a cell never painted, whatever colour the grid shows it in.
    virtual std::uint32_t CellBackColor(int row, int col) const = 0;
    virtual void setCellBackColor(int row, int col, std::uint32_t color) = 0;
    // Paints the cells of a row from `fromCol` to the last column.
    virtual void setRowBackColor(int row, int fromCol, std::uint32_t color)
    {
        for (int c = fromCol; c < Cols(); ++c)
            setCellBackColor(row, c, color);
    }
    // Empties every cell's text and colour; the number of rows stays.
    virtual void Clear() = 0;
};

class GrillaMemoria : public GrillaCeldas {
public:
    explicit GrillaMemoria(int rows = 2, int cols = 8) : m_cols(cols) { setRows(rows); }

    int Rows() const override { return static_cast<int>(m_cells.size()); }
    void setRows(int rows) override { m_cells.resize(static_cast<std::size_t>(rows), std::vector<Celda>(static_cast<std::size_t>(m_cols))); }
    int Cols() const override { return m_cols; }
    QString TextMatrix(int row, int col) const override { return celda(row, col).texto; }
    void setTextMatrix(int row, int col, const QString& text) override { celda(row, col).texto = text; }
    std::uint32_t CellBackColor(int row, int col) const override { return celda(row, col).fondo; }
    void setCellBackColor(int row, int col, std::uint32_t color) override { celda(row, col).fondo = color; }
    void Clear() override
    {
        for (auto& fila : m_cells)
            for (auto& c : fila)
                c = Celda{};
    }

private:
    struct Celda {
        QString texto;
        std::uint32_t fondo = 0;
    };
    Celda& celda(int row, int col) { return const_cast<Celda&>(std::as_const(*this).celda(row, col)); }
    const Celda& celda(int row, int col) const
    {
        if (row < 0 || row >= Rows() || col < 0 || col >= m_cols)
            throw RuntimeError(errnum::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
        return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    }

    int m_cols;
    std::vector<std::vector<Celda>> m_cells;
};
