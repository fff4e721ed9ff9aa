#include "Recordset.h"

#include "Connection.h"
#include "ConnectionBackend.h"
#include "NativeErrors.h"
#include "RowSet.h"
#include "SqlLexer.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QHash>

namespace db {

struct Recordset::Private {
    Connection* connection = nullptr;
    // The rows held on the client, or, for a forward-only read, the cursor
    // that reads them as the recordset moves on.
    std::unique_ptr<RowSet> rows;
    std::unique_ptr<RowCursor> cursor;
    std::vector<Field> fields;
    QHash<QString, int> byLowerName;  // for wide results only
    QString source;
    int cursorType = cursor::ForwardOnly;
    int lockType = lock::ReadOnly;
    bool open = false;
    // Current row from 0; -1 is before the first row, rowCount() after the last.
    long position = 0;

    enum class Edit { None, Changing, Adding };
    Edit edit = Edit::None;
    std::vector<bool> changed;
    std::vector<QVariant> original;  // stored values of the row before the change
    long positionBeforeAdd = 0;

    long count() const
    {
        if (cursor)
            return position + static_cast<long>(cursor->remaining());
        return static_cast<long>(rows ? rows->rowCount() : 0);
    }
    bool bof() const { return empty() || position < 0; }
    bool eof() const
    {
        if (cursor)
            return cursor->atEnd();
        return count() == 0 || position >= count();
    }
    // No row at all; a cursor answers without reading on.
    bool empty() const { return cursor ? position == 0 && cursor->atEnd() : count() == 0; }
    QVariant value(int column) const
    {
        if (cursor)
            return cursor->value(column);
        return rows->value(static_cast<std::size_t>(position), column);
    }
    QString text(int column) const
    {
        if (cursor)
            return cursor->text(column);
        return rows->text(static_cast<std::size_t>(position), column);
    }
    // On to the next row; what the database reports on the way becomes the
    // connection's errors.
    void advance()
    {
        if (cursor) {
            try {
                cursor->next();
            } catch (BackendFailure& failure) {
                connection->fail(failure);
            }
        }
        ++position;
    }
    // A forward-only recordset reaches an earlier row only by opening again.
    void requireForward(long target) const
    {
        if (cursor && target < position)
            throw RuntimeError(failure::CannotFetchBackward,
                               QStringLiteral("El Recordset es de solo avance: no puede volver a una fila anterior."));
    }

    void requireOpen() const
    {
        if (!open)
            throw RuntimeError(failure::ObjectClosed,
                               QStringLiteral("La operación no está permitida: el Recordset está cerrado."));
    }
    void requireRow() const
    {
        requireOpen();
        if (bof() || eof())
            throw RuntimeError(failure::NoCurrentRecord,
                               QStringLiteral("BOF o EOF es verdadero, o el registro actual se eliminó. La operación "
                                              "pedida necesita un registro actual."));
    }
    void requireUpdatable() const
    {
        requireOpen();
        if (lockType == lock::ReadOnly)
            throw RuntimeError(failure::NotUpdatable,
                               QStringLiteral("El Recordset es de solo lectura: no admite agregar ni modificar filas."));
    }
    int indexOf(const QString& name) const
    {
        if (!byLowerName.isEmpty())
            return byLowerName.value(name.toLower(), -1);
        // Names of another length never match: most are passed over
        // without a comparison (fields are looked up by name row by row).
        for (std::size_t i = 0; i < fields.size(); ++i)
            if (fields[i].m_name.size() == name.size() && fields[i].m_name.compare(name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    }

    // The new row, its set fields only; an identity column the database
    // assigned is read back into the row.
    void insertRow(Connection& cn, const QString& quotedTable, const std::vector<int>& set);
    // The changed fields of the row, found by rowCondition.
    void updateRow(Connection& cn, const QString& table, const QString& quotedTable, const std::vector<int>& set);
    struct RowCondition {
        QString text;
        std::vector<QVariant> values;
        bool byKey = false;
    };
    // Finds the row being changed: by its primary key when the result holds
    // it, else by every value it had when it was read (long values aside).
    RowCondition rowCondition(Connection& cn, const QString& table) const;
};

QString RowCursor::text(int column)
{
    return lang::text(value(column));
}

namespace {

[[noreturn]] void itemNotFound(const QString& what)
{
    throw RuntimeError(errnum::ItemNotFound,
                       QStringLiteral("No se encontró el elemento %1 en la colección que corresponde al nombre o al "
                                      "ordinal pedido.")
                           .arg(what));
}

QString quoteName(Dialect dialect, const QString& name)
{
    // Oracle folds unquoted names to upper case, as its tables were created.
    if (dialect == Dialect::Oracle)
        return name;
    return u'[' + QString(name).replace(u']', QStringLiteral("]]")) + u']';
}

}  // namespace

QVariant Field::Value() const
{
    const auto& d = *m_owner->d;
    d.requireRow();
    return d.value(m_index);
}

void Field::setValue(const QVariant& value)
{
    auto& d = *m_owner->d;
    d.requireUpdatable();
    d.requireRow();
    const QVariant stored = RowSet::storedForm(value, m_type);
    const auto row = static_cast<std::size_t>(d.position);
    if (d.edit == Recordset::Private::Edit::None) {
        d.edit = Recordset::Private::Edit::Changing;
        d.changed.assign(d.fields.size(), false);
        d.original.clear();
        for (int c = 0; c < d.rows->columnCount(); ++c)
            d.original.push_back(d.rows->stored(row, c));
    }
    d.changed[static_cast<std::size_t>(m_index)] = true;
    d.rows->setValue(row, m_index, stored);
}

Recordset::Recordset() : d(std::make_unique<Private>()) {}
Recordset::~Recordset() = default;

void Recordset::Open(const QString& source, Connection& connection, int cursorType, int lockType, int)
{
    if (d->open)
        throw RuntimeError(failure::ObjectOpen, QStringLiteral("La operación no está permitida: el Recordset ya está abierto."));
    // A plain read walked once from the first row is read as it goes: the
    // rows passed are never held on the client.
    if (cursorType == cursor::ForwardOnly && lockType == lock::ReadOnly) {
        if (std::unique_ptr<RowCursor> rows = connection.openCursor(source)) {
            d->cursor = std::move(rows);
            describe(d->cursor->columns(), connection, source);
            d->cursorType = cursorType;
            return;
        }
    }
    std::unique_ptr<RowSet> rows = connection.openRows(source);
    // A statement that returns no rows leaves the recordset closed.
    if (rows->columnCount() == 0)
        return;
    adopt(std::move(rows), connection, source);
    d->cursorType = cursorType;
    d->lockType = lockType;
}

void Recordset::adopt(std::unique_ptr<RowSet> rows, Connection& connection, const QString& source)
{
    d->rows = std::move(rows);
    describe(d->rows->columns, connection, source);
}

void Recordset::describe(const std::vector<Column>& columns, Connection& connection, const QString& source)
{
    d->connection = &connection;
    d->source = source;
    d->cursorType = cursor::Static;
    d->lockType = lock::ReadOnly;
    d->fields.clear();
    d->byLowerName.clear();
    d->fields.resize(columns.size());
    for (std::size_t i = 0; i < d->fields.size(); ++i) {
        Field& f = d->fields[i];
        const Column& c = columns[i];
        f.m_name = c.name;
        f.m_type = c.type;
        f.m_definedSize = c.definedSize;
        f.m_index = static_cast<int>(i);
        f.m_owner = this;
    }
    // A short list is searched faster than a hash is built; the first of two
    // equal names wins either way.
    if (d->fields.size() > 24)
        for (int i = static_cast<int>(d->fields.size()) - 1; i >= 0; --i)
            d->byLowerName.insert(d->fields[static_cast<std::size_t>(i)].m_name.toLower(), i);
    d->position = 0;
    d->edit = Private::Edit::None;
    d->open = true;
}

void Recordset::Close()
{
    d->requireOpen();
    d->edit = Private::Edit::None;
    d->open = false;
    d->rows.reset();
    d->cursor.reset();
    d->fields.clear();
    d->byLowerName.clear();
    d->connection = nullptr;
}

int Recordset::State() const { return d->open ? state::Open : state::Closed; }

bool Recordset::BOF() const
{
    d->requireOpen();
    return d->bof();
}

bool Recordset::Eof() const
{
    d->requireOpen();
    return d->eof();
}

void Recordset::flushEdit()
{
    if (d->edit != Private::Edit::None)
        Update();
}

void Recordset::MoveFirst()
{
    d->requireOpen();
    flushEdit();
    if (d->empty())
        d->requireRow();
    d->requireForward(0);
    d->position = 0;
}

void Recordset::MoveNext()
{
    d->requireOpen();
    if (d->eof())
        d->requireRow();
    flushEdit();
    d->advance();
}

void Recordset::MovePrevious()
{
    d->requireOpen();
    if (d->bof())
        d->requireRow();
    d->requireForward(d->position - 1);
    flushEdit();
    --d->position;
}

void Recordset::MoveLast()
{
    d->requireOpen();
    flushEdit();
    const long last = d->count() - 1;
    if (last < 0)
        d->requireRow();
    d->requireForward(last);
    moveOnTo(last);
}

void Recordset::moveOnTo(long position)
{
    if (!d->cursor) {
        d->position = position;
        return;
    }
    while (d->position < position)
        d->advance();
}

long Recordset::RecordCount() const
{
    d->requireOpen();
    return d->count();
}

long Recordset::AbsolutePosition() const
{
    d->requireOpen();
    return d->bof() || d->eof() ? 0 : d->position + 1;
}

void Recordset::setAbsolutePosition(long position)
{
    d->requireOpen();
    if (position < 1 || position > d->count())
        throw RuntimeError(3001, QStringLiteral("La posición %1 está fuera de los registros del Recordset.").arg(position));
    d->requireForward(position - 1);
    flushEdit();
    moveOnTo(position - 1);
}

int Recordset::CursorType() const { return d->cursorType; }
int Recordset::LockType() const { return d->lockType; }
QString Recordset::Source() const { return d->source; }

int Recordset::FieldCount() const
{
    return static_cast<int>(d->fields.size());
}

Field& Recordset::field(int index)
{
    d->requireOpen();
    if (index < 0 || index >= static_cast<int>(d->fields.size()))
        itemNotFound(QString::number(index));
    return d->fields[static_cast<std::size_t>(index)];
}

QString Recordset::text(int index) const
{
    const_cast<Recordset*>(this)->field(index);
    d->requireRow();
    return d->text(index);
}

Field& Recordset::field(const QString& name)
{
    d->requireOpen();
    const int i = d->indexOf(name);
    if (i < 0)
        itemNotFound(QStringLiteral("\"%1\"").arg(name));
    return d->fields[static_cast<std::size_t>(i)];
}

bool Recordset::hasField(const QString& name) const
{
    return d->open && d->indexOf(name) >= 0;
}

std::vector<std::vector<QVariant>> Recordset::GetRows()
{
    d->requireRow();
    flushEdit();
    std::vector<std::vector<QVariant>> out;
    while (!d->eof()) {
        std::vector<QVariant> row;
        row.reserve(d->fields.size());
        for (int c = 0; c < static_cast<int>(d->fields.size()); ++c)
            row.push_back(d->value(c));
        out.push_back(std::move(row));
        d->advance();
    }
    return out;
}

void Recordset::AddNew()
{
    d->requireUpdatable();
    flushEdit();
    d->positionBeforeAdd = d->position;
    d->rows->appendNullRow();
    d->position = d->count() - 1;
    d->edit = Private::Edit::Adding;
    d->changed.assign(d->fields.size(), false);
    d->original.clear();
}

void Recordset::Update()
{
    d->requireUpdatable();
    if (d->edit == Private::Edit::None)
        return;
    Connection& cn = *d->connection;
    const QString table = singleTableOf(d->source);
    if (table.isEmpty())
        cn.fail(layerError(failure::NotUpdatable, QStringLiteral("HY000"),
                           QStringLiteral("No se puede guardar la fila: el origen del Recordset no es una sola tabla.")));
    const QString quotedTable = quoteName(cn.dialect(), table);
    std::vector<int> set;
    for (std::size_t c = 0; c < d->changed.size(); ++c)
        if (d->changed[c])
            set.push_back(static_cast<int>(c));
    if (d->edit == Private::Edit::Adding)
        d->insertRow(cn, quotedTable, set);
    else
        d->updateRow(cn, table, quotedTable, set);
    d->edit = Private::Edit::None;
}

void Recordset::Private::insertRow(Connection& cn, const QString& quotedTable, const std::vector<int>& set)
{
    const auto row = static_cast<std::size_t>(position);
    QString sql;
    std::vector<QVariant> values;
    if (set.empty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quotedTable);
    } else {
        QStringList names;
        QStringList marks;
        for (int c : set) {
            names << quoteName(cn.dialect(), fields[static_cast<std::size_t>(c)].m_name);
            marks << QStringLiteral("?");
            values.push_back(rows->stored(row, c));
        }
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(quotedTable, names.join(u','), marks.join(u','));
    }
    cn.runBound(sql, values);
    for (std::size_t c = 0; c < fields.size(); ++c)
        if (!changed[c] && rows->columns[c].autoIncrement) {
            rows->setValue(row, static_cast<int>(c), cn.lastInsertId());
            break;
        }
}

Recordset::Private::RowCondition Recordset::Private::rowCondition(Connection& cn, const QString& table) const
{
    const Dialect dialect = cn.dialect();
    RowCondition out;
    QStringList where;
    auto condition = [&](int c) {
        const QString name = quoteName(dialect, fields[static_cast<std::size_t>(c)].m_name);
        const QVariant& before = original[static_cast<std::size_t>(c)];
        if (lang::isNull(before)) {
            where << name + QStringLiteral(" IS NULL");
        } else {
            where << name + QStringLiteral(" = ?");
            out.values.push_back(before);
        }
    };
    const QStringList key = cn.primaryKeyOf(table);
    out.byKey = !key.isEmpty();
    for (const QString& k : key)
        out.byKey = out.byKey && indexOf(k) >= 0;
    if (out.byKey) {
        for (const QString& k : key)
            condition(indexOf(k));
    } else {
        for (int c = 0; c < static_cast<int>(fields.size()); ++c) {
            const int t = fields[static_cast<std::size_t>(c)].m_type;
            if (t != type::LongVarBinary && t != type::LongVarChar && t != type::LongVarWChar)
                condition(c);
        }
    }
    out.text = where.join(QStringLiteral(" AND "));
    return out;
}

void Recordset::Private::updateRow(Connection& cn, const QString& table, const QString& quotedTable,
                                   const std::vector<int>& set)
{
    // Exactly one row must answer.
    const RowCondition where = rowCondition(cn, table);
    auto notFound = [&](const QString& why) {
        cn.fail(layerError(failure::RowNotFound, QStringLiteral("HY000"),
                           QStringLiteral("No se encuentra la fila para actualizarla: %1").arg(why)));
    };
    if (!where.byKey) {
        auto count =
            cn.queryBound(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(quotedTable, where.text), where.values);
        const long n = count->rowCount() ? count->value(0, 0).toLongLong() : 0;
        if (n > 1)
            notFound(QStringLiteral("hay varias filas con los mismos valores."));
    }
    const auto row = static_cast<std::size_t>(position);
    QStringList assignments;
    std::vector<QVariant> values;
    for (int c : set) {
        assignments << quoteName(cn.dialect(), fields[static_cast<std::size_t>(c)].m_name) + QStringLiteral(" = ?");
        values.push_back(rows->stored(row, c));
    }
    values.insert(values.end(), where.values.begin(), where.values.end());
    const long affected = cn.runBound(
        QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(quotedTable, assignments.join(QStringLiteral(", ")), where.text),
        values);
    if (affected == 0)
        notFound(QStringLiteral("otro usuario la modificó o la eliminó después de leerla."));
}

void Recordset::CancelUpdate()
{
    d->requireOpen();
    if (d->edit == Private::Edit::Adding) {
        d->rows->removeLastRow();
        d->position = d->positionBeforeAdd;
    } else if (d->edit == Private::Edit::Changing) {
        for (int c = 0; c < d->rows->columnCount(); ++c)
            d->rows->setValue(static_cast<std::size_t>(d->position), c, d->original[static_cast<std::size_t>(c)]);
    }
    d->edit = Private::Edit::None;
}

}  // namespace db
