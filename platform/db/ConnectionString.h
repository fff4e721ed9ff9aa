#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace db {

// A connection string as the system writes it ("PROVIDER=SQLOLEDB;Server=x;
// Database =y;UId=u;Pwd=p;"): items of a key, "=" and a value, closed by ";".
// Keys are matched without regard to case or surrounding blanks; a value may
// be put between double or single quotes to hold a ";".
class ConnectionString {
public:
    explicit ConnectionString(const QString& text);

    bool has(const QString& key) const;
    // The value of the first of the keys present, trimmed; empty when none is.
    QString value(const QStringList& keys) const;

    enum class Route { Embedded, SqlServer, Oracle, Odbc, Unknown };
    Route route() const;
    // Whether the provider item (or, without one, the ODBC driver item) names
    // Oracle. Only those items choose the server: a file, database, user or
    // password that holds the word never does.
    bool namesOracle() const;

    // The ODBC connection string for the SQL Server and Oracle routes, each
    // value between braces so that nothing in it can add attributes.
    QString sqlServerOdbc(const QString& driver, const QString& user, const QString& password) const;
    QString oracleOdbc(const QString& driver, const QString& user, const QString& password) const;
    // The embedded database file.
    QString embeddedPath() const;
    // The database the string names, as the operator knows it: the file or
    // database of a server route, the data source of Oracle, an ODBC DSN.
    QString databaseName() const;

private:
    QString m_text;
    std::vector<std::pair<QString, QString>> m_items;
};

// A value between braces for an ODBC connection string ("}" doubled).
QString odbcValue(const QString& value);

}  // namespace db
