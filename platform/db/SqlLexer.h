#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace db {

// One token of an SQL text written in SQL Server's dialect.
struct SqlToken {
    enum class Kind {
        Space,        // blanks and line ends
        Comment,      // -- to the end of the line, or /* ... */
        Word,         // keyword or plain name (letters, digits, _, @, #, $)
        QuotedName,   // [name] or "name"
        String,       // 'text' with '' inside; N'text' too
        Number,
        DateLiteral,  // #10/12/2024#
        Punct,        // operators and ( ) , . ;
    };
    Kind kind;
    qsizetype start;
    qsizetype length;
    QStringView text;

    bool isWord(QStringView w) const { return kind == Kind::Word && text.compare(w, Qt::CaseInsensitive) == 0; }
    bool isPunct(QStringView p) const { return kind == Kind::Punct && text == p; }
    bool significant() const { return kind != Kind::Space && kind != Kind::Comment; }
    bool isComparison() const;
};

// Cuts an SQL text into tokens, its literals and quoted names as SqlText
// finds them. Never fails: an unclosed literal, name or comment runs to the
// end of the text. The tokens view `sql`, which must outlive them.
std::vector<SqlToken> tokenizeSql(const QString& sql);

// The content of a string literal token, with '' read as one apostrophe.
QString stringLiteralValue(const SqlToken& t);
// The name a Word or QuotedName token stands for, without brackets or quotes.
QString nameValue(const SqlToken& t);

// The one table a single-table SELECT reads ("select  top 1 * from AUX_ERR",
// "SELECT * FROM dbo.[V_TA_CPTE] WHERE ..."); empty for a join, a subquery,
// a grouped or compound query, or anything but a SELECT.
QString singleTableOf(const QString& select);

}  // namespace db
