#pragma once

#include "Types.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <vector>

namespace db {

class Connection;
class RowSet;
struct Column;

// One column of the current row.
class Field {
public:
    QString Name() const { return m_name; }
    // Type code from the declared column type (type::VarChar, type::DBTimeStamp, ...).
    int Type() const { return m_type; }
    int DefinedSize() const { return m_definedSize; }
    // The value on the current row; the database Null is a null variant
    // (lang::isNull), distinct from an empty text.
    QVariant Value() const;
    void setValue(const QVariant& value);

private:
    friend class Recordset;
    QString m_name;
    int m_type = type::Empty;
    int m_definedSize = 0;
    int m_index = 0;
    class Recordset* m_owner = nullptr;
};

// The rows of a query, walked from the first. Names of fields are matched
// without regard to case; a missing name fails with error 3265.
// A forward-only, read-only recordset reads its rows as it moves on where the
// route allows (the embedded database): it cannot go back to a row it left
// (error -2147217884); counting its rows reads the rest of them onto the
// client. Every other cursor holds its rows and moves anywhere.
class Recordset {
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    void Open(const QString& source, Connection& connection, int cursorType = cursor::ForwardOnly,
              int lockType = lock::ReadOnly, int options = -1);
    void Close();
    int State() const;

    bool BOF() const;
    bool Eof() const;
    void MoveFirst();
    void MoveNext();
    void MovePrevious();
    void MoveLast();
    long RecordCount() const;
    // Position of the current row, from 1 (0 when there is none).
    long AbsolutePosition() const;
    void setAbsolutePosition(long position);

    int CursorType() const;
    int LockType() const;
    QString Source() const;

    int FieldCount() const;
    Field& field(int index);
    Field& field(const QString& name);
    bool hasField(const QString& name) const;
    QVariant value(const QString& name) const { return const_cast<Recordset*>(this)->field(name).Value(); }
    QVariant value(int index) const { return const_cast<Recordset*>(this)->field(index).Value(); }
    // The field on the current row as lang::text shows it; a grid reads its
    // cells so, without a variant for each.
    QString text(int index) const;

    // All remaining rows from the current one, row by row.
    std::vector<std::vector<QVariant>> GetRows();

    // Adding and changing rows of a single-table source; Update writes the
    // row (an INSERT for a new row, an UPDATE for a changed one).
    void AddNew();
    void setValue(const QString& name, const QVariant& value) { field(name).setValue(value); }
    void Update();
    void CancelUpdate();

private:
    friend class Field;
    friend class Connection;
    // Takes rows the connection produced (schema lists), read-only.
    void adopt(std::unique_ptr<RowSet> rows, Connection& connection, const QString& source);
    void describe(const std::vector<Column>& columns, Connection& connection, const QString& source);
    // Moves forward (or, on rows held on the client, anywhere) to a row from 0.
    void moveOnTo(long position);
    void flushEdit();
    struct Private;
    std::unique_ptr<Private> d;
};

}  // namespace db
