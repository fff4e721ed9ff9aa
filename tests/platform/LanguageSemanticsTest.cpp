#include "platform/Currency.h"
#include "platform/KeyedCollection.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"

#include <gtest/gtest.h>

TEST(LeadingNumber, ReadsTheNumberATextBeginsWith)
{
    struct Case {
        const char* text;
        double expected;
    } cases[] = {
        {"12", 12},       {"  7abc", 7},   {"-3.5", -3.5},  {"+4", 4},      {"abc", 0},
        {"", 0},          {" ", 0},        {".5", 0.5},     {"1.2.3", 1.2}, {"1e3", 1000},
        {"1e", 1},        {"2E-2x", 0.02}, {"- 3", 0},      {"0012", 12},   {"\t9", 9},
        {"1,5", 1},       {"3 4", 3},      {"-40", -40},    {"123456789012345", 123456789012345},
        {"1234567890123456789", 1234567890123456789.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(lang::leadingNumber(QString::fromUtf8(c.text)), c.expected) << "text: \"" << c.text << "\"";
}

TEST(IsNumber, TakesOnePlainDecimalNumberWithEitherDecimalSign)
{
    struct Case {
        const char* text;
        bool expected;
    } cases[] = {
        {"12", true},   {" 7 ", true},  {"-3.5", true},  {"2,5", true},  {"+4", true},   {".5", true},
        {"5.", true},   {"", false},    {" ", false},    {"abc", false}, {"1a", false},  {"1.2.3", false},
        {"1,2.3", false}, {"1e3", false}, {"- 3", false}, {".", false},  {"-", false},   {"3 4", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lang::isNumber(QString::fromUtf8(c.text)), c.expected) << "text: \"" << c.text << "\"";
}

TEST(Int16Conversion, RoundsHalvesToEvenAndFailsOutsideTheRange)
{
    struct Case {
        double in;
        int out;
    } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.49, 0}, {32767, 32767}, {-32768, -32768}, {32767.4, 32767}};
    for (const auto& c : cases)
        EXPECT_EQ(lang::toInt16(c.in), c.out) << c.in;
    for (double bad : {32767.5, 32768.0, -32768.6, 1e9}) {
        try {
            lang::toInt16(bad);
            ADD_FAILURE() << "no overflow for " << bad;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.number(), errnum::Overflow);
        }
    }
}

TEST(RoundHalfEven, TakesOnlyATrueHalfToTheEvenNeighbour)
{
    struct Case {
        double value;
        int decimals;
        double expected;
    } cases[] = {
        {2.5, 0, 2},          {3.5, 0, 4},          {-2.5, 0, -2},        {-3.5, 0, -4},
        {0.49, 0, 0},         {-0.51, 0, -1},       {2.675, 2, 2.68},     {2.665, 2, 2.66},
        {-2.675, 2, -2.68},   {1.005, 2, 1},        {1.23456789, 6, 1.234568},
        {500000001.3, 0, 500000001},                {-500000001.3, 0, -500000001},
        {1234567.0001, 4, 1234567.0001},            {1234567.00015, 4, 1234567.0002},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(lang::roundHalfEven(c.value, c.decimals), c.expected) << c.value << " to " << c.decimals;
}

TEST(NumberText, WritesAPointWhateverTheLocale)
{
    EXPECT_EQ(lang::numberText(12.5), "12.5");
    EXPECT_EQ(lang::numberText(3), "3");
    EXPECT_EQ(lang::numberText(-0.25), "-0.25");
    EXPECT_EQ(lang::numberText(0.1 + 0.2), "0.3");
    EXPECT_EQ(lang::numberText(1234567.125), "1234567.125");
    EXPECT_EQ(lang::numberText(0.0001), "0.0001");
    EXPECT_EQ(lang::numberText(99999999999999.99), "100000000000000");
    EXPECT_EQ(lang::numberText(-12345678901.2345), "-12345678901.2345");
    EXPECT_EQ(lang::numberText(87342271726174.25), "87342271726174.3") << "a half at the sixteenth digit goes up";
    EXPECT_EQ(lang::numberText(-157956577804.8125), "-157956577804.813");
    EXPECT_EQ(lang::numberText(0), "0");
    struct Whole {
        double value;
        const char* text;
    } wholes[] = {{-40, "-40"}, {1, "1"}, {123456789012, "123456789012"}, {999999999999999, "999999999999999"},
                   {-999999999999999, "-999999999999999"}, {1e15, "1e+15"}, {9007199254740992, "9.00719925474099e+15"}};
    for (const auto& w : wholes)
        EXPECT_EQ(lang::numberText(w.value), w.text) << w.text;
}

TEST(ProperCase, CapitalisesTheFirstLetterOfEachWord)
{
    struct Caso {
        const char* text;
        const char* proper;
    } casos[] = {{"TORNILLO hexagonal", "Tornillo Hexagonal"}, {"  yerba  MATE ", "  Yerba  Mate "},
                 {"caño 1/2\"", "Caño 1/2\""}, {"o'neil-SA", "O'neil-sa"}, {"", ""}};
    for (const auto& c : casos)
        EXPECT_EQ(lang::properCase(QString::fromUtf8(c.text)), QString::fromUtf8(c.proper)) << c.text;
}

TEST(NullAndEmpty, AreKeptApart)
{
    EXPECT_TRUE(lang::isNull(lang::null()));
    EXPECT_FALSE(lang::isEmpty(lang::null()));
    EXPECT_TRUE(lang::isEmpty(QVariant()));
    EXPECT_FALSE(lang::isNull(QVariant(QString())));
    EXPECT_FALSE(lang::isEmpty(QVariant(QString())));
    EXPECT_EQ(lang::text(lang::null()), "");
    EXPECT_EQ(lang::number(lang::null()), 0);
}

TEST(CurrencyAmount, KeepsFourDecimalsExactly)
{
    const Currency sum = Currency::fromText(u"0.1") + Currency::fromText(u"0,2") - Currency::fromDouble(0.3);
    EXPECT_TRUE(sum.isZero());
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {
        {"12.5", "12.5"},   {"12,5", "12.5"},    {"1.234,56", "1234.56"}, {"1,234.56", "1234.56"},
        {"", "0"},          {"abc", "0"},        {"  -3", "-3"},          {"0.00005", "0"},
        {"0.00015", "0.0002"}, {"2.00025", "2.0002"}, {"7abc", "7"},
        {"100.05", "100.05"}, {"-0.005", "-0.005"}, {"0.0501", "0.0501"}, {"-10", "-10"},
        {"-0.00015", "-0.0002"}, {"-0.00025", "-0.0002"}, {"-2.00025", "-2.0002"},
        // Large amounts keep their fourth decimal; only a true half goes to
        // the even neighbour.
        {"123456.7891", "123456.7891"}, {"100000.0001", "100000.0001"}, {"-50001.0003", "-50001.0003"},
        {"123456.78915", "123456.7892"}, {"123456.78925", "123456.7892"}, {"987654321.0001", "987654321.0001"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::fromText(QString::fromUtf8(c.text)).toString(), QString::fromUtf8(c.expected))
            << "text: \"" << c.text << "\"";
    EXPECT_EQ(Currency::fromVariant(lang::null()).toString(), "0");
    EXPECT_EQ(Currency::fromRaw(INT64_MIN).toString(), "-922337203685477.5808");
    EXPECT_EQ(Currency::fromRaw(INT64_MAX).toString(), "922337203685477.5807");
    EXPECT_LT(Currency::fromText(u"9"), Currency::fromText(u"10"));
}

// The expected texts are what SQLite's ROUND(value, 4) gives.
TEST(CurrencyAmount, AwayFromZeroRoundsHalvesAsTheDatabaseDoes)
{
    struct Case {
        double value;
        const char* expected;
    } cases[] = {
        {0.00025, "0.0003"}, {0.00015, "0.0002"}, {2.00005, "2.0001"}, {-0.00025, "-0.0003"},
        {6.66665, "6.6667"}, {20.0 / 3, "6.6667"}, {5.00004, "5"},      {-2.00004, "-2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::fromDoubleAwayFromZero(c.value).toString(), QString::fromLatin1(c.expected))
            << "value: " << c.value;
    EXPECT_EQ(Currency::fromDouble(0.00025).toString(), "0.0002") << "amounts keep halves to even";
}

TEST(KeyedCollectionTest, AddressesByPositionAndCaseInsensitiveKey)
{
    KeyedCollection c;
    c.Add(QStringLiteral("uno"), QStringLiteral("A"));
    c.Add(2);
    c.Add(QStringLiteral("tres"), QStringLiteral("Clave"));
    EXPECT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Item(1).toString(), "uno");
    EXPECT_EQ(c.Item(QStringLiteral("a")).toString(), "uno");
    EXPECT_EQ(c.Item(QStringLiteral("CLAVE")).toString(), "tres");
    EXPECT_EQ(c.Item(2).toInt(), 2);

    EXPECT_THROW(c.Add(4, QStringLiteral("clave")), RuntimeError);
    EXPECT_THROW(c.Item(0), RuntimeError);
    EXPECT_THROW(c.Item(4), RuntimeError);
    EXPECT_THROW(c.Item(QStringLiteral("nada")), RuntimeError);

    c.Remove(QStringLiteral("a"));
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Item(1).toInt(), 2);
    c.AddBefore(QStringLiteral("cero"), 1, QStringLiteral("z"));
    EXPECT_EQ(c.Item(1).toString(), "cero");
    EXPECT_EQ(c.KeyAt(1), "z");
}
