#include "platform/TextBox.h"

#include "platform/Keys.h"
#include "platform/NulCharacters.h"
#include "platform/RuntimeError.h"
#include "platform/Twips.h"
#include "platform/db/Types.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <algorithm>

namespace {

bool typesNothing(int code)
{
    switch (code) {
    case keys::Left:
    case keys::Right:
    case keys::Up:
    case keys::Down:
    case keys::Home:
    case keys::End:
    case keys::Delete:
    case keys::Insert:
    case keys::PageUp:
    case keys::PageDown:
        return true;
    default:
        return false;
    }
}

int mouseButtons(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0)
        | (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

}  // namespace

FieldLimits FieldLimits::fromColumn(const QString& column, int typeCode, int definedSize)
{
    FieldLimits limits;
    limits.column = column;
    switch (typeCode) {
    case db::type::SmallInt:
    case db::type::Integer:
    case db::type::Single:
    case db::type::Double:
    case db::type::Currency:
    case db::type::Decimal:
    case db::type::TinyInt:
    case db::type::UnsignedTinyInt:
    case db::type::UnsignedSmallInt:
    case db::type::UnsignedInt:
    case db::type::BigInt:
    case db::type::UnsignedBigInt:
    case db::type::Numeric:
    case db::type::VarNumeric:
        limits.kind = FieldKind::Number;
        break;
    case db::type::Date:
    case db::type::DBDate:
    case db::type::DBTime:
    case db::type::DBTimeStamp:
        limits.kind = FieldKind::Date;
        break;
    case db::type::BSTR:
    case db::type::Char:
    case db::type::WChar:
    case db::type::VarChar:
    case db::type::VarWChar:
        limits.kind = FieldKind::Text;
        limits.maxLength = std::max(definedSize, 0);
        break;
    case db::type::LongVarChar:
    case db::type::LongVarWChar:
        limits.kind = FieldKind::Text;
        break;
    default:
        break;
    }
    return limits;
}

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    setMouseTracking(true);
    refuseNulCharacters(*this);
    connect(this, &QLineEdit::textChanged, this, [this] { emit Change(); });
}

void TextBox::applyLimits(const FieldLimits& limits)
{
    m_kind = limits.kind;
    if (limits.maxLength > 0)
        setMaxLength(std::min(maxLength(), limits.maxLength));
}

void TextBox::setMaxLength(int length)
{
    if (length == maxLength())
        return;
    const int caret = cursorPosition();
    const int start = selectionStart();
    const int selected = static_cast<int>(selectedText().size());
    QLineEdit::setMaxLength(length);
    const int size = static_cast<int>(text().size());
    if (start < 0 || start >= size) {
        setCursorPosition(std::min(caret, size));
        return;
    }
    const int end = std::min(start + selected, size);
    // A selection made backwards keeps its caret at its start.
    if (caret == start)
        setSelection(end, start - end);
    else
        setSelection(start, end - start);
}

void TextBox::setSelStart(int position)
{
    setCursorPosition(std::clamp(position, 0, static_cast<int>(text().size())));
}

void TextBox::Move(int left, int top, int width, int height)
{
    setGeometry(twips::toPixels(left), twips::toPixels(top), width < 0 ? this->width() : twips::toPixels(width),
                height < 0 ? this->height() : twips::toPixels(height));
}

int TextBox::Left() const
{
    return twips::left(*this);
}

int TextBox::Top() const
{
    return twips::top(*this);
}

int TextBox::Width() const
{
    return twips::width(*this);
}

int TextBox::Height() const
{
    return twips::height(*this);
}

void TextBox::SetFocus()
{
    if (!isVisible() || !isEnabled())
        throw RuntimeError::invalidCall(QStringLiteral("SetFocus"));
    setFocus(Qt::OtherFocusReason);
}

void TextBox::keyPressEvent(QKeyEvent* event)
{
    QPointer<TextBox> alive(this);
    const int pressed = keys::virtualKey(*event);
    if (pressed != 0) {
        int code = pressed;
        emit KeyDown(code, keys::shiftState(event->modifiers()));
        if (!alive)
            return;
        if (code == 0 && typesNothing(pressed)) {
            event->accept();
            return;
        }
    }
    const int typed = keys::keyAscii(*event);
    if (typed != 0 && typed != keys::Tab) {
        int ascii = typed;
        emit KeyPress(ascii);
        if (!alive)
            return;
        if (ascii == 0) {
            event->accept();
            return;
        }
        if (ascii != typed) {
            if (ascii == keys::Backspace)
                backspace();
            else if (ascii >= keys::Space)
                insert(QString(QChar(ascii)));
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLineEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton)
        emit Click();
}

void TextBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    emit DblClick();
}

void TextBox::mouseMoveEvent(QMouseEvent* event)
{
    QLineEdit::mouseMoveEvent(event);
    const QPoint at = event->position().toPoint();
    emit MouseMove(mouseButtons(event->buttons()), keys::shiftState(event->modifiers()),
                   static_cast<float>(twips::fromPixels(at.x())), static_cast<float>(twips::fromPixels(at.y())));
}

void TextBox::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    emit GotFocus();
}

void TextBox::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    emit LostFocus();
}
