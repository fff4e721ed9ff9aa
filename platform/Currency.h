#pragma once

#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>

// Fixed-point amount with four decimals, the type quantities and amounts are
// added up in: sums of typed quantities stay exact (0.1 + 0.2 - 0.3 is 0).
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    // Rounds to four decimals, halves to even; fails with the overflow error
    // outside the representable range.
    static Currency fromDouble(double value);
    // The same, halves away from zero: a measure that must agree with what
    // the database's ROUND makes of the same value.
    static Currency fromDoubleAwayFromZero(double value);
    static constexpr Currency fromRaw(std::int64_t raw) { Currency c; c.m_raw = raw; return c; }
    // The amount a text holds: either "." or "," may be the decimal sign (when
    // both appear, the last one is), blanks before the number are skipped, and
    // a blank or non-numeric text gives 0.
    static Currency fromText(QStringView text);
    static Currency fromVariant(const QVariant& value);

    std::int64_t raw() const { return m_raw; }
    double toDouble() const { return static_cast<double>(m_raw) / Scale; }
    // "12.5", "-3", "0.0001": "." as decimal sign, no trailing zeros.
    QString toString() const;
    bool isZero() const { return m_raw == 0; }

    Currency operator+(Currency o) const { return fromRaw(m_raw + o.m_raw); }
    Currency operator-(Currency o) const { return fromRaw(m_raw - o.m_raw); }
    Currency operator-() const { return fromRaw(-m_raw); }
    Currency& operator+=(Currency o) { m_raw += o.m_raw; return *this; }
    Currency& operator-=(Currency o) { m_raw -= o.m_raw; return *this; }
    auto operator<=>(const Currency&) const = default;

private:
    static Currency fromRounded(double value);

    std::int64_t m_raw = 0;
};
