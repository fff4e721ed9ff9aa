#include "tests/support/HostDePrueba.h"

#include "core/Formatos.h"
#include "core/Globals.h"

#include "../support/ScriptedPrompts.h"
#include "../support/TestDatabase.h"

#include <gtest/gtest.h>

TEST(FormatosTest, DateAndTimePatterns)
{
    EXPECT_EQ(FormatoFechaHora(), "dd/mm/yy hh:mm");
    EXPECT_EQ(FormatoFecha(), "dd/mm/yy");
    EXPECT_EQ(FormatoHora(), "hh:mm");
    EXPECT_EQ(FormatoFecha() + " " + FormatoHora(), FormatoFechaHora());
}

TEST(FormatosTest, FmtMonedaRoundsHalvesToEvenWithConfiguredOrRegionalDecimals)
{
    struct Caso {
        const char* importe;
        int decimales;
        const char* configurados;
        int regionales;
        char16_t signo;
        const char* esperado;
    };
    const Caso casos[] = {
        {"1234.56", 2, "", 2, u'.', "1234.56"},
        {"1234.56", 2, "", 2, u',', "1234,56"},
        {"1234.56", -2, "", 2, u',', "1235"},
        {"2.5", -2, "", 2, u'.', "2"},
        {"3.5", -2, "", 2, u'.', "4"},
        {"1234,565", 2, "", 2, u'.', "1234.56"},
        {"1234.575", 2, "", 2, u'.', "1234.58"},
        {"12", -1, "3", 2, u'.', "12.000"},
        {"12", -1, "", 2, u'.', "12.00"},
        {"12", -1, "0", 3, u'.', "12.000"},
        {"12", 0, "", 0, u',', "12"},
        {"-1.5", -2, "", 2, u'.', "-2"},
        {"-0.004", 2, "", 2, u'.', "0.00"},
        {"abc", 2, "", 2, u'.', "0.00"},
        {"1.23456", 6, "", 2, u'.', "1.234600"},
        {"99999999.99", 1, "", 2, u'.', "100000000.0"},
    };
    HostDePrueba h;
    for (const Caso& c : casos) {
        CantidadDecimales = c.configurados;
        h.digits = c.regionales;
        h.decimal = QChar(c.signo);
        EXPECT_EQ(FmtMoneda(c.importe, c.decimales), c.esperado) << c.importe << " / " << c.decimales;
    }
    CantidadDecimales.clear();
}

TEST(FormatosTest, FmtMonedaSendsAnImpossibleCountToTheErrorDialog)
{
    HostDePrueba h;
    ScopedPrompts p;
    p.answerError(0, "FmtMoneda");
    EXPECT_EQ(FmtMoneda("12", -3), "");
}

TEST(FormatosTest, HoraAMinutos)
{
    struct Caso {
        const char* hora;
        const char* horas;
        const char* minutos;
        bool sinValidar;
        double esperado;
    };
    const Caso casos[] = {
        {"10:30", "", "", false, 630},
        {"8:05:59", "", "", false, 485},
        {"10/12/2024 08:15", "", "", false, 495},
        {"10/12/2024", "", "", false, 0},
        {"", "2", "", false, 120},
        {"  ", "1", "30", false, 90},
        {"", "", "", false, 0},
        {"", "0", "-5", false, 0},
        {"30:15", "", "", true, 1815},
        {"30:15", "", "", false, 1815},
        {"1.5", "HHHH", "MM", true, 90},
        {"abc", "", "", false, 0},
    };
    for (const Caso& c : casos)
        EXPECT_DOUBLE_EQ(HoraAMinutos(c.hora, c.horas, c.minutos, c.sinValidar), c.esperado) << c.hora;
}

TEST(FormatosTest, MinutosAHoraWithTheConfiguredSeparator)
{
    struct Caso {
        const char* separador;  // nullptr: no key
        double minutos;
        const char* esperado;
        std::int32_t horas, resto;  // -9: left as they were
    };
    const Caso casos[] = {
        {nullptr, 75, "01:15", 1, 15},
        {nullptr, 0, "00:00", 0, 0},
        {nullptr, 6000, "100:00", 100, 0},
        {"  ", 59, "00:59", 0, 59},
        {"h", 125, "02h05", 2, 5},
        {".", 90, "1.50", -9, -9},
        {".", 0, ".00", -9, -9},
        {".", 30, ".50", -9, -9},
    };
    for (const Caso& c : casos) {
        TestDatabase base(c.separador ? QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES "
                                                       "('SeparadorHora', '%1');")
                                            .arg(QLatin1String(c.separador))
                                      : QString());
        std::int32_t horas = -9;
        std::int32_t resto = -9;
        EXPECT_EQ(MinutosAHora(c.minutos, horas, resto), c.esperado) << c.minutos;
        EXPECT_EQ(horas, c.horas) << c.minutos;
        EXPECT_EQ(resto, c.resto) << c.minutos;
    }
}
