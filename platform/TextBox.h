#pragma once

#include <QLineEdit>
#include <QString>

// What a text box bound to a column may take.
enum class FieldKind { Free, Text, Number, Date };

// The limits of one column, as a bound text box applies them.
struct FieldLimits {
    QString column;
    FieldKind kind = FieldKind::Free;
    int maxLength = 0;  // 0: no limit of the column's own

    // From a column's type code (db::type) and defined size: text columns
    // limit the length, numeric and date columns set the kind only.
    static FieldLimits fromColumn(const QString& column, int typeCode, int definedSize);
};

// A single-line text box bound to a column by its DataField, with the Tag
// that names its lookup source. DataField and Tag are also Qt properties, so
// code that only knows a QLineEdit reaches them by name.
class TextBox : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(QString DataField READ dataField WRITE setDataField)
    Q_PROPERTY(QString Tag READ tag WRITE setTag)

public:
    explicit TextBox(QWidget* parent = nullptr);

    QString dataField() const { return m_dataField; }
    void setDataField(const QString& name) { m_dataField = name; }
    QString tag() const { return m_tag; }
    void setTag(const QString& tag) { m_tag = tag; }
    FieldKind kind() const { return m_kind; }
    void setKind(FieldKind kind) { m_kind = kind; }

    // Takes the column's kind, and its length where that is the tighter
    // limit: a design limit is never loosened.
    void applyLimits(const FieldLimits& limits);

private:
    QString m_dataField;
    QString m_tag;
    FieldKind m_kind = FieldKind::Free;
};
