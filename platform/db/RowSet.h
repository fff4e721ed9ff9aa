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

// The rows of one result, held on the client. Cells keep the database's own
// storage (integer, real, UTF-8 text, bytes, Null) in 16 bytes each with the
// texts in one buffer, so a large result stays small; a value becomes a
// QVariant of its column's type only when it is read.
class RowSet {
public:
    enum class Storage : std::uint8_t { Null, Integer, Real, Text, Blob };

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
    // The last text read per column and its value: neighbouring rows repeat
    // their depot, unit, voucher and date, and a value already built is
    // handed out again instead of being converted anew.
    struct LastText {
        const char* text = nullptr;
        std::uint32_t length = 0;
        QVariant value;
    };
    mutable std::vector<LastText> m_lastText;
    QVariant textValue(const char* text, std::uint32_t length, int type) const;
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
