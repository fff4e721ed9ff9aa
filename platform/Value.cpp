#include "Value.h"

#include "RuntimeError.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

namespace lang {

QVariant null()
{
    return QVariant::fromValue(nullptr);
}

bool isNull(const QVariant& v)
{
    return v.isValid() && v.isNull();
}

bool isEmpty(const QVariant& v)
{
    return !v.isValid();
}

double leadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    const qsizetype wholeStart = i;
    bool digits = false;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
        ++i;
        digits = true;
    }
    const qsizetype wholeEnd = i;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
            ++i;
            digits = true;
        }
    }
    if (!digits)
        return 0.0;
    qsizetype end = i;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (text[j] == u'+' || text[j] == u'-'))
            ++j;
        if (j < n && text[j].isDigit() && text[j].unicode() < 128) {
            while (j < n && text[j].isDigit() && text[j].unicode() < 128)
                ++j;
            end = j;
        }
    }
    // Up to 15 digits and nothing after them: a whole number a double holds
    // exactly, read without the general conversion.
    if (end == wholeEnd && wholeEnd - wholeStart <= 15) {
        qint64 whole = 0;
        for (qsizetype k = wholeStart; k < wholeEnd; ++k)
            whole = whole * 10 + (text[k].unicode() - u'0');
        return text[start] == u'-' ? -static_cast<double>(whole) : static_cast<double>(whole);
    }
    bool ok = false;
    const double v = text.mid(start, end - start).toString().toDouble(&ok);
    return ok ? v : 0.0;
}

double amountNumber(QStringView text)
{
    // The last comma, looked for in place: cells are read by the thousand.
    qsizetype comma = text.size() - 1;
    while (comma >= 0 && text[comma] != u',')
        --comma;
    // No comma: nothing to move, the text reads as it is (most amounts a
    // program writes itself).
    if (comma < 0)
        return leadingNumber(text);
    QString t = text.toString();
    const qsizetype dot = t.lastIndexOf(u'.');
    if (dot >= 0) {
        if (dot > comma)
            t.remove(u',');
        else {
            t.remove(u'.');
            t.replace(u',', u'.');
        }
    } else {
        t.replace(u',', u'.');
    }
    return leadingNumber(t);
}

namespace {

// Rounds to the given decimals, a half as `mitad` says. The half is judged on
// the scaled value so that 2.675 * 100 is not misjudged by its binary
// representation: anything within a hair of .5 counts as a half.
template <class Mitad>
double roundDecimals(double value, int decimals, Mitad mitad)
{
    if (!std::isfinite(value))
        return value;
    // The powers of ten a double holds exactly, without a call to pow for
    // each amount rounded: the same values pow gives for them.
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const double scale = decimals >= 0 && decimals < static_cast<int>(std::size(kPowers))
                           ? kPowers[decimals]
                           : std::pow(10.0, decimals);
    const double scaled = value * scale;
    // The hair is the error of a double's last digits, never a fraction the
    // amount really holds: 123456.7891 keeps its 1.
    const double floorV = std::floor(scaled);
    const double diff = scaled - floorV;
    const double eps = std::min(1e-13 * std::max(1.0, std::fabs(scaled)), 1e-3);
    const double r = std::fabs(diff - 0.5) <= eps ? mitad(floorV) : std::round(scaled);
    return r / scale;
}

}  // namespace

double roundHalfEven(double value, int decimals)
{
    return roundDecimals(value, decimals,
                         [](double floorV) { return std::fmod(floorV, 2.0) == 0.0 ? floorV : floorV + 1.0; });
}

double roundHalfAwayFromZero(double value, int decimals)
{
    return roundDecimals(value, decimals, [](double floorV) { return floorV < 0 ? floorV : floorV + 1.0; });
}

std::int16_t toInt16(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= std::numeric_limits<std::int16_t>::min() && r <= std::numeric_limits<std::int16_t>::max()))
        throw RuntimeError::overflow();
    return static_cast<std::int16_t>(r);
}

std::int32_t toInt32(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= std::numeric_limits<std::int32_t>::min() && r <= std::numeric_limits<std::int32_t>::max()))
        throw RuntimeError::overflow();
    return static_cast<std::int32_t>(r);
}

QString numberText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    // A whole number gives its digits alone: the same text without the long
    // fixed-point formatting and the zeros it would then drop.
    if (std::fabs(value) < 1e15 && value == std::trunc(value))
        return QString::number(static_cast<qint64>(value));
    // Fifteen significant digits without the zeros after them. A number
    // whose shortest exact form has fifteen digits or fewer (a quantity as
    // stored, 1.25) is that form, which is written far faster; between these
    // bounds it needs no exponent.
    if (std::fabs(value) >= 1e-4 && std::fabs(value) < 1e14) {
        char buffer[64];
        const std::to_chars_result written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        int digits = 0;
        for (const char* c = buffer; c < written.ptr; ++c)
            if (*c >= '0' && *c <= '9' && (digits > 0 || *c != '0'))
                ++digits;
        if (written.ec == std::errc() && digits <= 15)
            return QString::fromLatin1(buffer, written.ptr - buffer);
    }
    QString s = QString::number(value, 'f', std::max(0, 14 - static_cast<int>(std::floor(std::log10(std::fabs(value))))));
    if (std::fabs(value) >= 1e15 || std::fabs(value) < 1e-10)
        s = QString::number(value, 'g', 15);
    if (s.contains(u'.') && !s.contains(u'e')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    if (s == QStringLiteral("-0"))
        s = QStringLiteral("0");
    return s;
}

QString text(const QVariant& value)
{
    if (isEmpty(value) || isNull(value))
        return QString();
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return *static_cast<const QString*>(value.constData());
    case QMetaType::Int:
        return QString::number(*static_cast<const int*>(value.constData()));
    case QMetaType::LongLong:
        return QString::number(*static_cast<const qlonglong*>(value.constData()));
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDate:
        return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime: {
        const QDateTime dt = value.toDateTime();
        if (dt.time() == QTime(0, 0))
            return dt.date().toString(QStringLiteral("dd/MM/yyyy"));
        return dt.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"));
    }
    default:
        return value.toString();
    }
}

double number(const QVariant& value)
{
    if (isEmpty(value) || isNull(value))
        return 0.0;
    switch (value.metaType().id()) {
    case QMetaType::Bool:
        return value.toBool() ? -1.0 : 0.0;
    case QMetaType::QString:
        return leadingNumber(value.toString());
    case QMetaType::QByteArray:
        return leadingNumber(QString::fromUtf8(value.toByteArray()));
    default: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        return ok ? d : leadingNumber(value.toString());
    }
    }
}

bool isNumber(QStringView text)
{
    const QStringView t = text.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'+' || t[i] == u'-'))
        ++i;
    bool digits = false;
    bool decimalSign = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if ((c == u'.' || c == u',') && !decimalSign)
            decimalSign = true;
        else
            return false;
    }
    return digits;
}

QStringView trimBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == u' ')
        ++first;
    while (last > first && text.at(last - 1) == u' ')
        --last;
    return text.mid(first, last - first);
}

bool sameText(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString properCase(const QString& text)
{
    QString result = text.toLower();
    bool inicio = true;
    for (QChar& c : result) {
        if (inicio && c.isLetter())
            c = c.toUpper();
        inicio = c.isSpace();
    }
    return result;
}

}  // namespace lang
