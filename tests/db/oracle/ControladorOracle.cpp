// An ODBC driver that answers as an Oracle server does, for the tests of the
// Oracle route where no Oracle server and no Oracle driver can be had. It
// names its server "Oracle" and knows the tables listed, comma-separated, in
// the environment variable ORACLE_DE_PRUEBA_TABLAS: a query of one of them has
// one column and no row; a query of any other fails as Oracle fails it
// (ORA-00942, SQLSTATE 42S02). Any other statement runs and changes nothing.
// The driver manager loads it by its path in the connection string's Driver.
#include <sql.h>
#include <sqlext.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

namespace {

struct Handle {
    // The failure of the handle's last call, if any.
    std::string state;
    SQLINTEGER native = 0;
    std::string message;
    SQLSMALLINT columns = 0;
};

Handle* handle(SQLHANDLE h)
{
    return static_cast<Handle*>(h);
}

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

bool knownTable(const std::string& name)
{
    const char* list = std::getenv("ORACLE_DE_PRUEBA_TABLAS");
    std::stringstream tables(list ? list : "");
    for (std::string t; std::getline(tables, t, ',');)
        if (upper(t) == upper(name))
            return true;
    return false;
}

std::string narrow(const SQLWCHAR* text, SQLINTEGER length)
{
    std::string s;
    for (SQLINTEGER i = 0; length == SQL_NTS ? text[i] != 0 : i < length; ++i)
        s += static_cast<char>(text[i]);
    return s;
}

// `room` and `length` in characters.
void copyWide(const std::string& text, SQLWCHAR* out, SQLSMALLINT room, SQLSMALLINT* length)
{
    if (length)
        *length = static_cast<SQLSMALLINT>(text.size());
    if (out && room > 0) {
        const std::size_t n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(room - 1));
        for (std::size_t i = 0; i < n; ++i)
            out[i] = static_cast<SQLWCHAR>(static_cast<unsigned char>(text[i]));
        out[n] = 0;
    }
}

SQLRETURN execute(Handle& s, const std::string& text)
{
    const std::string sql = upper(text);
    s.state.clear();
    s.columns = 0;
    const std::size_t from = sql.find(" FROM ");
    if (sql.rfind("SELECT", 0) != 0 || from == std::string::npos)
        return SQL_SUCCESS;
    const std::size_t start = from + 6;
    const std::string table = sql.substr(start, sql.find(' ', start) - start);
    if (!knownTable(table)) {
        s.state = "42S02";
        s.native = 942;
        s.message = "[Oracle][ODBC][Ora]ORA-00942: table or view does not exist\n";
        return SQL_ERROR;
    }
    s.columns = 1;
    return SQL_SUCCESS;
}

}  // namespace

extern "C" {

SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT, SQLHANDLE, SQLHANDLE* out)
{
    *out = new Handle;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT, SQLHANDLE h)
{
    delete handle(h);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV, SQLINTEGER, SQLPOINTER, SQLINTEGER)
{
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDriverConnectW(SQLHDBC, SQLHWND, SQLWCHAR* in, SQLSMALLINT inLength, SQLWCHAR* out,
                                    SQLSMALLINT room, SQLSMALLINT* outLength, SQLUSMALLINT)
{
    copyWide(narrow(in, inLength), out, room, outLength);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLDisconnect(SQLHDBC)
{
    return SQL_SUCCESS;
}

// `room` and `length` in bytes, as for every wide text of SQLGetInfoW.
SQLRETURN SQL_API SQLGetInfoW(SQLHDBC, SQLUSMALLINT type, SQLPOINTER value, SQLSMALLINT room, SQLSMALLINT* length)
{
    const char* text = type == SQL_DBMS_NAME ? "Oracle" : type == SQL_DRIVER_ODBC_VER ? "03.00" : nullptr;
    if (!text) {
        if (value && room >= static_cast<SQLSMALLINT>(sizeof(SQLUINTEGER)))
            std::memset(value, 0, sizeof(SQLUINTEGER));
        if (length)
            *length = 0;
        return SQL_SUCCESS;
    }
    SQLSMALLINT chars = 0;
    copyWide(text, static_cast<SQLWCHAR*>(value), static_cast<SQLSMALLINT>(room / 2), &chars);
    if (length)
        *length = static_cast<SQLSMALLINT>(chars * 2);
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLExecDirectW(SQLHSTMT h, SQLWCHAR* text, SQLINTEGER length)
{
    return execute(*handle(h), narrow(text, length));
}

// The driver manager reads a failure through it.
SQLRETURN SQL_API SQLErrorW(SQLHENV, SQLHDBC, SQLHSTMT h, SQLWCHAR* state, SQLINTEGER* native, SQLWCHAR* message,
                            SQLSMALLINT room, SQLSMALLINT* length)
{
    Handle* x = handle(h);
    if (!x || x->state.empty())
        return SQL_NO_DATA;
    copyWide(x->state, state, 6, nullptr);
    if (native)
        *native = x->native;
    copyWide(x->message, message, room, length);
    x->state.clear();
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT h, SQLSMALLINT* count)
{
    *count = handle(h)->columns;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLRowCount(SQLHSTMT, SQLLEN* count)
{
    *count = 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLMoreResults(SQLHSTMT)
{
    return SQL_NO_DATA;
}

SQLRETURN SQL_API SQLFetch(SQLHSTMT)
{
    return SQL_NO_DATA;
}

SQLRETURN SQL_API SQLDescribeColW(SQLHSTMT, SQLUSMALLINT, SQLWCHAR* name, SQLSMALLINT room, SQLSMALLINT* length,
                                  SQLSMALLINT* type, SQLULEN* size, SQLSMALLINT* digits, SQLSMALLINT* nullable)
{
    copyWide("1", name, room, length);
    *type = SQL_INTEGER;
    *size = 10;
    *digits = 0;
    *nullable = SQL_NULLABLE;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLColAttributeW(SQLHSTMT, SQLUSMALLINT, SQLUSMALLINT, SQLPOINTER text, SQLSMALLINT room,
                                   SQLSMALLINT* length, SQLLEN* number)
{
    SQLSMALLINT chars = 0;
    copyWide("NUMBER", static_cast<SQLWCHAR*>(text), static_cast<SQLSMALLINT>(room / 2), &chars);
    if (length)
        *length = static_cast<SQLSMALLINT>(chars * 2);
    if (number)
        *number = 0;
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetConnectAttrW(SQLHDBC, SQLINTEGER, SQLPOINTER, SQLINTEGER)
{
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLSetStmtAttrW(SQLHSTMT, SQLINTEGER, SQLPOINTER, SQLINTEGER)
{
    return SQL_SUCCESS;
}

SQLRETURN SQL_API SQLGetData(SQLHSTMT, SQLUSMALLINT, SQLSMALLINT, SQLPOINTER, SQLLEN, SQLLEN*)
{
    return SQL_NO_DATA;
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT, SQLHANDLE, SQLSMALLINT)
{
    return SQL_SUCCESS;
}

}  // extern "C"
