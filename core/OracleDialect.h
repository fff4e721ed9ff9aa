#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace db {
class Connection;
}

// Carries the system's SQL Server text onto an Oracle connection: one
// statement rewritten into Oracle's dialect, and a batch cut into statements
// run one by one, its transaction statements mapped onto the connection's own
// transaction calls. String literals are data: nothing here changes them.
class OracleDialect {
public:
    // The statement for an Oracle connection: upper case outside literals,
    // the first TOP n as a ROWNUM limit, LEN as LENGTH, bracketed names as
    // quoted names, and the date columns of the WHERE part compared by day.
    // On any other connection only the upper case is applied.
    static QString rewrite(const QString& statement, bool oracleConnection);

    // The batch with its GO separators and line ends turned into blanks and
    // its transaction statements in the form the runner recognises.
    static QString normaliseScript(const QString& script);
    // The statements of a normalised batch, trimmed, in order.
    static QStringList statements(const QString& normalisedScript);

    // Runs a batch statement by statement on the connection. `script` is
    // consumed as it runs: it ends empty, or after a failure holds the
    // statements not yet run, beginning with the one that failed. The rows
    // each statement reports are added to `recordsAffected`. The transaction
    // statements become the connection's own calls, a savepoint and the
    // rollback to it Oracle's SAVEPOINT and ROLLBACK TO SAVEPOINT, and an
    // IF [NOT] EXISTS (query) a query that decides whether the statement
    // after it runs.
    static void runScript(QString& script, long& recordsAffected, db::Connection& connection,
                          const std::function<QString(const QString&)>& rewriteStatement);

    // A success status (0x00040EC9) that Oracle's provider files in the
    // errors collection; alone after a complete batch it is no failure.
    static constexpr long BenignWarning = 265929;
};
