// The requests that open the lot-and-series and lot-and-position dialogs,
// over fake dialogs registered as the rules' link: what each request sets,
// in which order it drives the dialog, and what it hands back.
#include "FormularioComprobante.h"

#include "vouchers/ClsCmnCptes.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>

namespace {

const char* const kConfiguracion = "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('DepositoDefault', '7');";

QString si(bool b)
{
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// What the operator does in the dialog: accept (the answer's lists, and its
// quantity when one is given) or cancel.
struct Respuesta {
    bool acepta = true;
    QString lotes;
    QString series;
    double cantidad = -1;
};

struct LotesySeriesFalso : DialogoCargaLotesySeries {
    QStringList& traza;
    const Respuesta& respuesta;
    LotesySeriesFalso(QStringList& t, const Respuesta& r) : traza(t), respuesta(r) {}
    ~LotesySeriesFalso() override { traza << QStringLiteral("liberado"); }

    void CargaDatos() override
    {
        traza << QStringLiteral("CargaDatos %1 serie=%2 lote=%3 talle=%4 salida=%5 dep=[%6] ant=%7/%8 en=%9/%10 ex=%11/%12 %13")
                     .arg(Articulo)
                     .arg(si(EsSerie), si(EsLote), si(EsTalle), si(EsConsultaDeSerieLote), Deposito)
                     .arg(SeriesAnteriores, LotesAnteriores, Lotes, Series, LotesExistentes, SeriesExistentes)
                     .arg(Cantidad);
    }
    void acepta()
    {
        Lotes = respuesta.lotes;
        Series = respuesta.series;
        if (respuesta.cantidad >= 0)
            Cantidad = respuesta.cantidad;
    }
    void CmdAceptar_Click() override
    {
        traza << QStringLiteral("CmdAceptar_Click mostrar=") + si(MostrarForm);
        acepta();
    }
    void MuestraArticulo(const QString& texto) override { traza << QStringLiteral("lblArticulo ") + texto; }
    bool MuestraModal() override
    {
        traza << QStringLiteral("MuestraModal mostrar=") + si(MostrarForm);
        if (respuesta.acepta)
            acepta();
        return respuesta.acepta;
    }
};

struct LoteyPosicionFalso : DialogoLoteyPosicion {
    QStringList& traza;
    const Respuesta& respuesta;
    LoteyPosicionFalso(QStringList& t, const Respuesta& r) : traza(t), respuesta(r) {}
    ~LoteyPosicionFalso() override { traza << QStringLiteral("liberado"); }

    void CargaDatos() override
    {
        traza << QStringLiteral("CargaDatos %1 %2 unidad=%3 dep=[%4] pos=%5 lote=%6 consulta=%7 ant=%8/%9")
                     .arg(Articulo)
                     .arg(Cantidad1)
                     .arg(iUnidad, Deposito, si(EsPosicion), si(EsLote), si(EsConsultaDePosicionLote),
                          PosicionesAnteriores, LotesAnteriores);
    }
    void CmdAceptar_Click() override {}
    void MuestraArticulo(const QString& texto) override { traza << QStringLiteral("lblArticulo ") + texto; }
    bool MuestraModal() override
    {
        traza << QStringLiteral("MuestraModal");
        if (respuesta.acepta) {
            Posiciones = respuesta.series;
            Lotes = respuesta.lotes;
        }
        return respuesta.acepta;
    }
};

// The link, registered for one test.
struct Enlace : EnlaceDialogosComprobante {
    QStringList traza;
    Respuesta respuesta;
    Enlace() { RegistraEnlaceDialogosComprobante(this); }
    ~Enlace() override { RegistraEnlaceDialogosComprobante(nullptr); }
    std::unique_ptr<DialogoCargaLotesySeries> FrmCargaLotesySeries() override
    {
        return std::make_unique<LotesySeriesFalso>(traza, respuesta);
    }
    std::unique_ptr<DialogoLoteyPosicion> FrmLoteyPosicion() override
    {
        return std::make_unique<LoteyPosicionFalso>(traza, respuesta);
    }
};

}  // namespace

TEST(PideSerieLote, AnIncomingLineTypesItsLotsOrSerialNumbers)
{
    TestDatabase db(QString::fromLatin1(kConfiguracion));
    const ClsCmnCptes cls;
    // The depot the lots come into goes to the dialog for its caption,
    // right-justified; none named is the default depot.
    struct Caso {
        const char* caso;
        double cantidad;
        const char* deposito;
        Respuesta respuesta;
        QStringList traza;
        const char* serieNvo;
        const char* loteNvo;
    } casos[] = {
        {"a quantity of 0 opens nothing", 0, "2", {}, {}, "", ""},
        {"accepted",
         3,
         "2",
         {true, "", "|S1|S2|S3|"},
         {"CargaDatos ART001 serie=1 lote=0 talle=1 salida=0 dep=[   2] ant=|A|/|L| en=/ ex=/ 3", "lblArticulo ART001",
          "MuestraModal mostrar=0", "liberado"},
         "|S1|S2|S3|",
         ""},
        {"cancelled: the line's lists as they were",
         2,
         "",
         {false, {}, {}},
         {"CargaDatos ART001 serie=1 lote=0 talle=1 salida=0 dep=[   7] ant=|A|/|L| en=/ ex=/ 2", "lblArticulo ART001",
          "MuestraModal mostrar=0", "liberado"},
         "|A|",
         "|L|"},
    };
    for (const auto& c : casos) {
        Enlace enlace;
        enlace.respuesta = c.respuesta;
        QString serie = QStringLiteral("x");
        QString lote = QStringLiteral("x");
        cls.PideSerieLote(QStringLiteral("ART001"), c.cantidad, QStringLiteral("|A|"), QStringLiteral("|L|"), serie, lote,
                          true, false, true, QString::fromLatin1(c.deposito));
        EXPECT_EQ(enlace.traza, c.traza) << c.caso;
        EXPECT_EQ(serie, c.serieNvo) << c.caso;
        EXPECT_EQ(lote, c.loteNvo) << c.caso;
    }
}

TEST(PideSerieLote, AnOutgoingLinePicksFromStockShownOrUnseen)
{
    TestDatabase db(QString::fromLatin1(kConfiguracion));
    const ClsCmnCptes cls;
    FormularioComprobante f;
    AgregaLinea(f.articulos, {{ColArticulos::Codigo, "ART001"}, {ColArticulos::AuxNroLote, "|L1\u00ff|"},
                              {ColArticulos::AuxNroSerie, "|3|"}});
    AgregaLinea(f.articulos, {{ColArticulos::Codigo, "ART002"}, {ColArticulos::AuxNroLote, "|L9\u00ff|"},
                              {ColArticulos::AuxNroSerie, "|9|"}});
    struct Caso {
        const char* caso;
        double cantidad;
        const char* deposito;
        bool mostrar;
        Respuesta respuesta;
        QStringList traza;
        const char* depositoDespues;
        double cantidadDespues;
        const char* lotesNvo;
        const char* cantidadesNvo;
    } casos[] = {
        {"a quantity of 0 opens nothing, but the depot is the default", 0, "", false, {}, {}, "7", 0, "antes",
         "antes"},
        {"unseen: the proposal is accepted at once",
         4,
         " 1 ",
         false,
         {true, "|L1\u00ff|", "|4|"},
         {"CargaDatos ART001 serie=0 lote=1 talle=0 salida=1 dep=[   1] ant=/ en=|L0\u00ff|/|2| ex=|L1\u00ff|/|3| 4",
          "lblArticulo ART001 - Yerba", "CmdAceptar_Click mostrar=0", "liberado"},
         " 1 ",
         4,
         "|L1\u00ff|",
         "|4|"},
        {"shown: the operator adopts a total of 3",
         4,
         "",
         true,
         {true, "|L1\u00ff|", "|3|", 3},
         {"CargaDatos ART001 serie=0 lote=1 talle=0 salida=1 dep=[   7] ant=/ en=|L0\u00ff|/|2| ex=|L1\u00ff|/|3| 4",
          "lblArticulo ART001 - Yerba", "MuestraModal mostrar=1", "liberado"},
         "7",
         3,
         "|L1\u00ff|",
         "|3|"},
        {"cancelled: the earlier lists come back", 4, "1", true, {false, {}, {}},
         {"CargaDatos ART001 serie=0 lote=1 talle=0 salida=1 dep=[   1] ant=/ en=|L0\u00ff|/|2| ex=|L1\u00ff|/|3| 4",
          "lblArticulo ART001 - Yerba", "MuestraModal mostrar=1", "liberado"},
         "1", 4, "|L0\u00ff|", "|2|"},
    };
    for (const auto& c : casos) {
        Enlace enlace;
        enlace.respuesta = c.respuesta;
        double cantidad = c.cantidad;
        QString deposito = QString::fromLatin1(c.deposito);
        QString lotes = QStringLiteral("antes");
        QString cantidades = QStringLiteral("antes");
        cls.PideSerieLote_Salidas(f.articulos, QStringLiteral("ART001"), QStringLiteral("Yerba"), cantidad,
                                  QStringLiteral("|L0\u00ff|"), QStringLiteral("|2|"), lotes, cantidades, true, false,
                                  false, deposito, c.mostrar);
        EXPECT_EQ(enlace.traza, c.traza) << c.caso;
        EXPECT_EQ(deposito, c.depositoDespues) << c.caso;
        EXPECT_DOUBLE_EQ(cantidad, c.cantidadDespues) << c.caso;
        EXPECT_EQ(lotes, QString::fromUtf8(c.lotesNvo)) << c.caso;
        EXPECT_EQ(cantidades, c.cantidadesNvo) << c.caso;
    }
}

TEST(CuentaLotesEnGrilla, JoinsTheListsOfTheArticlesLines)
{
    TestDatabase db;
    const ClsCmnCptes cls;
    FormularioComprobante f;
    AgregaLinea(f.articulos, {{ColArticulos::Codigo, "ART001"}, {ColArticulos::AuxNroLote, "|a|b|"},
                              {ColArticulos::AuxNroSerie, "|1|2|"}});
    AgregaLinea(f.articulos, {{ColArticulos::Codigo, "ART002"}, {ColArticulos::AuxNroLote, "|x|"},
                              {ColArticulos::AuxNroSerie, "|9|"}});
    AgregaLinea(f.articulos, {{ColArticulos::Codigo, "art001"}, {ColArticulos::AuxNroLote, "|c|"},
                              {ColArticulos::AuxNroSerie, "|3|"}});
    AgregaLinea(f.articulos, {{ColArticulos::Codigo, " ART001"}, {ColArticulos::AuxNroLote, "|z|"}});
    struct Caso {
        const char* articulo;
        const char* lotes;
        const char* cantidades;
    } casos[] = {
        {"ART001", "|a|b|c|", "|1|2|3|"},
        {"ART002", "|x|", "|9|"},
        {"ART003", "", ""},
    };
    for (const auto& c : casos) {
        QString lotes = QStringLiteral("antes");
        QString cantidades = QStringLiteral("antes");
        cls.CuentaLotesEnGrilla(f.articulos, QString::fromLatin1(c.articulo), lotes, cantidades);
        EXPECT_EQ(lotes, c.lotes) << c.articulo;
        EXPECT_EQ(cantidades, c.cantidades) << c.articulo;
    }
}

TEST(PidePosicionLote, TheDepotGoesAsItIsAndACancelKeepsTheEarlierLists)
{
    TestDatabase db;
    const ClsCmnCptes cls;
    struct Caso {
        const char* caso;
        double cantidad;
        const char* posicionAnt;
        const char* loteAnt;
        Respuesta respuesta;
        QStringList traza;
        const char* posicionNvo;
        const char* loteNvo;
    } casos[] = {
        {"a quantity of 0 opens nothing", 0, "|A1*2|", "|L1|", {}, {}, "", ""},
        {"a first request proposes",
         5,
         "",
         "",
         {true, "|L1||", "|A1*2|*3|"},
         {"CargaDatos ART001 5 unidad=UN dep=[1] pos=1 lote=1 consulta=0 ant=/", "lblArticulo ART001", "MuestraModal",
          "liberado"},
         "|A1*2|*3|",
         "|L1||"},
        {"the earlier choice is shown",
         5,
         "|A1*5|",
         "",
         {true, "|L2|", "|A2*5|"},
         {"CargaDatos ART001 5 unidad=UN dep=[1] pos=1 lote=1 consulta=1 ant=|A1*5|/", "lblArticulo ART001",
          "MuestraModal", "liberado"},
         "|A2*5|",
         "|L2|"},
        {"cancelled: the line's lists as they were",
         5,
         "|A1*2|*3|",
         "|L1||",
         {false, {}, {}},
         {"CargaDatos ART001 5 unidad=UN dep=[1] pos=1 lote=1 consulta=1 ant=|A1*2|*3|/|L1||", "lblArticulo ART001",
          "MuestraModal", "liberado"},
         "|A1*2|*3|",
         "|L1||"},
    };
    for (const auto& c : casos) {
        Enlace enlace;
        enlace.respuesta = c.respuesta;
        QString posicion = QStringLiteral("x");
        QString lote = QStringLiteral("x");
        cls.PidePosicionLote(QStringLiteral("ART001"), QStringLiteral("UN"), c.cantidad, QStringLiteral("1"),
                             QString::fromLatin1(c.posicionAnt), QString::fromLatin1(c.loteAnt), posicion, lote, true,
                             true);
        EXPECT_EQ(enlace.traza, c.traza) << c.caso;
        EXPECT_EQ(posicion, c.posicionNvo) << c.caso;
        EXPECT_EQ(lote, c.loteNvo) << c.caso;
    }
}

TEST(PideSerieLote, WithoutTheDialogsTheRequestReportsAndLeaves)
{
    TestDatabase db;
    const ClsCmnCptes cls;
    ScopedPrompts p;
    p.answerError(prompt::ErrorLeave, QStringLiteral("PideSerieLote"))
        .answerError(prompt::ErrorLeave, QStringLiteral("PidePosicionLote"));
    QString a = QStringLiteral("x");
    QString b = QStringLiteral("x");
    cls.PideSerieLote(QStringLiteral("ART001"), 1, QString(), QString(), a, b);
    cls.PidePosicionLote(QStringLiteral("ART001"), QStringLiteral("UN"), 1, QStringLiteral("1"), QString(), QString(),
                         a, b, true, false);
    EXPECT_EQ(a, "x");
    EXPECT_EQ(b, "x");
}
