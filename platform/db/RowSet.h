#pragma once

#include "Types.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace db {

// A column of a result, described as the procedures of the system read it.
struct Column {
    QString name;
    int type = type::VarChar;   // field type code, from the declared column type
    int definedSize = 0;
    bool autoIncrement = false; // filled by the database on insert (rowid, identity)
};

// How the database stores one value.
enum class CellStorage : std::uint8_t { Null, Integer, Real, Text, Blob };

// Turns stored values into the values their columns' types read (a date
// column's text becomes a date, an integer of a Boolean column a Boolean).
// Neighbouring rows repeat their depot, unit, voucher and date: the last
// text of each column is kept with the value made of it and handed out
// again; and a text value that nobody holds any more has its buffer written
// over by the next text of its column instead of a new one being built.
class CellReader {
public:
    // `payload` holds the integer, the bits of the double, or the address of
    // the text or bytes, which need not outlive the call.
    QVariant read(int column, int type, CellStorage storage, std::uint64_t payload, std::uint32_t length);
    // The same value as lang::text shows it. A grid shows every cell of a
    // page as text: where the column's type leaves the text plain, no
    // variant is built for it.
    QString text(int column, int type, CellStorage storage, std::uint64_t payload, std::uint32_t length);

    // The column type a column without a declared type takes from its first
    // value that is not Null.
    static void typeFromValue(Column& column, CellStorage storage, std::uint64_t payload);

private:
    struct LastText {
        QByteArray bytes;
        QVariant value;
    };
    std::vector<LastText> m_last;
    QVariant& textValue(int column, int type, const char* text, std::uint32_t length);
};

// The rows of one result, held on the client. Cells keep the database's own
// storage (integer, real, UTF-8 text, bytes, Null) in 16 bytes each with the
// texts in one buffer, so a large result stays small; a value becomes a
// QVariant of its column's type only when it is read.
class RowSet {
public:
    using Storage = CellStorage;

    std::vector<Column> columns;

    int columnCount() const { return static_cast<int>(columns.size()); }
    std::size_t rowCount() const { return m_rowCount; }

    // Filling: a row is its cells in column order.
    void addNull() { push(Storage::Null, 0, 0); }
    void addInteger(std::int64_t v);
    void addReal(double v);
    void addText(const char* utf8, std::size_t length);
    void addText(const QString& text);
    void addBlob(const void* data, std::size_t length);
    // Appends a value in the form it is stored (see storedForm).
    void addValue(const QVariant& stored);
    void reserveRows(std::size_t rows);

    Storage storage(std::size_t row, int column) const { return cell(row, column).storage; }
    // The value as its column's type reads it; Null is lang::null().
    QVariant value(std::size_t row, int column) const;
    // The value as lang::text shows it.
    QString text(std::size_t row, int column) const;
    // The value as stored, for binding it back into a statement.
    QVariant stored(std::size_t row, int column) const;
    void setValue(std::size_t row, int column, const QVariant& stored);

    void appendNullRow();
    void removeLastRow();

    // Guesses the type of columns without a declared type (expressions) from
    // their first non-null value.
    void typeUndeclaredColumns(const std::vector<bool>& undeclared);

    // A value assigned to a field of the given type, converted to the form the
    // database stores (dates as ISO text, Booleans as 0/1, numbers as numbers).
    // Fails with a type mismatch for a text that is no date or number.
    static QVariant storedForm(const QVariant& value, int fieldType);

private:
    struct Cell {
        std::uint64_t payload;  // integer bits, double bits, or the address of the text
        std::uint32_t length;
        Storage storage;
    };
    // Cells and texts live in fixed blocks that never move, so filling a
    // large result copies nothing twice.
    static constexpr std::size_t kCellsPerBlock = 4096;
    static constexpr std::size_t kTextBlock = 64 * 1024;

    const Cell& cell(std::size_t row, int column) const { return at(row * columns.size() + static_cast<std::size_t>(column)); }
    const Cell& at(std::size_t i) const { return m_cellBlocks[i / kCellsPerBlock][i % kCellsPerBlock]; }
    Cell& at(std::size_t i) { return m_cellBlocks[i / kCellsPerBlock][i % kCellsPerBlock]; }
    void push(Storage s, std::uint64_t payload, std::uint32_t length);
    void push(const Cell& c) { push(c.storage, c.payload, c.length); }
    const char* keepText(const char* data, std::size_t length);
    Cell makeCell(const QVariant& stored);

    std::vector<std::unique_ptr<Cell[]>> m_cellBlocks;
    std::size_t m_cellCount = 0;
    std::size_t m_rowCount = 0;
    std::size_t m_cellsInRow = 0;
    std::vector<std::unique_ptr<char[]>> m_textBlocks;
    std::size_t m_textUsed = kTextBlock;
    mutable CellReader m_reader;
};

// Field type codes from a declared column type ("varchar(25)", "DECIMAL(18,4)",
// "datetime", "bit" ...), with the defined size.
struct DeclaredType {
    int type;
    int size;
};
DeclaredType typeFromDeclaration(const QString& declared);
// Field type code from an ODBC SQL type, with the server's own type name for
// the types ODBC folds together (money is a decimal to ODBC).
int typeFromOdbc(int sqlType, const QString& typeName);

}  // namespace db
