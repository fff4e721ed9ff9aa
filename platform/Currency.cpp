#include "Currency.h"

#include "RuntimeError.h"
#include "Value.h"

#include <cmath>

Currency Currency::fromDouble(double value)
{
    return fromRounded(lang::roundHalfEven(value, 4));
}

Currency Currency::fromDoubleAwayFromZero(double value)
{
    return fromRounded(lang::roundHalfAwayFromZero(value, 4));
}

Currency Currency::fromRounded(double value)
{
    const double scaled = value * Scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) > 9.2e18)
        throw RuntimeError::overflow();
    return fromRaw(static_cast<std::int64_t>(std::llround(scaled)));
}

Currency Currency::fromText(QStringView text)
{
    return fromDouble(lang::amountNumber(text));
}

Currency Currency::fromVariant(const QVariant& value)
{
    if (lang::isEmpty(value) || lang::isNull(value))
        return {};
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return fromText(value.toString());
    case QMetaType::Bool:
        return fromRaw(value.toBool() ? -Scale : 0);
    default:
        return fromDouble(lang::number(value));
    }
}

QString Currency::toString() const
{
    // Written backwards into a buffer of its own: the position dialog writes
    // two amounts for every candidate row.
    char buffer[24];
    char* const end = buffer + sizeof buffer;
    char* p = end;
    const bool negative = m_raw < 0;
    const std::uint64_t abs = negative ? static_cast<std::uint64_t>(-(m_raw + 1)) + 1 : static_cast<std::uint64_t>(m_raw);
    std::uint64_t whole = abs / Scale;
    std::uint64_t frac = abs % Scale;
    if (frac != 0) {
        int digits = 4;
        for (; frac % 10 == 0; frac /= 10)
            --digits;
        for (; digits > 0; --digits, frac /= 10)
            *--p = static_cast<char>('0' + frac % 10);
        *--p = '.';
    }
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (negative)
        *--p = '-';
    return QString::fromLatin1(p, end - p);
}
