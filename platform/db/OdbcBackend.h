#pragma once

#include "ConnectionBackend.h"

namespace db {

// A data source reached through the ODBC driver manager (SQL Server through
// FreeTDS, Oracle, or any driver named in the connection string), spoken to
// in ODBC 3 with the wide-character calls. The server's own dialect is read
// from the driver: a SQLite data source gets the layer's rewrite.
class OdbcBackend : public ConnectionBackend {
public:
    // `driverSetting`: the environment variable that named the driver, for
    // the message when the driver does not load.
    static std::unique_ptr<OdbcBackend> open(const QString& odbcConnectionString, const QString& driverSetting = {});
    ~OdbcBackend() override;

    Dialect dialect() const override { return m_dialect; }

    long execute(const QString& sql, const std::vector<QVariant>& params = {}) override;
    std::unique_ptr<RowSet> query(const QString& sql, const std::vector<QVariant>& params = {}) override;
    void begin() override;
    void commit() override;
    void rollback() override;
    std::vector<TableEntry> tables() override;
    std::vector<ColumnEntry> columns(const QString& table) override;
    QStringList primaryKey(const QString& table) override;
    QVariant lastInsertId() override;
    void setCommandTimeout(int seconds) override { m_timeout = seconds; }
    void setDefaultDatabase(const QString& name) override;
    bool hasCatalogs() const override { return m_dialect == Dialect::SqlServer; }

    // The name the driver gives its server ("Microsoft SQL Server", "SQLite").
    QString dbmsName() const { return m_dbmsName; }

private:
    OdbcBackend() = default;
    class Statement;
    void endTransaction(bool commit);

    void* m_env = nullptr;
    void* m_dbc = nullptr;
    Dialect m_dialect = Dialect::SqlServer;
    QString m_dbmsName;
    int m_timeout = 30;
};

}  // namespace db
