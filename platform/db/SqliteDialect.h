#pragma once

#include <QSet>
#include <QString>
#include <QStringView>
#include <vector>

namespace db {

// One statement of a batch, ready for SQLite.
struct SqliteStatement {
    enum class Kind {
        Sql,
        BeginTransaction,
        CommitTransaction,
        RollbackTransaction,
        // SQL Server's SAVE TRANSACTION name and ROLLBACK TRANSACTION name:
        // the SQLite statement is in `text`.
        Savepoint,
        RollbackToSavepoint,
        // A SELECT giving 1 when the statement that follows it is to run
        // (SQL Server's "IF EXISTS(...) statement").
        Condition,
    };
    Kind kind = Kind::Sql;
    QString text;
};

// Carries SQL written in SQL Server's dialect onto SQLite. The text is read
// token by token, so nothing inside a string literal or a quoted name is ever
// touched. A batch (statements joined by line ends, "GO" lines, semicolons) is
// cut at the start of each statement. Within a statement:
//   TOP n                      -> LIMIT n at the end of that query level
//   ISNULL(a,b)                -> IFNULL(a,b)
//   CONVERT(type, x[, style])  -> CAST(x AS ...), or the dated text of the style
//   LEN(x)                     -> LENGTH(RTRIM(x))
//   GETDATE()                  -> the local time in the stored date form
//   DELETE t WHERE ...         -> DELETE FROM t WHERE ...
//   dbo.t                      -> t
//   #10/12/2024#               -> '2024-12-10T00:00:00'
//   N'text'                    -> 'text'
//   SAVE TRAN[SACTION] n       -> SAVEPOINT n
//   ROLLBACK TRAN[SACTION] n   -> ROLLBACK TO SAVEPOINT n (without a name: the
//                                 whole transaction, as before)
// and every string literal compared with =, <>, <, >, <=, >= is given the
// collation `literalCollation`, so that the comparison follows SQL Server's
// rule (case ignored, and with the layer's own collation trailing blanks
// too) even where a column's own collation is lost, as in LTRIM(RTRIM(col)).
// With a collation of the layer's own, which no index is ordered by, an
// equality of a table's column and a literal also names the stretch of the
// column's NOCASE order that holds every value equal to the literal, so that
// an index of the column can be read; `views` (their names in lower case)
// are the objects that are no table: a column of theirs gets no stretch,
// which would only be weighed on every row.
class SqliteDialect {
public:
    explicit SqliteDialect(QString literalCollation = QStringLiteral("NOCASE"), QSet<QString> views = {});

    std::vector<SqliteStatement> translate(const QString& sqlServerText) const;
    // True when SQLite runs the text as written, blanks around it trimmed:
    // one INSERT whose code outside its string literals holds nothing the
    // rewrite acts on or cuts a batch at. translate gives it back as it is.
    static bool runsAsWritten(QStringView sqlServerText);

private:
    QString m_collation;
    QSet<QString> m_views;
};

}  // namespace db
