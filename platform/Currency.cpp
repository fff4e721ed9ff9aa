#include "Currency.h"

#include "RuntimeError.h"
#include "Value.h"

#include <cmath>

Currency Currency::fromDouble(double value)
{
    const double scaled = lang::roundHalfEven(value, 4) * Scale;
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
    const bool negative = m_raw < 0;
    const std::uint64_t abs = negative ? static_cast<std::uint64_t>(-(m_raw + 1)) + 1 : static_cast<std::uint64_t>(m_raw);
    QString s = QString::number(abs / Scale);
    std::uint64_t frac = abs % Scale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, u'0');
        while (f.endsWith(u'0'))
            f.chop(1);
        s += u'.' + f;
    }
    return negative ? u'-' + s : s;
}
