#include "OdbcBackend.h"

#include "ConnectionString.h"
#include "Literals.h"
#include "NativeErrors.h"
#include "platform/RuntimeError.h"

#include <sql.h>
#include <sqlext.h>
#include <algorithm>
#include <cstring>
#include <optional>

namespace db {

namespace {

SQLWCHAR* wide(const QString& s)
{
    return reinterpret_cast<SQLWCHAR*>(const_cast<char16_t*>(reinterpret_cast<const char16_t*>(s.utf16())));
}

QString fromWide(const SQLWCHAR* p, qsizetype chars)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), chars);
}

bool ok(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

Error mapped(const QString& state, long native, const QString& message, Dialect dialect)
{
    Error e;
    if (dialect == Dialect::Sqlite) {
        e = sqliteError(static_cast<int>(native), message);
        e.SQLState = state;
    } else {
        long number = native;
        if (dialect == Dialect::Oracle && native == 1)
            number = errnum::DuplicateKey;
        else if (dialect == Dialect::Oracle && native == 904)
            number = errnum::InvalidColumn;
        e = layerError(number == 0 ? errnum::ProviderFailure : number, state, message);
    }
    e.Source = QStringLiteral("ODBC");
    return e;
}

std::vector<Error> diagnostics(SQLSMALLINT handleType, SQLHANDLE handle, Dialect dialect)
{
    std::vector<Error> out;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        SQLWCHAR message[2048];
        SQLSMALLINT length = 0;
        const SQLRETURN rc = SQLGetDiagRecW(handleType, handle, i, state, &native, message,
                                            static_cast<SQLSMALLINT>(std::size(message)), &length);
        if (!ok(rc))
            break;
        const qsizetype chars = std::min<qsizetype>(length, static_cast<qsizetype>(std::size(message)) - 1);
        out.push_back(mapped(fromWide(state, 5), native, fromWide(message, chars), dialect));
    }
    if (out.empty())
        out.push_back(layerError(errnum::ProviderFailure, QStringLiteral("HY000"),
                                 QStringLiteral("El controlador ODBC informó un error sin descripción.")));
    return out;
}

// The driver manager's report of a driver it could not load ("Can't open lib
// 'X' : file not found"), told in a sentence that names the driver as the
// connection string names it, and where that name came from.
std::optional<Error> driverNotLoaded(const Error& e, const QString& odbcConnectionString, const QString& driverSetting)
{
    static const QString kCannotLoad = QStringLiteral("Can't open lib '");
    const qsizetype at = e.Description.indexOf(kCannotLoad);
    if (at < 0 && e.SQLState != QLatin1String("IM003"))
        return std::nullopt;
    QString driver = ConnectionString(odbcConnectionString).value({QStringLiteral("Driver")});
    if (driver.isEmpty() && at >= 0) {
        const qsizetype from = at + kCannotLoad.size();
        driver = e.Description.mid(from, e.Description.indexOf(u'\'', from) - from);
    }
    QString text = QStringLiteral("No se puede cargar el controlador ODBC \"%1\": no está instalado en este puesto o "
                                  "no se encuentra su biblioteca.")
                       .arg(driver);
    if (!driverSetting.isEmpty())
        text += QStringLiteral(" Instálelo, o indique en la variable de entorno %1 el nombre de un controlador "
                               "instalado.")
                    .arg(driverSetting);
    return layerError(errnum::ProviderFailure, QStringLiteral("IM003"), text);
}

// Bound values, kept alive until the statement has run.
struct Parameter {
    std::int64_t integer = 0;
    double real = 0;
    QString text;
    QByteArray bytes;
    SQLLEN indicator = 0;
};

}  // namespace

class OdbcBackend::Statement {
public:
    Statement(OdbcBackend& owner) : m_owner(owner)
    {
        if (!ok(SQLAllocHandle(SQL_HANDLE_STMT, owner.m_dbc, &h)))
            throw BackendFailure{diagnostics(SQL_HANDLE_DBC, owner.m_dbc, owner.m_dialect)};
        if (owner.m_timeout > 0)
            SQLSetStmtAttr(h, SQL_ATTR_QUERY_TIMEOUT, reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(owner.m_timeout)), 0);
    }
    ~Statement() { SQLFreeHandle(SQL_HANDLE_STMT, h); }

    [[noreturn]] void fail() const { throw BackendFailure{diagnostics(SQL_HANDLE_STMT, h, m_owner.m_dialect)}; }
    void check(SQLRETURN rc) const
    {
        if (!ok(rc) && rc != SQL_NO_DATA)
            fail();
    }

    void run(const QString& sql, const std::vector<QVariant>& params)
    {
        m_params.resize(params.size());
        for (std::size_t i = 0; i < params.size(); ++i)
            bind(static_cast<SQLUSMALLINT>(i + 1), params[i], m_params[i]);
        check(SQLExecDirectW(h, wide(sql), SQL_NTS));
    }

    void bind(SQLUSMALLINT index, const QVariant& v, Parameter& p)
    {
        SQLRETURN rc;
        if (!v.isValid() || v.isNull()) {
            p.indicator = SQL_NULL_DATA;
            rc = SQLBindParameter(h, index, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR, 1, 0, nullptr, 0, &p.indicator);
        } else if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float) {
            p.real = v.toDouble();
            rc = SQLBindParameter(h, index, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 15, 0, &p.real, 0, nullptr);
        } else if (v.typeId() == QMetaType::Bool || v.typeId() == QMetaType::Int || v.typeId() == QMetaType::LongLong ||
                   v.typeId() == QMetaType::UInt || v.typeId() == QMetaType::ULongLong) {
            p.integer = v.typeId() == QMetaType::Bool ? (v.toBool() ? 1 : 0) : v.toLongLong();
            rc = SQLBindParameter(h, index, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 19, 0, &p.integer, 0, nullptr);
        } else if (v.typeId() == QMetaType::QByteArray) {
            p.bytes = v.toByteArray();
            p.indicator = p.bytes.size();
            rc = SQLBindParameter(h, index, SQL_PARAM_INPUT, SQL_C_BINARY, SQL_VARBINARY,
                                  static_cast<SQLULEN>(std::max<qsizetype>(1, p.bytes.size())), 0, p.bytes.data(),
                                  p.bytes.size(), &p.indicator);
        } else {
            if (v.typeId() == QMetaType::QDateTime)
                p.text = dateTimeText(v.toDateTime());
            else if (v.typeId() == QMetaType::QDate)
                p.text = dateTimeText(QDateTime(v.toDate(), QTime(0, 0)));
            else
                p.text = v.toString();
            p.indicator = static_cast<SQLLEN>(p.text.size() * 2);
            rc = SQLBindParameter(h, index, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WVARCHAR,
                                  static_cast<SQLULEN>(std::max<qsizetype>(1, p.text.size())), 0, wide(p.text),
                                  p.indicator, &p.indicator);
        }
        check(rc);
    }

    SQLSMALLINT columnCount() const
    {
        SQLSMALLINT n = 0;
        check(SQLNumResultCols(h, &n));
        return n;
    }

    // Moves on to the next result of a batch; false when there is none.
    bool moreResults() const
    {
        const SQLRETURN rc = SQLMoreResults(h);
        if (rc == SQL_NO_DATA)
            return false;
        check(rc);
        return true;
    }

    std::unique_ptr<RowSet> fetch()
    {
        auto rows = std::make_unique<RowSet>();
        const SQLSMALLINT count = columnCount();
        std::vector<SQLSMALLINT> sqlTypes(static_cast<std::size_t>(count));
        for (SQLSMALLINT c = 1; c <= count; ++c) {
            SQLWCHAR name[256];
            SQLSMALLINT nameLength = 0;
            SQLSMALLINT sqlType = 0;
            SQLULEN size = 0;
            SQLSMALLINT digits = 0;
            SQLSMALLINT nullable = 0;
            check(SQLDescribeColW(h, c, name, 256, &nameLength, &sqlType, &size, &digits, &nullable));
            SQLWCHAR typeName[128] = {};
            SQLSMALLINT typeNameLength = 0;
            SQLColAttributeW(h, c, SQL_DESC_TYPE_NAME, typeName, sizeof typeName, &typeNameLength, nullptr);
            SQLLEN autoUnique = 0;
            SQLColAttributeW(h, c, SQL_DESC_AUTO_UNIQUE_VALUE, nullptr, 0, nullptr, &autoUnique);
            Column col;
            col.name = fromWide(name, std::min<SQLSMALLINT>(nameLength, 255));
            col.type = typeFromOdbc(sqlType, fromWide(typeName, std::min<qsizetype>(typeNameLength / 2, 127)));
            col.definedSize = static_cast<int>(std::min<SQLULEN>(size, 2147483647));
            col.autoIncrement = autoUnique == SQL_TRUE;
            rows->columns.push_back(col);
            sqlTypes[static_cast<std::size_t>(c - 1)] = sqlType;
        }
        SQLRETURN rc;
        while ((rc = SQLFetch(h)) != SQL_NO_DATA) {
            check(rc);
            for (SQLSMALLINT c = 1; c <= count; ++c)
                readCell(*rows, c, sqlTypes[static_cast<std::size_t>(c - 1)]);
        }
        return rows;
    }

private:
    void readCell(RowSet& rows, SQLUSMALLINT c, SQLSMALLINT sqlType)
    {
        SQLLEN indicator = 0;
        switch (sqlType) {
        case SQL_INTEGER:
        case SQL_SMALLINT:
        case SQL_TINYINT:
        case SQL_BIGINT:
        case SQL_BIT: {
            std::int64_t v = 0;
            check(SQLGetData(h, c, SQL_C_SBIGINT, &v, sizeof v, &indicator));
            indicator == SQL_NULL_DATA ? rows.addNull() : rows.addInteger(v);
            return;
        }
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
        case SQL_DECIMAL:
        case SQL_NUMERIC: {
            double v = 0;
            check(SQLGetData(h, c, SQL_C_DOUBLE, &v, sizeof v, &indicator));
            indicator == SQL_NULL_DATA ? rows.addNull() : rows.addReal(v);
            return;
        }
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            if (const std::optional<QByteArray> bytes = readLong(c, SQL_C_BINARY, 0))
                rows.addBlob(bytes->constData(), static_cast<std::size_t>(bytes->size()));
            else
                rows.addNull();
            return;
        default:
            // Texts, and dates as text: the layer reads its date forms itself.
            if (const std::optional<QByteArray> bytes = readLong(c, SQL_C_WCHAR, sizeof(SQLWCHAR)))
                rows.addText(fromWide(reinterpret_cast<const SQLWCHAR*>(bytes->constData()),
                                      bytes->size() / SQLLEN(sizeof(SQLWCHAR))));
            else
                rows.addNull();
            return;
        }
    }

    // A value read chunk by chunk, as long as the driver has more of it;
    // nothing for NULL. `terminator` is the room the driver keeps at the end
    // of each chunk for the end of a text.
    std::optional<QByteArray> readLong(SQLUSMALLINT c, SQLSMALLINT cType, std::size_t terminator)
    {
        QByteArray bytes;
        alignas(SQLWCHAR) char buffer[8192];
        const SQLLEN room = SQLLEN(sizeof buffer) - SQLLEN(terminator);
        SQLLEN indicator = 0;
        for (;;) {
            const SQLRETURN rc = SQLGetData(h, c, cType, buffer, sizeof buffer, &indicator);
            if (rc == SQL_NO_DATA)
                break;
            check(rc);
            if (indicator == SQL_NULL_DATA)
                return std::nullopt;
            bytes.append(buffer, (indicator == SQL_NO_TOTAL || indicator > room) ? room : indicator);
            if (rc == SQL_SUCCESS)
                break;
        }
        return bytes;
    }

public:
    SQLHSTMT h = nullptr;

private:
    OdbcBackend& m_owner;
    std::vector<Parameter> m_params;
};

std::unique_ptr<OdbcBackend> OdbcBackend::open(const QString& odbcConnectionString, const QString& driverSetting)
{
    std::unique_ptr<OdbcBackend> b(new OdbcBackend);
    if (!ok(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &b->m_env)))
        throw BackendFailure{{layerError(errnum::ProviderFailure, QStringLiteral("HY001"),
                                         QStringLiteral("No se pudo iniciar el administrador de controladores ODBC."))}};
    SQLSetEnvAttr(b->m_env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!ok(SQLAllocHandle(SQL_HANDLE_DBC, b->m_env, &b->m_dbc)))
        throw BackendFailure{diagnostics(SQL_HANDLE_ENV, b->m_env, Dialect::SqlServer)};
    SQLSetConnectAttr(b->m_dbc, SQL_ATTR_LOGIN_TIMEOUT, reinterpret_cast<SQLPOINTER>(15), 0);
    SQLWCHAR out[1024];
    SQLSMALLINT outLength = 0;
    QString in = odbcConnectionString;
    const SQLRETURN rc = SQLDriverConnectW(b->m_dbc, nullptr, wide(in), SQL_NTS, out, 1024, &outLength, SQL_DRIVER_NOPROMPT);
    if (!ok(rc)) {
        std::vector<Error> errors = diagnostics(SQL_HANDLE_DBC, b->m_dbc, Dialect::SqlServer);
        SQLFreeHandle(SQL_HANDLE_DBC, b->m_dbc);
        b->m_dbc = nullptr;
        for (const Error& e : errors)
            if (const std::optional<Error> unloaded = driverNotLoaded(e, odbcConnectionString, driverSetting))
                throw BackendFailure{{*unloaded}};
        throw BackendFailure{std::move(errors)};
    }
    SQLWCHAR name[256] = {};
    SQLSMALLINT nameLength = 0;
    SQLGetInfoW(b->m_dbc, SQL_DBMS_NAME, name, sizeof name, &nameLength);
    b->m_dbmsName = fromWide(name, std::min<qsizetype>(nameLength / 2, 255));
    if (b->m_dbmsName.contains(QStringLiteral("SQLite"), Qt::CaseInsensitive))
        b->m_dialect = Dialect::Sqlite;
    else if (b->m_dbmsName.contains(QStringLiteral("Oracle"), Qt::CaseInsensitive))
        b->m_dialect = Dialect::Oracle;
    return b;
}

OdbcBackend::~OdbcBackend()
{
    if (m_dbc) {
        SQLDisconnect(m_dbc);
        SQLFreeHandle(SQL_HANDLE_DBC, m_dbc);
    }
    if (m_env)
        SQLFreeHandle(SQL_HANDLE_ENV, m_env);
}

long OdbcBackend::execute(const QString& sql, const std::vector<QVariant>& params)
{
    Statement st(*this);
    st.run(sql, params);
    long total = -1;
    do {
        if (st.columnCount() == 0) {
            SQLLEN n = -1;
            SQLRowCount(st.h, &n);
            if (n >= 0)
                total = (total < 0 ? 0 : total) + static_cast<long>(n);
        }
    } while (st.moreResults());
    return total;
}

std::unique_ptr<RowSet> OdbcBackend::query(const QString& sql, const std::vector<QVariant>& params)
{
    Statement st(*this);
    st.run(sql, params);
    do {
        if (st.columnCount() > 0) {
            auto rows = st.fetch();
            // The rest of a batch still runs, as on the server.
            while (st.moreResults()) {
            }
            return rows;
        }
    } while (st.moreResults());
    return std::make_unique<RowSet>();
}

void OdbcBackend::begin()
{
    // Behind the SQLite driver the write lock is taken at once, as on the
    // embedded route, so a batch never fails half-way for a lock. The
    // driver's own transaction (autocommit off) takes it at the first write:
    // a line that read before it writes and meets another station's newer
    // rows can then never write, and the driver tries again until its
    // Timeout runs out before it fails in the middle of the line.
    if (m_dialect == Dialect::Sqlite) {
        execute(QStringLiteral("BEGIN IMMEDIATE"));
        return;
    }
    if (!ok(SQLSetConnectAttr(m_dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0)))
        throw BackendFailure{diagnostics(SQL_HANDLE_DBC, m_dbc, m_dialect)};
}

void OdbcBackend::endTransaction(bool commit)
{
    if (m_dialect == Dialect::Sqlite) {
        try {
            execute(commit ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK"));
        } catch (const BackendFailure& f) {
            // SQLite may already have ended the transaction itself (a full
            // disk, an interrupted statement); nothing is left to undo then.
            if (commit || !f.errors.front().Description.contains(QLatin1String("no transaction is active")))
                throw;
        }
        return;
    }
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, m_dbc, commit ? SQL_COMMIT : SQL_ROLLBACK);
    std::vector<Error> errors;
    if (!ok(rc))
        errors = diagnostics(SQL_HANDLE_DBC, m_dbc, m_dialect);
    SQLSetConnectAttr(m_dbc, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    if (!errors.empty())
        throw BackendFailure{std::move(errors)};
}

void OdbcBackend::commit()
{
    endTransaction(true);
}

void OdbcBackend::rollback()
{
    endTransaction(false);
}

std::vector<TableEntry> OdbcBackend::tables()
{
    Statement st(*this);
    QString kinds = QStringLiteral("TABLE,VIEW");
    st.check(SQLTablesW(st.h, nullptr, 0, nullptr, 0, nullptr, 0, wide(kinds), SQL_NTS));
    auto rows = st.fetch();
    std::vector<TableEntry> out;
    for (std::size_t r = 0; r < rows->rowCount(); ++r)
        out.push_back({rows->stored(r, 0), rows->stored(r, 1), rows->value(r, 2).toString(), rows->value(r, 3).toString()});
    return out;
}

std::vector<ColumnEntry> OdbcBackend::columns(const QString& table)
{
    Statement st(*this);
    QString name = table.trimmed();
    st.check(SQLColumnsW(st.h, nullptr, 0, nullptr, 0, name.isEmpty() ? nullptr : wide(name), name.isEmpty() ? 0 : SQL_NTS,
                         nullptr, 0));
    auto rows = st.fetch();
    // Drivers of ODBC 2 give the first twelve columns only.
    auto cell = [&](std::size_t r, int c) { return c < rows->columnCount() ? rows->stored(r, c) : QVariant(); };
    std::vector<ColumnEntry> out;
    for (std::size_t r = 0; r < rows->rowCount(); ++r)
        out.push_back({rows->stored(r, 0), rows->stored(r, 1), rows->value(r, 2).toString(), rows->value(r, 3).toString(),
                       cell(r, 16).toInt(), cell(r, 12), rows->value(r, 10).toLongLong() != SQL_NO_NULLS,
                       typeFromOdbc(rows->value(r, 4).toInt(), rows->value(r, 5).toString()), rows->value(r, 6).toInt()});
    return out;
}

QStringList OdbcBackend::primaryKey(const QString& table)
{
    Statement st(*this);
    QString name = table;
    st.check(SQLPrimaryKeysW(st.h, nullptr, 0, nullptr, 0, wide(name), SQL_NTS));
    auto rows = st.fetch();
    std::vector<std::pair<int, QString>> key;
    for (std::size_t r = 0; r < rows->rowCount(); ++r)
        key.emplace_back(rows->value(r, 4).toInt(), rows->value(r, 3).toString());
    std::sort(key.begin(), key.end());
    QStringList out;
    for (const auto& [seq, column] : key)
        out << column;
    return out;
}

QVariant OdbcBackend::lastInsertId()
{
    QString sql;
    if (m_dialect == Dialect::Sqlite)
        sql = QStringLiteral("SELECT last_insert_rowid()");
    else if (m_dialect == Dialect::SqlServer)
        sql = QStringLiteral("SELECT @@IDENTITY");
    else
        return {};
    auto rows = query(sql);
    return rows->rowCount() ? rows->stored(0, 0) : QVariant();
}

void OdbcBackend::setDefaultDatabase(const QString& name)
{
    if (m_dialect != Dialect::SqlServer || name.trimmed().isEmpty())
        return;
    QString catalog = name.trimmed();
    if (!ok(SQLSetConnectAttrW(m_dbc, SQL_ATTR_CURRENT_CATALOG, wide(catalog), SQL_NTS)))
        throw BackendFailure{diagnostics(SQL_HANDLE_DBC, m_dbc, m_dialect)};
}

}  // namespace db
