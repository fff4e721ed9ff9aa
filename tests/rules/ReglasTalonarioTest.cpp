#include "rules/ReglasTalonario.h"

#include "tests/support/QtPrinting.h"
#include "platform/Value.h"

#include <gtest/gtest.h>

TEST(ReglasTalonario, NumbersCompareAsNumbersWhateverTheirType)
{
    struct Caso {
        const char* caso;
        QVariant ultimo;
        QVariant hasta;
        bool agotado;
    } casos[] = {
        {"text 9 is below text 10", QStringLiteral("9"), QStringLiteral("10"), false},
        {"text 10 reached", QStringLiteral("10"), QStringLiteral("10"), true},
        {"padded texts", QStringLiteral("00000100"), QStringLiteral("99"), true},
        {"numbers", 15, 100, false},
        {"next beyond the end", 101.0, 100, true},
        {"Null next number", lang::null(), 100, false},
        {"Null range end", 15, lang::null(), false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TalonarioAgotado(c.ultimo, c.hasta), c.agotado) << c.caso;

    EXPECT_TRUE(NumeroEnRango(9, QStringLiteral("1"), QStringLiteral("10")));
    EXPECT_FALSE(NumeroEnRango(11, QStringLiteral("1"), QStringLiteral("10")));
    EXPECT_FALSE(NumeroEnRango(5, lang::null(), 10));
    EXPECT_TRUE(RangoEnCero(0, QStringLiteral("0")));
    EXPECT_FALSE(RangoEnCero(lang::null(), 0));
}

TEST(ReglasTalonario, ExpiryComparesDatesAsDates)
{
    struct Caso {
        const char* caso;
        const char* fecha;
        QVariant vence;
        bool vigente;
    } casos[] = {
        {"no date asked", "", QStringLiteral("2020-01-01"), true},
        {"no expiry", "10/12/2024", lang::null(), true},
        {"blank expiry", "10/12/2024", QStringLiteral("  "), true},
        {"same day is not expired", "10/12/2024", QDate(2024, 12, 10), true},
        {"day after expiry", "11/12/2024", QDate(2024, 12, 10), false},
        {"dd/mm texts across a year", "02/01/2025", QStringLiteral("10/12/2024"), false},
        {"dd/mm texts within range", "10/12/2024", QStringLiteral("02/01/2025"), true},
        {"ISO expiry with time", "10/12/2024", QStringLiteral("2024-12-10 00:00:00"), true},
        {"two-digit year", "10/12/24", QStringLiteral("2025-01-31"), true},
        {"not dates: texts without case", "abc", QStringLiteral("ABD"), true},
    };
    for (const auto& c : casos)
        EXPECT_EQ(TalonarioVigente(QString::fromLatin1(c.fecha), c.vence), c.vigente) << c.caso;
}

TEST(ReglasTalonario, NextNumberAfterTheHighestStored)
{
    struct Caso {
        const char* caso;
        QVariant ultimo;
        const char* siguiente;
    } casos[] = {
        {"nothing stored", lang::null(), "00000001"},
        {"an eight-digit number", QStringLiteral("00000030"), "00000031"},
        {"a voucher identifier", QStringLiteral("000100000020X"), "00000021"},
        {"an identifier of a high number", QStringLiteral("000212345678A"), "12345679"},
        {"a plain number", 41, "00000042"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(NumeroSiguiente(c.ultimo), QString::fromLatin1(c.siguiente)) << c.caso;
}
