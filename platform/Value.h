#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>

// The value semantics the procedures of the system lean on, each in one place:
// the database Null kept apart from a value never set (Empty), reading a text
// as a number, rounding halves to even and the checked 16/32-bit conversions.
namespace lang {

// The database Null: a valid variant whose isNull() is true.
QVariant null();
// True for the database Null (also a typed null coming from a query).
bool isNull(const QVariant& v);
// True for a value that was never set (an invalid variant).
bool isEmpty(const QVariant& v);

// The number a text begins with: blanks (spaces, tabs) before it are skipped,
// an optional sign, digits with at most one "." and an optional exponent.
// A text that begins with no number gives 0.
double leadingNumber(QStringView text);

// The number an amount typed by an operator holds: like leadingNumber, but
// either "." or "," may be the decimal sign (when both appear, the last one
// is, and the other groups thousands).
double amountNumber(QStringView text);

// True when the whole text, blanks around it aside, is one plain decimal
// number: an optional sign, digits, and at most one decimal sign, "." or ","
// (an operator types either). No exponent, no grouping.
bool isNumber(QStringView text);

// Rounds to the given number of decimals; a half goes to the even neighbour.
double roundHalfEven(double value, int decimals = 0);
// The same, a half going away from zero, as the databases' ROUND does.
double roundHalfAwayFromZero(double value, int decimals = 0);

// 16-bit and 32-bit conversions: round half to even, then fail with the
// overflow error outside the signed range.
std::int16_t toInt16(double value);
std::int32_t toInt32(double value);

// A number as the program writes it into cells, lists and SQL: "." as the
// decimal sign whatever the locale, up to 15 significant digits, no
// thousands separator, no trailing zeros ("12.5", "3", "-0.25").
QString numberText(double value);

// The text of a value: Empty and Null give "", numbers as numberText,
// Booleans "True"/"False", dates as dd/MM/yyyy (with " hh:mm:ss" when the
// time is not midnight), anything else its string form.
QString text(const QVariant& value);

// Numeric value of a variant: numbers as they are, Booleans -1/0 (the
// language's True is -1), texts through leadingNumber, Empty/Null 0.
double number(const QVariant& value);

// The text without the blanks at either end: spaces only, as the language's
// Trim; a tab or a no-break space is a character of the text. The result is
// a view of the text given.
QStringView trimBlanks(QStringView text);

// Case-insensitive equality of two texts, the comparison the system uses for
// codes, keys and list items.
bool sameText(QStringView a, QStringView b);

// Proper case: the first letter of each word upper case, the others lower
// case; words are separated by blanks ("TORNILLO hexagonal" gives
// "Tornillo Hexagonal").
QString properCase(const QString& text);

}  // namespace lang
