#include "RowSet.h"

#include "Literals.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <QHash>
#include <QStringDecoder>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <sql.h>
#include <sqlext.h>

namespace db {

namespace {

bool isTextType(int t)
{
    return t == type::BSTR || t == type::Char || t == type::WChar || t == type::VarChar || t == type::LongVarChar ||
           t == type::VarWChar || t == type::LongVarWChar || t == type::GUID;
}
bool isIntegerType(int t)
{
    return t == type::SmallInt || t == type::Integer || (t >= type::TinyInt && t <= type::UnsignedBigInt);
}
bool isNumericType(int t)
{
    return t == type::Single || t == type::Double || t == type::Currency || t == type::Decimal || t == type::Numeric ||
           t == type::VarNumeric;
}
bool isDateType(int t)
{
    return t == type::Date || t == type::DBDate || t == type::DBTimeStamp || t == type::FileTime || t == type::DBFileTime;
}
bool isBinaryType(int t)
{
    return t == type::Binary || t == type::VarBinary || t == type::LongVarBinary;
}

QVariant integerValue(std::int64_t v, int t)
{
    const bool wide = t == type::BigInt || t == type::UnsignedBigInt || t == type::UnsignedInt;
    if (!wide && v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max())
        return QVariant(static_cast<int>(v));
    return QVariant(static_cast<qlonglong>(v));
}

std::optional<double> numberFromText(const QString& text)
{
    const QString s = text.trimmed();
    bool ok = false;
    double d = s.toDouble(&ok);
    if (!ok)
        d = QString(s).replace(u',', u'.').toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return d;
}

std::optional<bool> booleanFromText(const QString& text)
{
    const QString s = text.trimmed().toLower();
    if (s == u"1" || s == u"-1" || s == u"true" || s == u"verdadero")
        return true;
    if (s == u"0" || s == u"false" || s == u"falso")
        return false;
    return std::nullopt;
}

bool isNumberVariant(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void mismatch(const QVariant& value)
{
    throw RuntimeError::typeMismatch(QStringLiteral("el valor \"%1\" no corresponde al tipo del campo").arg(lang::text(value)));
}

}  // namespace

void RowSet::push(Storage s, std::uint64_t payload, std::uint32_t length)
{
    if (m_cellCount == m_cellBlocks.size() * kCellsPerBlock)
        m_cellBlocks.push_back(std::make_unique_for_overwrite<Cell[]>(kCellsPerBlock));
    at(m_cellCount++) = {payload, length, s};
    if (++m_cellsInRow == columns.size()) {
        m_cellsInRow = 0;
        ++m_rowCount;
    }
}

const char* RowSet::keepText(const char* data, std::size_t length)
{
    if (length == 0)
        return "";
    char* target;
    if (length > kTextBlock / 4) {
        // A long text gets a block of its own, kept before the current one.
        auto own = std::make_unique_for_overwrite<char[]>(length ? length : 1);
        target = own.get();
        m_textBlocks.insert(m_textBlocks.end() - (m_textBlocks.empty() ? 0 : 1), std::move(own));
    } else {
        if (m_textBlocks.empty() || m_textUsed + length > kTextBlock) {
            m_textBlocks.push_back(std::make_unique_for_overwrite<char[]>(kTextBlock));
            m_textUsed = 0;
        }
        target = m_textBlocks.back().get() + m_textUsed;
        m_textUsed += length;
    }
    std::memcpy(target, data, length);
    return target;
}

void RowSet::addInteger(std::int64_t v)
{
    push(Storage::Integer, static_cast<std::uint64_t>(v), 0);
}

void RowSet::addReal(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    push(Storage::Real, bits, 0);
}

void RowSet::addText(const char* utf8, std::size_t length)
{
    push(Storage::Text, reinterpret_cast<std::uintptr_t>(keepText(utf8, length)), static_cast<std::uint32_t>(length));
}

void RowSet::addText(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    addText(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

void RowSet::addBlob(const void* data, std::size_t length)
{
    push(Storage::Blob, reinterpret_cast<std::uintptr_t>(keepText(static_cast<const char*>(data), length)),
         static_cast<std::uint32_t>(length));
}

void RowSet::reserveRows(std::size_t rows)
{
    m_cellBlocks.reserve((rows * columns.size()) / kCellsPerBlock + 1);
}

RowSet::Cell RowSet::makeCell(const QVariant& stored)
{
    if (!stored.isValid() || stored.isNull())
        return {0, 0, Storage::Null};
    if (stored.typeId() == QMetaType::Double || stored.typeId() == QMetaType::Float) {
        const double d = stored.toDouble();
        std::uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        return {bits, 0, Storage::Real};
    }
    if (stored.typeId() == QMetaType::Bool)
        return {stored.toBool() ? 1u : 0u, 0, Storage::Integer};
    if (isNumberVariant(stored))
        return {static_cast<std::uint64_t>(stored.toLongLong()), 0, Storage::Integer};
    const bool blob = stored.typeId() == QMetaType::QByteArray;
    const QByteArray bytes = blob ? stored.toByteArray() : stored.toString().toUtf8();
    const char* text = keepText(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return {reinterpret_cast<std::uintptr_t>(text), static_cast<std::uint32_t>(bytes.size()), blob ? Storage::Blob : Storage::Text};
}

void RowSet::addValue(const QVariant& stored)
{
    push(makeCell(stored));
}

void RowSet::setValue(std::size_t row, int column, const QVariant& stored)
{
    at(row * columns.size() + static_cast<std::size_t>(column)) = makeCell(stored);
}

void RowSet::appendNullRow()
{
    for (std::size_t i = 0; i < columns.size(); ++i)
        addNull();
}

void RowSet::removeLastRow()
{
    if (m_rowCount > 0) {
        m_cellCount -= columns.size();
        --m_rowCount;
    }
}

namespace {

// A text read as the given column type; a text that is no value of that type
// comes back as text.
QVariant textAsType(const QString& s, int t)
{
    if (isDateType(t)) {
        if (const auto when = parseDateTime(s))
            return t == type::DBDate ? QVariant(when->date()) : QVariant(*when);
        return s;
    }
    if (t == type::DBTime) {
        const QTime time = QTime::fromString(s.trimmed(), QStringLiteral("HH:mm:ss"));
        return time.isValid() ? QVariant(time) : QVariant(s);
    }
    if (t == type::Boolean) {
        if (const auto b = booleanFromText(s))
            return *b;
        return s;
    }
    if (isIntegerType(t) || isNumericType(t)) {
        bool ok = false;
        const double d = s.toDouble(&ok);
        if (!ok)
            return s;
        if (isIntegerType(t) && d == std::floor(d))
            return integerValue(static_cast<std::int64_t>(d), t);
        return d;
    }
    if (isBinaryType(t))
        return s.toUtf8();
    return s;
}

// Writes UTF-8 text over the string `slot` holds when no one else shares
// that string; false when a new string has to be built.
bool overwriteText(QVariant& slot, const char* text, std::uint32_t length)
{
    if (length == 0 || slot.typeId() != QMetaType::QString)
        return false;
    auto* s = static_cast<QString*>(slot.data());
    if (!s->isDetached())
        return false;
    s->resize(length);
    QChar* out = s->data();
    const auto* in = reinterpret_cast<const unsigned char*>(text);
    std::uint32_t i = 0;
    for (; i < length && in[i] < 0x80; ++i)
        out[i] = QChar(in[i]);
    if (i < length) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        out = utf8.appendToBuffer(out + i, QByteArrayView(text + i, length - i));
        s->truncate(out - s->constData());
    }
    return true;
}

}  // namespace

QVariant& CellReader::textValue(int column, int t, const char* text, std::uint32_t length)
{
    if (m_last.size() <= static_cast<std::size_t>(column))
        m_last.resize(static_cast<std::size_t>(column) + 1);
    LastText& last = m_last[static_cast<std::size_t>(column)];
    if (last.bytes.size() == length && last.value.isValid() && std::memcmp(last.bytes.constData(), text, length) == 0)
        return last.value;
    last.bytes.resize(length);
    std::memcpy(last.bytes.data(), text, length);
    if (isTextType(t)) {
        // A text handed out is still held (a grid keeps its cells): the new
        // string takes its place in the variant, which is not built again.
        if (!overwriteText(last.value, text, length)) {
            if (last.value.typeId() == QMetaType::QString)
                *static_cast<QString*>(last.value.data()) = QString::fromUtf8(text, length);
            else
                last.value = QString::fromUtf8(text, length);
        }
    } else {
        last.value = textAsType(QString::fromUtf8(text, length), t);
    }
    return last.value;
}

QVariant CellReader::read(int column, int t, CellStorage storage, std::uint64_t payload, std::uint32_t length)
{
    switch (storage) {
    case CellStorage::Null:
        return lang::null();
    case CellStorage::Integer: {
        const auto v = static_cast<std::int64_t>(payload);
        if (isTextType(t))
            return QString::number(v);
        if (t == type::Boolean)
            return QVariant(v != 0);
        if (isNumericType(t))
            return QVariant(static_cast<double>(v));
        return integerValue(v, t);
    }
    case CellStorage::Real: {
        double d;
        std::memcpy(&d, &payload, sizeof d);
        if (isTextType(t))
            return lang::numberText(d);
        if (t == type::Boolean)
            return QVariant(d != 0);
        if (isIntegerType(t) && d == std::floor(d) && std::abs(d) < 9.2e18)
            return integerValue(static_cast<std::int64_t>(d), t);
        return QVariant(d);
    }
    case CellStorage::Text:
        return textValue(column, t, reinterpret_cast<const char*>(payload), length);
    case CellStorage::Blob: {
        const QByteArray bytes(reinterpret_cast<const char*>(payload), length);
        if (isTextType(t))
            return QString::fromUtf8(bytes);
        return bytes;
    }
    }
    return {};
}

QString CellReader::text(int column, int t, CellStorage storage, std::uint64_t payload, std::uint32_t length)
{
    switch (storage) {
    case CellStorage::Null:
        return QString();
    case CellStorage::Integer:
        // A Boolean shows True/False and a number column its number text;
        // any other type reads the integer itself or its decimal text.
        if (t != type::Boolean && !isNumericType(t))
            return QString::number(static_cast<qlonglong>(payload));
        break;
    case CellStorage::Real:
        if (isTextType(t)) {
            double d;
            std::memcpy(&d, &payload, sizeof d);
            return lang::numberText(d);
        }
        break;
    case CellStorage::Text:
        if (isTextType(t)) {
            const QVariant& v = textValue(column, t, reinterpret_cast<const char*>(payload), length);
            if (v.typeId() == QMetaType::QString)
                return *static_cast<const QString*>(v.constData());
            return lang::text(v);
        }
        break;
    case CellStorage::Blob:
        break;
    }
    return lang::text(read(column, t, storage, payload, length));
}

void CellReader::typeFromValue(Column& c, CellStorage storage, std::uint64_t payload)
{
    switch (storage) {
    case CellStorage::Integer: {
        const auto v = static_cast<std::int64_t>(payload);
        const bool wide = v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max();
        c.type = wide ? type::BigInt : type::Integer;
        c.definedSize = wide ? 8 : 4;
        break;
    }
    case CellStorage::Real: c.type = type::Double; c.definedSize = 8; break;
    case CellStorage::Blob: c.type = type::LongVarBinary; break;
    default: c.type = type::VarChar; break;
    }
}

QVariant RowSet::stored(std::size_t row, int column) const
{
    const Cell& c = cell(row, column);
    switch (c.storage) {
    case Storage::Null: return lang::null();
    case Storage::Integer: return QVariant(static_cast<qlonglong>(c.payload));
    case Storage::Real: {
        double d;
        std::memcpy(&d, &c.payload, sizeof d);
        return QVariant(d);
    }
    case Storage::Text: return QString::fromUtf8(reinterpret_cast<const char*>(c.payload), c.length);
    case Storage::Blob: return QByteArray(reinterpret_cast<const char*>(c.payload), c.length);
    }
    return {};
}

QVariant RowSet::value(std::size_t row, int column) const
{
    const Cell& c = cell(row, column);
    return m_reader.read(column, columns[static_cast<std::size_t>(column)].type, c.storage, c.payload, c.length);
}

QString RowSet::text(std::size_t row, int column) const
{
    const Cell& c = cell(row, column);
    return m_reader.text(column, columns[static_cast<std::size_t>(column)].type, c.storage, c.payload, c.length);
}

void RowSet::typeUndeclaredColumns(const std::vector<bool>& undeclared)
{
    for (int col = 0; col < columnCount(); ++col) {
        if (!undeclared[static_cast<std::size_t>(col)])
            continue;
        Column& c = columns[static_cast<std::size_t>(col)];
        c.type = type::VarChar;
        for (std::size_t row = 0; row < rowCount(); ++row) {
            const Cell& k = cell(row, col);
            if (k.storage != Storage::Null) {
                CellReader::typeFromValue(c, k.storage, k.payload);
                break;
            }
        }
    }
}

QVariant RowSet::storedForm(const QVariant& value, int t)
{
    if (!value.isValid() || lang::isNull(value))
        return lang::null();
    const int vt = value.typeId();
    const bool isDateValue = vt == QMetaType::QDateTime || vt == QMetaType::QDate;
    auto dateOf = [&]() -> QDateTime {
        return vt == QMetaType::QDate ? QDateTime(value.toDate(), QTime(0, 0)) : value.toDateTime();
    };
    if (isDateType(t)) {
        if (isDateValue)
            return dateTimeText(dateOf());
        if (vt == QMetaType::QString)
            if (const auto when = parseDateTime(value.toString()))
                return dateTimeText(*when);
        mismatch(value);
    }
    if (t == type::Boolean) {
        if (vt == QMetaType::Bool || isNumberVariant(value))
            return QVariant(qlonglong(lang::number(value) != 0 ? 1 : 0));
        if (const auto b = booleanFromText(value.toString()))
            return QVariant(qlonglong(*b ? 1 : 0));
        mismatch(value);
    }
    if (isIntegerType(t) || isNumericType(t)) {
        double d = 0;
        if (vt == QMetaType::Bool || isNumberVariant(value)) {
            d = lang::number(value);
        } else if (vt == QMetaType::QString) {
            const auto n = numberFromText(value.toString());
            if (!n)
                mismatch(value);
            d = *n;
        } else {
            mismatch(value);
        }
        if (isIntegerType(t))
            return QVariant(static_cast<qlonglong>(lang::roundHalfEven(d)));
        return QVariant(d);
    }
    if (isBinaryType(t))
        return vt == QMetaType::QByteArray ? value : QVariant(value.toString().toUtf8());
    if (isTextType(t))
        return lang::text(value);
    if (isDateValue)
        return dateTimeText(dateOf());
    if (vt == QMetaType::Bool)
        return QVariant(qlonglong(value.toBool() ? 1 : 0));
    if (isNumberVariant(value) || vt == QMetaType::QByteArray)
        return value;
    return lang::text(value);
}

DeclaredType typeFromDeclaration(const QString& declared)
{
    QString decl = declared.trimmed().toUpper();
    int size = 0;
    const qsizetype paren = decl.indexOf(u'(');
    if (paren >= 0) {
        const QString inside = decl.mid(paren + 1).section(u')', 0, 0);
        size = inside.section(u',', 0, 0).trimmed().toInt();
        if (inside.trimmed() == u"MAX")
            size = std::numeric_limits<int>::max();
        decl = decl.left(paren).trimmed();
    }
    static const QHash<QString, DeclaredType> known = {
        {QStringLiteral("VARCHAR"), {type::VarChar, 0}},        {QStringLiteral("NVARCHAR"), {type::VarWChar, 0}},
        {QStringLiteral("CHAR"), {type::Char, 0}},              {QStringLiteral("NCHAR"), {type::WChar, 0}},
        {QStringLiteral("TEXT"), {type::LongVarChar, 2147483647}}, {QStringLiteral("NTEXT"), {type::LongVarWChar, 1073741823}},
        {QStringLiteral("CLOB"), {type::LongVarChar, 2147483647}}, {QStringLiteral("INT"), {type::Integer, 4}},
        {QStringLiteral("INTEGER"), {type::Integer, 4}},        {QStringLiteral("MEDIUMINT"), {type::Integer, 4}},
        {QStringLiteral("SMALLINT"), {type::SmallInt, 2}},      {QStringLiteral("TINYINT"), {type::UnsignedTinyInt, 1}},
        {QStringLiteral("BIGINT"), {type::BigInt, 8}},          {QStringLiteral("BIT"), {type::Boolean, 2}},
        {QStringLiteral("BOOLEAN"), {type::Boolean, 2}},        {QStringLiteral("DECIMAL"), {type::Numeric, 19}},
        {QStringLiteral("NUMERIC"), {type::Numeric, 19}},       {QStringLiteral("FLOAT"), {type::Double, 8}},
        {QStringLiteral("DOUBLE"), {type::Double, 8}},          {QStringLiteral("DOUBLE PRECISION"), {type::Double, 8}},
        {QStringLiteral("REAL"), {type::Single, 4}},            {QStringLiteral("MONEY"), {type::Currency, 8}},
        {QStringLiteral("SMALLMONEY"), {type::Currency, 8}},    {QStringLiteral("DATETIME"), {type::DBTimeStamp, 16}},
        {QStringLiteral("SMALLDATETIME"), {type::DBTimeStamp, 16}}, {QStringLiteral("DATETIME2"), {type::DBTimeStamp, 16}},
        {QStringLiteral("TIMESTAMP"), {type::DBTimeStamp, 16}}, {QStringLiteral("DATE"), {type::DBDate, 6}},
        {QStringLiteral("TIME"), {type::DBTime, 6}},            {QStringLiteral("BINARY"), {type::Binary, 0}},
        {QStringLiteral("VARBINARY"), {type::VarBinary, 0}},    {QStringLiteral("BLOB"), {type::LongVarBinary, 2147483647}},
        {QStringLiteral("IMAGE"), {type::LongVarBinary, 2147483647}}, {QStringLiteral("UNIQUEIDENTIFIER"), {type::GUID, 16}},
    };
    auto it = known.constFind(decl);
    if (it != known.constEnd())
        return {it->type, size > 0 ? size : it->size};
    // SQLite's affinity rules for any other name.
    if (decl.contains(u"INT"))
        return {type::Integer, 4};
    if (decl.contains(u"CHAR") || decl.contains(u"CLOB") || decl.contains(u"TEXT"))
        return {type::VarChar, size};
    if (decl.contains(u"BLOB"))
        return {type::LongVarBinary, 2147483647};
    if (decl.contains(u"REAL") || decl.contains(u"FLOA") || decl.contains(u"DOUB"))
        return {type::Double, 8};
    return {type::Numeric, 19};
}

int typeFromOdbc(int sqlType, const QString& typeName)
{
    const QString name = typeName.trimmed().toLower();
    if (name == u"money" || name == u"smallmoney")
        return type::Currency;
    switch (sqlType) {
    case SQL_CHAR: return type::Char;
    case SQL_VARCHAR: return type::VarChar;
    case SQL_LONGVARCHAR: return type::LongVarChar;
    case SQL_WCHAR: return type::WChar;
    case SQL_WVARCHAR: return type::VarWChar;
    case SQL_WLONGVARCHAR: return type::LongVarWChar;
    case SQL_DECIMAL:
    case SQL_NUMERIC: return type::Numeric;
    case SQL_SMALLINT: return type::SmallInt;
    case SQL_INTEGER: return type::Integer;
    case SQL_REAL: return type::Single;
    case SQL_FLOAT:
    case SQL_DOUBLE: return type::Double;
    case SQL_BIT: return type::Boolean;
    case SQL_TINYINT: return type::UnsignedTinyInt;
    case SQL_BIGINT: return type::BigInt;
    case SQL_BINARY: return type::Binary;
    case SQL_VARBINARY: return type::VarBinary;
    case SQL_LONGVARBINARY: return type::LongVarBinary;
    case SQL_TYPE_DATE:
    case SQL_DATE: return type::DBDate;
    case SQL_TYPE_TIME:
    case SQL_TIME: return type::DBTime;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP: return type::DBTimeStamp;
    case SQL_GUID: return type::GUID;
    default: return type::VarChar;
    }
}

}  // namespace db
