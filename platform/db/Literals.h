#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

// SQL literals and the one stored form of dates, shared by the data layer and
// by everything that writes SQL text.
namespace db {

// A text between apostrophes, an apostrophe inside doubled: "O'Brien" gives
// 'O''Brien', so an operator's text can neither end nor change a statement.
QString quoteText(const QString& text);
// The other way: the text of a '...' literal, its outer apostrophes dropped
// (a closing one only where there is one) and doubled ones undone.
QString unquoteText(QStringView quoted);

// The stored form of a date and time: "2024-12-10T14:05:00". SQL Server
// reads it the same under every language and date format; on SQLite it sorts
// and compares in time order.
QString dateTimeText(const QDateTime& value);
// The same, quoted: '2024-12-10T14:05:00'.
QString dateTimeLiteral(const QDateTime& value);

// Reads a date or date-time text: the stored forms ("2024-12-10T14:05:00",
// "2024-12-10 14:05", "2024-12-10") and the station's day-first forms
// ("10/12/2024", "10/12/24 14:05", "10-12-2024 14:05:30"). A two-digit year
// means 1930 to 2029. Nothing for any other text.
std::optional<QDateTime> parseDateTime(QStringView text);

}  // namespace db
