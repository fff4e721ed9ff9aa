#include "platform/TextBox.h"

#include "platform/db/Types.h"

#include <algorithm>

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

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {}

void TextBox::applyLimits(const FieldLimits& limits)
{
    m_kind = limits.kind;
    if (limits.maxLength > 0)
        setMaxLength(std::min(maxLength(), limits.maxLength));
}
