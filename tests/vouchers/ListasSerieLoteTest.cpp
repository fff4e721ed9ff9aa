// The lists of lots, series and positions: the reading rules, each operation
// over the same inputs, the stock-row count and the position split.
#include "vouchers/ClsCmnCptes.h"
#include "vouchers/ListasSerieLote.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Lists in the tests write the separator of lot and serial as "~".
QString ff(const char* texto)
{
    return QString::fromUtf8(texto).replace(u'~', SeparadorLoteSerie);
}

QStringList comoLista(const std::vector<QString>& arreglo)
{
    return QStringList(arreglo.begin(), arreglo.end());
}

}  // namespace

TEST(ListasSerieLote, EveryOperationReadsTheSameItems)
{
    struct Caso {
        const char* lista;
        int cantidad;            // Cantidad_Series_Lotes
        QStringList arreglo;     // DescomponeSerieLote, closing empty element included
        const char* distintos;   // StrSerieLote
        const char* primero;     // ExtraeSerieLote 1
        const char* segundo;     // ExtraeSerieLote 2
        int buscaB;              // Busca_Lotes_Series "b"
        const char* marcada;     // InsertaCHR255
        int pares;               // Cuenta_Series_Lotes as the series list, no lots
    } casos[] = {
        {"", 0, {""}, "", "", "", 0, "|", 0},
        {"|", 0, {""}, "", "", "", 0, "|", 0},
        {"   ", 0, {""}, "", "", "", 0, "|   ", 0},
        {"A|B", 1, {"A", ""}, " A", "A", "", 2, "|A~|B", 1},
        {"|a||b|", 3, {"a", "", "b", ""}, " a b", "a", "", 3, "|a~|~|b~|", 2},
        {"| a |b|", 2, {"a", "b", ""}, " a b", " a ", "b", 2, "| a ~|b~|", 2},
        {"|a|B|A| |c|", 5, {"a", "B", "A", "", "c", ""}, " a B c", "a", "B", 2, "|a~|B~|A~| ~|c~|", 3},
        {"||A|", 2, {"", "A", ""}, " A", "", "A", 3, "|~|A~|", 1},
        {"L1|", 1, {"L1", ""}, " L1", "L1", "", 2, "|L1~|", 1},
        {"  |x|y|  ", 2, {"x", "y", ""}, " x y", "x", "y", 3, "|  ~|x~|y~|  ", 2},
        // Blanks are spaces: a tab or a no-break space is part of an item.
        {"|\ta|b|\t", 2, {"\ta", "b", ""}, " \ta b", "\ta", "b", 2, "|\ta~|b~|\t", 2},
        {"|\xc2\xa0|b|", 2, {"\xc2\xa0", "b", ""}, " \xc2\xa0 b", "\xc2\xa0", "b", 2, "|\xc2\xa0~|b~|", 2},
    };
    for (const auto& c : casos) {
        const QString lista = QString::fromUtf8(c.lista);
        std::vector<QString> arreglo{QStringLiteral("viejo")};
        DescomponeSerieLote(lista, arreglo);
        EXPECT_EQ(Cantidad_Series_Lotes(lista), c.cantidad) << c.lista;
        EXPECT_EQ(comoLista(arreglo), c.arreglo) << c.lista;
        EXPECT_EQ(StrSerieLote(lista), QString::fromUtf8(c.distintos)) << c.lista;
        EXPECT_EQ(ExtraeSerieLote(lista, 1), QString::fromUtf8(c.primero)) << c.lista;
        EXPECT_EQ(ExtraeSerieLote(lista, 2), QString::fromUtf8(c.segundo)) << c.lista;
        EXPECT_EQ(ExtraeSerieLote(lista, 0), QString()) << c.lista;
        EXPECT_EQ(ExtraeSerieLote(lista, static_cast<std::int16_t>(c.cantidad + 1)), QString()) << c.lista;
        EXPECT_EQ(Busca_Lotes_Series(lista, QStringLiteral("b")), c.buscaB) << c.lista;
        EXPECT_EQ(InsertaCHR255(lista), ff(c.marcada)) << c.lista;
        EXPECT_EQ(Cuenta_Series_Lotes(lista, QString()), c.pares) << c.lista;
    }
}

TEST(ListasSerieLote, SearchTrimsBothSidesAndIgnoresCase)
{
    struct Caso {
        const char* lista;
        const char* buscado;
        int posicion;
    } casos[] = {
        {"|a|b|", "  B ", 2},
        {"|a|b|", "c", 3},           // not found: one past the last item
        {"|abc", "abc", 0},          // no "|" after the leading one
        {"abc", "abc", 0},
        {"| |x|", "", 1},            // an empty code finds a blank item
        {"|l1|L1|", "L1", 1},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Busca_Lotes_Series(QString::fromUtf8(c.lista), QString::fromUtf8(c.buscado)), c.posicion)
            << c.lista << " / " << c.buscado;
}

TEST(ListasSerieLote, StockRowsCountDistinctSeriesOrElseDistinctLots)
{
    struct Caso {
        const char* caso;
        const char* series;
        const char* lotes;
        int filas;
    } casos[] = {
        {"two series", "|s1|s2|", "|l1|l1|", 2},
        {"lots play no part beside series", "|s1|s1|", "|l1|l2|", 1},
        {"lots alone, compared without case", "", "|l1|L1|l2|", 2},
        {"a series list of blanks leaves out the lots", " ", "|l1|", 0},
        {"two empty lists", "", "", 0},
        {"series compared trimmed and without case", "|S1|s1 | |", "", 1},
        {"outgoing lots with their separator", "|L1~S1|L1~S2|l1~s1|", "", 2},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Cuenta_Series_Lotes(ff(c.series), ff(c.lotes)), c.filas) << c.caso;
}

TEST(ListasSerieLote, PositionsSplitAtTheirFirstStar)
{
    struct Caso {
        const char* caso;
        const char* posiciones;
        const char* lotes;
        QStringList arrPosiciones;
        QStringList arrCantidades;
        QStringList arrLotes;
    } casos[] = {
        {"depot row without position", "|A1*5|*2|", "|L1||", {"A1", "", ""}, {"5", "2", ""}, {"L1", "", ""}},
        {"further stars stay in the quantity; an item without a star is all position", "|P1*2*3|P2|", "",
         {"P1", "P2", ""}, {"2*3", "", ""}, {""}},
        {"no positions still splits the lots", "", "|L1|L2|", {""}, {""}, {"L1", "L2", ""}},
    };
    for (const auto& c : casos) {
        std::vector<QString> pos{QStringLiteral("x")}, cant{QStringLiteral("x")}, lotes{QStringLiteral("x")};
        DescomponePosicionCantidadLote(QString::fromUtf8(c.posiciones), QString::fromUtf8(c.lotes), pos, cant, lotes);
        EXPECT_EQ(comoLista(pos), c.arrPosiciones) << c.caso;
        EXPECT_EQ(comoLista(cant), c.arrCantidades) << c.caso;
        EXPECT_EQ(comoLista(lotes), c.arrLotes) << c.caso;
    }
}

TEST(ListasSerieLote, LotAndSerialJoinAndSplitAtTheSeparator)
{
    EXPECT_EQ(UneLoteSerie(QStringLiteral("L1"), QStringLiteral("S1")), ff("L1~S1"));
    EXPECT_EQ(SeparadorLoteSerie.unicode(), 0x00FF);
    struct Caso {
        const char* item;
        const char* lote;
        const char* serie;
    } casos[] = {
        {"L1~S1", "L1", "S1"}, {"L1", "L1", ""}, {"~S1", "", "S1"}, {"L1~", "L1", ""}, {"L1~S1~X", "L1", "S1~X"},
    };
    for (const auto& c : casos) {
        QString lote, serie;
        SeparaLoteSerie(ff(c.item), lote, serie);
        EXPECT_EQ(lote, ff(c.lote)) << c.item;
        EXPECT_EQ(serie, ff(c.serie)) << c.item;
    }
}

TEST(ListasSerieLote, AListPastTheSixteenBitLimitsIsAnOverflow)
{
    const QString itemLargo = QString(32765, u'x');
    const QString demasiadoLargo = QString(32766, u'x');
    EXPECT_EQ(ExtraeSerieLote(u'|' + itemLargo + u'|', 1), itemLargo) << "the longest item is still read";
    try {
        ExtraeSerieLote(u'|' + demasiadoLargo + u'|', 1);
        ADD_FAILURE() << "an item past the limit was read";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.number(), errnum::Overflow);
    }

    ScopedPrompts prompts;
    prompts.answerError(prompt::ErrorLeave, QStringLiteral("DescomponeSerieLote"));
    std::vector<QString> arreglo;
    DescomponeSerieLote(QStringLiteral("|a|") + demasiadoLargo + u'|', arreglo);
    EXPECT_EQ(comoLista(arreglo), QStringList({"a", ""})) << "leaves with the items read before";

    QString muchos = QStringLiteral("|");
    for (int i = 0; i < 32767; ++i)
        muchos += QStringLiteral("x|");
    EXPECT_EQ(Cantidad_Series_Lotes(muchos), 32767);
    prompts.answerError(prompt::ErrorGoOn, QStringLiteral("Busca_Lotes_Series"));
    EXPECT_EQ(Busca_Lotes_Series(muchos + QStringLiteral("y|"), QStringLiteral("y")), 0);
}

TEST(ListasSerieLote, TheClassOffersTheListsAsMembers)
{
    TestDatabase db;
    const ClsCmnCptes cls;
    std::vector<QString> a, p, q, l;
    cls.DescomponeSerieLote(QStringLiteral("|a|b|"), a);
    cls.DescomponePosicionCantidadLote(QStringLiteral("|A1*5|"), QStringLiteral("|L1|"), p, q, l);
    EXPECT_EQ(comoLista(a), QStringList({"a", "b", ""}));
    EXPECT_EQ(comoLista(q), QStringList({"5", ""}));
    EXPECT_EQ(cls.StrSerieLote(QStringLiteral("|a|A|")), QStringLiteral(" a"));
    EXPECT_EQ(cls.Cuenta_Series_Lotes(QStringLiteral("|s1|s2|"), {}), 2);
    EXPECT_EQ(cls.ExtraeSerieLote(QStringLiteral("|a|b|"), 2), QStringLiteral("b"));
    EXPECT_EQ(cls.Cantidad_Series_Lotes(QStringLiteral("|a||")), 2);
    EXPECT_EQ(cls.InsertaCHR255(QStringLiteral("|L1|")), ff("|L1~|"));
    EXPECT_EQ(cls.Busca_Lotes_Series(QStringLiteral("|a|b|"), QStringLiteral("B")), 2);
}
