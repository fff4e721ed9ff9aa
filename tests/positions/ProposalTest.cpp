// The order in which positions are proposed for an article, over a source
// that answers each search with the rows a database would return.
#include "positions/PXQ_RTDravelo.h"

#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"

#include <QMap>
#include <gtest/gtest.h>

using PXQ_RTDravelo::FuenteProposicion;
using Reserva = FuenteProposicion::Reserva;

namespace {

QString nombre(Reserva r)
{
    switch (r) {
    case Reserva::Articulo: return QStringLiteral("articulo");
    case Reserva::Familia: return QStringLiteral("familia");
    case Reserva::Tipo: return QStringLiteral("tipo");
    case Reserva::Rubro: return QStringLiteral("rubro");
    }
    return {};
}

class FuenteFija : public FuenteProposicion {
public:
    std::optional<Articulo> articulo = Articulo{"ART1", "010203", "T1", "R1"};
    QMap<QString, QStringList> filas;      // "familia=0102" -> rows
    QStringList sinReserva;
    QMap<QString, QString> padres{{"010203", "0102"}, {"0102", "01"}};
    QStringList busquedas;                 // every search, in order
    QString fallaEn;                       // a search that fails once
    bool nivelesCargados = false;

    std::optional<Articulo> LeeArticulo(const QString& id) override
    {
        busquedas << QStringLiteral("articulo:") + id;
        return articulo;
    }
    QStringList PosicionesReservadas(Reserva r, const QString& valor, const QString& deposito) override
    {
        const QString clave = nombre(r) + u'=' + valor;
        busquedas << clave + QStringLiteral("@") + deposito;
        if (clave == fallaEn) {
            fallaEn.clear();
            throw RuntimeError(errnum::ProviderFailure, QStringLiteral("sin conexion"));
        }
        return filas.value(clave);
    }
    QStringList PosicionesSinReserva(const QString& deposito) override
    {
        busquedas << QStringLiteral("libres@") + deposito;
        return sinReserva;
    }
    void CargaNivelesFamilia() override { nivelesCargados = true; }
    QString FamiliaPadre(const QString& familia) override
    {
        EXPECT_TRUE(nivelesCargados) << "levels read before they were loaded";
        return padres.value(familia);
    }
};

QStringList propone(FuenteFija& f, const QString& excluida = {}, const QString& articulo = QStringLiteral(" ART1 "))
{
    QStringList lista{"basura"};
    PXQ_RTDravelo::ProponePosiciones(f, articulo, QStringLiteral("1"), lista, excluida);
    return lista;
}

}  // namespace

TEST(PositionProposal, OrderTable)
{
    struct Caso {
        const char* nombre;
        QMap<QString, QStringList> filas;
        QStringList sinReserva;
        QString excluida;
        QStringList esperada;
    } casos[] = {
        {"precedence: article, family, ancestors nearest first, type, rubro",
         {{"articulo=ART1", {"P9"}}, {"familia=010203", {"P8"}}, {"familia=0102", {"P7"}}, {"familia=01", {"P6"}},
          {"tipo=T1", {"P5"}}, {"rubro=R1", {"P4"}}},
         {"U1"}, {}, {"P9", "P8", "P7", "P6", "P5", "P4", ""}},
        {"within one search the statement's order stands",
         {{"familia=010203", {"B", "A", "C"}}}, {}, {}, {"B", "A", "C", ""}},
        {"a position matched by several criteria keeps the place of the first",
         {{"articulo=ART1", {"P3"}}, {"familia=010203", {"P1", "P3"}}, {"tipo=T1", {"p3", "P1"}}},
         {}, {}, {"P3", "P1", ""}},
        {"letters outside ASCII are matched without regard to case too",
         {{"familia=010203", {"ÑA", "k1"}}, {"tipo=T1", {"ña", "\u212A1", "K1"}}}, {}, {}, {"ÑA", "k1", ""}},
        {"balance rows repeat a position: listed once",
         {{"familia=010203", {"P1", "P1", "P1", "P2"}}}, {}, {}, {"P1", "P2", ""}},
        {"no reserved position: the unreserved ones come",
         {}, {"U2", "U1", "U2"}, {}, {"U2", "U1", ""}},
        {"reserved found: unreserved never come, however full",
         {{"rubro=R1", {"R"}}}, {"U1"}, {}, {"R", ""}},
        {"only the excluded matched: the flag stays clear, the excluded never listed",
         {{"articulo=ART1", {"X1"}}}, {"x1", "U1"}, "X1", {"U1", ""}},
        {"the excluded repeated by its balance rows: still never listed, the flag still clear",
         {{"articulo=ART1", {"X1", "X1"}}, {"tipo=T1", {"x1", "X1"}}}, {"U1"}, "X1", {"U1", ""}},
        {"nothing anywhere", {}, {}, {}, {""}},
        {"codes are kept as read, blanks and all",
         {{"familia=010203", {"A1 ", "A1"}}}, {}, {}, {"A1 ", "A1", ""}},
    };
    for (const auto& c : casos) {
        FuenteFija f;
        f.filas = c.filas;
        f.sinReserva = c.sinReserva;
        EXPECT_EQ(propone(f, c.excluida), c.esperada) << c.nombre;
    }
}

TEST(PositionProposal, SearchesEveryCriterionWithTheArticlesTrimmedAttributes)
{
    FuenteFija f;
    f.articulo = FuenteProposicion::Articulo{"ART1", " 010203 ", " T1", "R1 "};
    propone(f);
    EXPECT_EQ(f.busquedas, QStringList({"articulo:ART1", "articulo=ART1@1", "familia=010203@1", "familia=0102@1",
                                        "familia=01@1", "tipo=T1@1", "rubro=R1@1", "libres@1"}));
}

TEST(PositionProposal, EmptyAttributesAreSearchedAsEmpty)
{
    FuenteFija f;
    f.articulo = FuenteProposicion::Articulo{"ART1", "", "", ""};
    f.filas = {{"familia=", {"F0"}}};
    EXPECT_EQ(propone(f), QStringList({"F0", ""}));
    EXPECT_EQ(f.busquedas, QStringList({"articulo:ART1", "articulo=ART1@1", "familia=@1", "tipo=@1", "rubro=@1"}));
}

TEST(PositionProposal, MissingArticleProposesNothingAndSearchesNothing)
{
    FuenteFija f;
    f.articulo.reset();
    f.sinReserva = {"U1"};
    EXPECT_EQ(propone(f), QStringList({""}));
    EXPECT_EQ(f.busquedas, QStringList({"articulo:ART1"}));
}

TEST(PositionProposal, AFailingSearchFollowsTheErrorDialogsAnswer)
{
    struct Caso {
        int respuesta;
        QStringList esperada;
    } casos[] = {
        {prompt::ErrorRetry, {"A", "F", "T", ""}},  // the family search runs again
        {prompt::ErrorGoOn, {"A", "T", ""}},        // the family search is skipped
        {prompt::ErrorLeave, {"A", ""}},            // the list as built so far
    };
    for (const auto& c : casos) {
        ScopedPrompts p;
        p.answerError(c.respuesta, "Abrir Recordset");
        FuenteFija f;
        f.filas = {{"articulo=ART1", {"A"}}, {"familia=010203", {"F"}}, {"tipo=T1", {"T"}}};
        f.fallaEn = QStringLiteral("familia=010203");
        EXPECT_EQ(propone(f), c.esperada) << "answer " << c.respuesta;
    }
}
