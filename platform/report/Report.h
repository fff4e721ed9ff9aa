#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <utility>
#include <vector>

// The report printer's data: what a report is (its definition), the values
// the caller hands it (formulas) and what it prints (a document of heading,
// lines and total). Reading and rendering live apart: ReportData builds a
// Document, ReportRenderer draws one.
namespace report {

// Error numbers the printer raises; none is 5, which the callers' traps pass
// over in silence.
namespace errnum {
constexpr int UnknownReport = 30001;
constexpr int SelectionNotUnderstood = 30002;
constexpr int FormulaNotUnderstood = 30003;
constexpr int NoConnection = 30004;
constexpr int NotWritten = 30005;
}  // namespace errnum

// Named texts handed in by the caller, found without regard to case.
class Formulas {
public:
    void set(const QString& name, const QString& value);
    bool has(const QString& name) const;
    // The formula's text; empty when the caller gave none of that name.
    QString value(const QString& name) const;

private:
    std::vector<std::pair<QString, QString>> m_items;
};

// The rows a report read, with their column names.
class Rows {
public:
    QStringList fields;
    std::vector<std::vector<QVariant>> values;

    std::size_t size() const { return values.size(); }
    bool empty() const { return values.empty(); }
    // The column's value on row `row` (from 0); an empty variant when the
    // rows have no such column.
    QVariant value(std::size_t row, const QString& field) const;
};

struct Column {
    QString caption;
    QString field;
    bool number = false;  // quantities: right-aligned, written as the program writes amounts
    int stretch = 1;      // share of the line's width
};

// The block above the lines of every page.
struct Heading {
    QStringList company;  // company name, address, locality
    QString title;
    QStringList details;  // voucher, date, depot...
    // The preview window's caption; the title when empty.
    QString caption;
};

struct Definition {
    QString name;
    // "SELECT ... FROM ..." without WHERE: the selection formula becomes its condition.
    QString source;
    QString orderBy;
    std::vector<Column> columns;
    // The column summed into the total line; none when empty.
    QString totalField;
    QString totalCaption;
    // The column whose values split the total (a quantity's unit): one total
    // line per value, that value beside its amount, so that amounts of
    // different units are never added together. Values are compared trimmed
    // and without regard to case. Empty: one total of every line.
    QString totalByField;
    std::function<Heading(const Formulas&, const Rows&)> heading;
};

// One total line: the value of the total's split column it adds (empty
// without a split) and its amount as printed.
struct Total {
    QString group;
    QString amount;
    bool operator==(const Total&) const = default;
};

// A report ready to draw.
struct Document {
    Heading heading;
    std::vector<Column> columns;
    Rows rows;
    std::vector<QStringList> lines;  // the cells of each row, as printed
    QString totalCaption;
    std::vector<Total> totals;       // in the order of their groups; none when the report has no total
    int totalColumn = -1;            // the column the amounts stand under
    int totalByColumn = -1;          // the column the groups stand under; -1: beside the caption
};

}  // namespace report
