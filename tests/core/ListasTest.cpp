#include "core/Listas.h"
#include "platform/Host.h"
#include "tests/support/HostDePrueba.h"
#include "platform/RuntimeError.h"

#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include "tests/support/ErrorNumber.h"

namespace {
using Lista = std::vector<QString>;

}  // namespace

TEST(SeparaCadenaTest, SplitsIntoItemsAndOneTrailingEmptyElement)
{
    struct Case {
        const char* texto;
        const char* separador;
        Lista esperado;
    };
    const Case cases[] = {
        {"10|20|", "|", {"10", "20", ""}},
        {"a|b", "|", {"a", "b", ""}},
        {"|a|", "|", {"", "a", ""}},
        {"a||b|", "|", {"a", "", "b", ""}},
        {"", "|", {""}},
        {" a | b |", "|", {" a ", " b ", ""}},
        {"1xA2Xb3", "x", {"1", "A2", "b3", ""}},
        {"S,M,L", ",", {"S", "M", "L", ""}},
        {"abc", "", {"a", "b", "c", ""}},
        {"uno--dos--", "--", {"uno", "dos", ""}},
    };
    for (const Case& c : cases) {
        QString texto = QString::fromUtf8(c.texto);
        Lista arreglo{"viejo", "contenido"};
        SeparaCadena(texto, QString::fromUtf8(c.separador), arreglo);
        EXPECT_EQ(arreglo, c.esperado) << c.texto << " / " << c.separador;
        EXPECT_TRUE(texto.isEmpty()) << c.texto;
    }
}

TEST(ArmaInsertTest, AppendsNamesAndLiteralsAndEmptiesOnRequest)
{
    std::vector<ParCampoValor> pares{{"A", "1"}, {"B", "'x'"}};
    QString sql = "INSERT INTO T ";
    ArmaInsert(sql, pares, false);
    EXPECT_EQ(sql, "INSERT INTO T (A,B) VALUES (1,'x')");
    EXPECT_EQ(pares.size(), 2u);

    QString una = "INSERT INTO U ";
    std::vector<ParCampoValor> uno{{"C", "NULL"}};
    ArmaInsert(una, uno, true);
    EXPECT_EQ(una, "INSERT INTO U (C) VALUES (NULL)");
    EXPECT_TRUE(uno.empty());

    QString intacta = "INSERT INTO V ";
    EXPECT_EQ(errorNumberOf([&] { ArmaInsert(intacta, uno, true); }), errnum::SubscriptOutOfRange);
    EXPECT_EQ(intacta, "INSERT INTO V ");
}

TEST(ArmaCondicionTest, BuildsTheOrConditionOfThePositionDialog)
{
    const QString c = "MA_POSICIONES.IDPOSICION ";
    EXPECT_EQ(ArmaCondicion(c, "=", {"P1"}, " OR ", "'", false), "MA_POSICIONES.IDPOSICION ='P1'");
    // The proposal list keeps its trailing empty element, which matches no position.
    EXPECT_EQ(ArmaCondicion(c, "=", {"P1", "P2", ""}, " OR ", "'", false),
              "MA_POSICIONES.IDPOSICION ='P1' OR MA_POSICIONES.IDPOSICION ='P2' OR MA_POSICIONES.IDPOSICION =''");
    EXPECT_EQ(ArmaCondicion(c, "=", {""}, " OR ", "'", false), "MA_POSICIONES.IDPOSICION =''");
    EXPECT_EQ(ArmaCondicion("X", "<>", {"1"}, " AND ", "", true), "X<>1 AND X is null ");
    EXPECT_EQ(ArmaCondicion(c, "=", {}, " OR ", "'", true), "1=1");
}

TEST(BuscaEnArrayTest, FindsWithoutRegardToCaseFromTheStartIndex)
{
    const Lista a{"P01", "p02", " P03", ""};
    struct Case {
        const char* valor;
        int desde;
        int esperado;
    };
    const Case cases[] = {
        {"P02", 0, 1}, {"p01", 0, 0}, {"P01", 1, -1}, {"P03", 0, -1}, {" p03", 2, 2},
        {"", 0, 3}, {"P01", 4, -1}, {"P01", 100, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BuscaEnArray(a, c.valor, c.desde), c.esperado) << c.valor << " from " << c.desde;
    EXPECT_EQ(errorNumberOf([&] { BuscaEnArray(a, "P01", -1); }), errnum::SubscriptOutOfRange);
    EXPECT_EQ(errorNumberOf([] { BuscaEnArray({}, "P01", 0); }), errnum::SubscriptOutOfRange);
}

TEST(BuscaIndiceListaTest, ComparesCleanedTrimmedKeys)
{
    const std::vector<ParCampoValor> guardado = ArrTotalizador;
    ArrTotalizador = {{"ART1", "3"}, {QString("  art2") + QChar(0) + QChar(255) + " ", "4"}, {"ART3", "5"}};
    EXPECT_EQ(BuscaIndiceLista("ART1"), 0);
    EXPECT_EQ(BuscaIndiceLista(" Art2 "), 1);
    EXPECT_EQ(BuscaIndiceLista("ART9"), -1);
    ArrTotalizador.clear();
    EXPECT_EQ(errorNumberOf([] { BuscaIndiceLista("ART1"); }), errnum::SubscriptOutOfRange);
    ArrTotalizador = guardado;
}

TEST(LimpiaCadenaTest, DropsNulsLineFeedsAndChr255ThenTrims)
{
    EXPECT_EQ(LimpiaCadena(QString(" a") + QChar(0) + "b\n" + QChar(255) + "c "), "abc");
    EXPECT_EQ(LimpiaCadena(QVariant()), "");
    EXPECT_EQ(LimpiaCadena(12.5), "12.5");
}

TEST(ExtraeTallesTest, GivesThreeParallelArraysForEveryInput)
{
    struct Case {
        const char* lista;
        const char* separador;
        Lista talles, colores, sexos;
    };
    const Case cases[] = {
        {"|S-ROJO-H|M-AZUL-M|", "-", {"S", "M", ""}, {"ROJO", "AZUL", ""}, {"H", "M", ""}},
        {" S-ROJO-H | M-AZUL-M| ", "-", {"S", "M", ""}, {"ROJO", "AZUL", ""}, {"H", "M", ""}},
        // The sex part keeps any further separator.
        {"XL-NEGRO-H-X|", "-", {"XL", ""}, {"NEGRO", ""}, {"H-X", ""}},
        // No "|" at all: nothing is read.
        {"S-ROJO-H", "-", {""}, {""}, {""}},
        {"", "-", {""}, {""}, {""}},
        {"|", "-", {""}, {""}, {""}},
        // Codes lacking separators, an unclosed last code, empty codes.
        {"S|M-AZUL|", "-", {"S", "M", ""}, {"", "AZUL", ""}, {"", "", ""}},
        {"S-ROJO-H|M-AZUL-M", "-", {"S", "M", ""}, {"ROJO", "AZUL", ""}, {"H", "M", ""}},
        {"||", "-", {"", ""}, {"", ""}, {"", ""}},
        {"S-ROJO-H|", "", {"S-ROJO-H", ""}, {"", ""}, {"", ""}},
    };
    for (const Case& c : cases) {
        Lista talles{"x"}, colores{"y", "z"}, sexos;
        ExtraeTalles_colores_sexo(c.lista, c.separador, talles, colores, sexos);
        EXPECT_EQ(talles, c.talles) << c.lista;
        EXPECT_EQ(colores, c.colores) << c.lista;
        EXPECT_EQ(sexos, c.sexos) << c.lista;
    }
}

TEST(ExtraeTallesTest, ReadsLongListsWholly)
{
    QString lista = "|";
    for (int i = 0; i < 7000; ++i)
        lista += QString("T%1-C-S|").arg(i);
    ASSERT_GT(lista.size(), 32767);
    Lista talles, colores, sexos;
    ExtraeTalles_colores_sexo(lista, "-", talles, colores, sexos);
    ASSERT_EQ(talles.size(), 7001u);
    EXPECT_EQ(talles[6999], "T6999");
    EXPECT_EQ(sexos[6999], "S");
}

TEST(EsperaTest, WaitsTheTimeWhileEventsRun)
{
    bool atendido = false;
    QTimer::singleShot(10, [&] { atendido = true; });
    QElapsedTimer reloj;
    reloj.start();
    Espera(100);
    EXPECT_GE(reloj.elapsed(), 100);
    EXPECT_TRUE(atendido);

    reloj.restart();
    Espera(0);
    Espera(-5);
    EXPECT_LT(reloj.elapsed(), 100);
}

TEST(LeeHoraSistemaTest, FillsTheRecordInUtc)
{
    FixedHost h;
    h.clock = QDateTime(QDate(2024, 3, 3), QTime(23, 59, 58, 750), Qt::OffsetFromUTC, -3 * 3600);
    SystemTime t;
    {
        HostEnUso enUso(h);
        LeeHoraSistema(t);
    }
    EXPECT_EQ(t.year, 2024);
    EXPECT_EQ(t.month, 3);
    EXPECT_EQ(t.day, 4);
    EXPECT_EQ(t.dayOfWeek, 1);  // Monday
    EXPECT_EQ(t.hour, 2);
    EXPECT_EQ(t.minute, 59);
    EXPECT_EQ(t.second, 58);
    EXPECT_EQ(t.milliseconds, 750);
}
