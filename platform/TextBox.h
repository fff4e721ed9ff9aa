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
//
// Its keys, mouse and focus come out as signals. KeyDown and KeyPress hand
// their code by reference: a handler that sets KeyCode to 0 stops the box's
// own handling of a key that types nothing (arrows, Home, Delete ...); one
// that sets KeyAscii to 0 drops the typed character, and another value types
// that character instead. Position and size are in twips, as the forms float
// a cell editor over a grid's cell.
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

    // The forms set a box's limit on every key it takes: a new limit keeps
    // the caret and the selection where they are (QLineEdit's own puts the
    // caret at the end and drops the selection, so a selected text would
    // not be replaced by the next key). A text longer than the limit is cut.
    void setMaxLength(int length);
    // The most characters the box takes; 0 is no limit (the box's own most).
    int MaxLength() const { return maxLength() >= NoLimit ? 0 : maxLength(); }
    void SetMaxLength(int length) { setMaxLength(length > 0 ? length : NoLimit); }
    static constexpr int NoLimit = 32767;

    // The caret; past the end puts it at the end.
    int SelStart() const { return cursorPosition(); }
    void setSelStart(int position);
    // Inside the parent, in twips; a negative width or height keeps it.
    void Move(int left, int top, int width = -1, int height = -1);
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    // The box's own visible flag (its container may still hide it).
    bool Visible() const { return !isHidden(); }
    QString Name() const { return objectName(); }
    // Fails with error 5 when the box cannot take the focus (hidden or disabled).
    void SetFocus();

signals:
    void Change();
    void Click();
    void DblClick();
    void GotFocus();
    void LostFocus();
    void KeyDown(int& KeyCode, int Shift);
    void KeyPress(int& KeyAscii);
    void MouseMove(int Button, int Shift, float X, float Y);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_dataField;
    QString m_tag;
    FieldKind m_kind = FieldKind::Free;
};
