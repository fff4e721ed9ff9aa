// A host program of the voucher-entry toolkit, written from the README's
// toolkit section and the public headers alone, on the demo database: it
// starts and ends as the README says, lays out and loads a stored voucher,
// asks an outgoing lot request unseen, and writes the stock at once and as
// a batch of its own; it receives lots and issues them again from the stock
// they made. Every box the toolkit shows reaches the host's own prompts,
// which a headless host answers itself.
#include "core/DB_Dll.h"
#include "core/Sistema.h"
#include "core/Transacciones.h"
#include "db/EmbeddedDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
#include "voucher_dialogs/FrmCargaLotesySeries.h"
#include "voucher_dialogs/RegistraDialogosComprobante.h"
#include "vouchers/ClsCmnCptes.h"
#include "vouchers/ColumnasGrillas.h"

#include <QDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A headless host's prompts: every message is kept and answered OK, the
// error dialog leaves, and no form is shown.
struct Avisos : Prompts {
    QStringList textos;
    int messageBox(const QString& text, int, const QString&) override
    {
        textos << text;
        return prompt::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    int errorDialog(const RuntimeError& error, const QString& origin) override
    {
        textos << origin + QStringLiteral(": ") + error.description();
        return prompt::ErrorLeave;
    }
    int showModal(QDialog&) override { return QDialog::Rejected; }
};

// The same host, which also answers the incoming lot request: each unit's
// lot in turn, as a clerk would type them, then the accept.
struct AvisosYLotes : Avisos {
    QStringList lotesPorUnidad;
    QStringList titulos;
    int showModal(QDialog& form) override
    {
        titulos << form.windowTitle();
        auto* lotes = qobject_cast<FrmCargaLotesySeries*>(&form);
        if (!lotes)
            return QDialog::Rejected;
        for (int fila = 1; fila <= lotesPorUnidad.size(); ++fila)
            lotes->MSFlexGrid1->setTextMatrix(fila, FrmCargaLotesySeries::ColValor, lotesPorUnidad.at(fila - 1));
        lotes->CmdAceptar_Click();
        return form.result();
    }
};

// A line of washers of the demo, with the cells the stock update reads.
void LineaDeArandelas(FlexGrid& articulos, int fila, const QString& cantidad, const QString& lotes,
                      const QString& cantidades)
{
    articulos.setTextMatrix(fila, ColArticulos::Codigo, QStringLiteral("ART002"));
    articulos.setTextMatrix(fila, ColArticulos::Descripcion, QStringLiteral("ARANDELA PLANA"));
    articulos.setTextMatrix(fila, ColArticulos::UD, QStringLiteral("UN"));
    articulos.setTextMatrix(fila, ColArticulos::Cant, cantidad);
    articulos.setTextMatrix(fila, ColArticulos::AuxNroLote, lotes);
    articulos.setTextMatrix(fila, ColArticulos::AuxNroSerie, cantidades);
    articulos.setTextMatrix(fila, ColArticulos::EQUIV_UDBASE, QStringLiteral("1"));
    articulos.setTextMatrix(fila, ColArticulos::AuxPideTalle, QStringLiteral("0"));
    articulos.setTextMatrix(fila, ColArticulos::Auxesperecedero, QStringLiteral("0"));
    articulos.setTextMatrix(fila, ColArticulos::Aux_InsumosPorPorcentaje, QStringLiteral("0"));
}

// The host started as the README says, on a new demo database, with its
// own prompts and a program folder for the lookup-definition file; ended
// as it says when it goes.
class EnElDemo {
public:
    explicit EnElDemo(Prompts& avisos)
    {
        const QString base = m_carpeta.filePath(QStringLiteral("demo.db"));
        EmbeddedDatabase::create(base, true);
        m_maquina.folder = m_carpeta.path();
        setHost(&m_maquina);
        setPrompts(&avisos);
        QString cadena;
        IniciaSistema(false, "@Server=(sqlite);@DbName=" + base + ";@Usuario=ana;@Password=;", cadena);
        RegistraDialogosComprobante();
    }
    ~EnElDemo()
    {
        FinalizaSistema();
        setPrompts(nullptr);
        setHost(nullptr);
    }
    EnElDemo(const EnElDemo&) = delete;
    EnElDemo& operator=(const EnElDemo&) = delete;

private:
    QTemporaryDir m_carpeta;
    FixedHost m_maquina;
};

int FilasDe(const QString& idComprobante)
{
    db::Recordset rs;
    ObjDB().AbrirRecordset("SELECT COUNT(*) FROM V_MV_STOCK WHERE TC = '  FC' AND IdComprobante = '" + idComprobante
                               + "'",
                           rs);
    const int n = rs.value(0).toInt();
    ObjDB().CierraRecordset(rs);
    return n;
}

}  // namespace

TEST(ProgramaAnfitrion, LoadsAVoucherAsksItsLotsAndWritesItsStock)
{
    Avisos avisos;
    EnElDemo demo(avisos);

    const ClsCmnCptes reglas;
    FlexGrid tareas, articulos, otros, totales;
    reglas.InicializaGrids(&tareas, &articulos, &otros, nullptr, nullptr, nullptr, QStringLiteral("FC"), &totales);
    reglas.AsignarDatosComprobante(QStringLiteral("FC"), QStringLiteral("000100000040A"), QStringLiteral("1"), tareas,
                                   articulos, otros);
    ASSERT_EQ(articulos.Rows(), 4) << "two lines and the empty row after them";
    EXPECT_EQ(articulos.TextMatrix(2, ColArticulos::Codigo).trimmed(), QStringLiteral("ART002"));

    // A new line of 600 washers, in the empty row: its lots proposed unseen.
    const int fila = articulos.Rows() - 1;
    double cantidad = 600;
    QString deposito = QStringLiteral("1");
    QString lotes, cantidades;
    reglas.PideSerieLote_Salidas(articulos, QStringLiteral("ART002"), QStringLiteral("ARANDELA PLANA"), cantidad, {},
                                 {}, lotes, cantidades, true, false, false, deposito, false);
    EXPECT_EQ(lotes, QStringLiteral("|A-2411\u00FF|A-2412\u00FF|"));
    EXPECT_EQ(cantidades, QStringLiteral("|500|100|"));
    articulos.setTextMatrix(fila, ColArticulos::Codigo, QStringLiteral("ART002"));
    articulos.setTextMatrix(fila, ColArticulos::Descripcion, QStringLiteral("ARANDELA PLANA"));
    articulos.setTextMatrix(fila, ColArticulos::UD, QStringLiteral("UN"));
    articulos.setTextMatrix(fila, ColArticulos::Cant, QStringLiteral("600"));
    articulos.setTextMatrix(fila, ColArticulos::AuxNroLote, lotes);
    articulos.setTextMatrix(fila, ColArticulos::AuxNroSerie, cantidades);
    // Every line: its depot, its unit's equivalence and the flags of a plain line.
    for (int r = 1; r <= fila; ++r) {
        articulos.setTextMatrix(r, ColArticulos::Dep, QStringLiteral("1"));
        articulos.setTextMatrix(r, ColArticulos::EQUIV_UDBASE, QStringLiteral("1"));
        articulos.setTextMatrix(r, ColArticulos::AuxPideTalle, QStringLiteral("0"));
        articulos.setTextMatrix(r, ColArticulos::Auxesperecedero, QStringLiteral("0"));
        articulos.setTextMatrix(r, ColArticulos::Aux_InsumosPorPorcentaje, QStringLiteral("0"));
    }

    // The stock written at once: the screws' line, the delivered washers and
    // the two lots of the new line.
    ArgumentosStock directo;
    reglas.ActualizaStock(articulos, QStringLiteral("FC"), QStringLiteral("000100000050A"), QStringLiteral("0"),
                          QStringLiteral("10/12/2024"), directo);
    EXPECT_FALSE(directo.HayError);
    EXPECT_EQ(FilasDe(QStringLiteral("000100000050A")), 4);

    // The same as a batch the host runs in its own transaction.
    ArgumentosStock enLote;
    enLote.GeneraSentenciaSQL = true;
    reglas.ActualizaStock(articulos, QStringLiteral("FC"), QStringLiteral("000100000051A"), QStringLiteral("0"),
                          QStringLiteral("10/12/2024"), enLote);
    EXPECT_EQ(FilasDe(QStringLiteral("000100000051A")), 0) << "nothing written until the host runs it";
    bool huboError = false;
    std::int32_t nroError = 0;
    EjecutaTransaccion(enLote.SQLTemp.split(u'\r', Qt::SkipEmptyParts), huboError, nroError, false);
    EXPECT_FALSE(huboError);
    EXPECT_EQ(FilasDe(QStringLiteral("000100000051A")), 4);

    // Saved again: the earlier rows deleted in the same transaction.
    ArgumentosStock otraVez;
    otraVez.GeneraSentenciaSQL = true;
    reglas.ActualizaStock(articulos, QStringLiteral("FC"), QStringLiteral("000100000051A"), QStringLiteral("0"),
                          QStringLiteral("10/12/2024"), otraVez);
    EjecutaTransaccion(QStringList{QStringLiteral("DELETE FROM V_MV_STOCK WHERE TC = '  FC' AND IdComprobante = "
                                                  "'000100000051A' AND IdComplemento = 0")}
                           + otraVez.SQLTemp.split(u'\r', Qt::SkipEmptyParts),
                       huboError, nroError, false);
    EXPECT_FALSE(huboError);
    EXPECT_EQ(FilasDe(QStringLiteral("000100000051A")), 4);

    // A request the stock cannot cover tells the operator, even unseen, and
    // gives the earlier lists back.
    cantidad = 900;
    QString lotes2 = lotes, cantidades2 = cantidades;
    reglas.PideSerieLote_Salidas(articulos, QStringLiteral("ART002"), QStringLiteral("ARANDELA PLANA"), cantidad,
                                 lotes, cantidades, lotes2, cantidades2, true, false, false, deposito, false);
    EXPECT_EQ(avisos.textos, QStringList({QStringLiteral("El Stock es Menor a la cantidad solicitada ")}));
    EXPECT_EQ(lotes2, lotes);
}

// The road of a lot from its receipt to its issue: 30 washers received in
// lots H6-A (20) and H6-B (10) into the northern depot with a purchase
// delivery note ("RMC"), then 25 issued with a delivery note ("RM"). The
// embedded stock follows each update: the outgoing request proposes the
// receipt's lots first in first out, the balance counts them, and the issue
// takes them down. No cell of the lots is written but from the requests.
TEST(ProgramaAnfitrion, ReceivesLotsAndIssuesThemFirstInFirstOut)
{
    AvisosYLotes avisos;
    EnElDemo demo(avisos);
    const ClsCmnCptes reglas;
    EXPECT_EQ(reglas.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("2")), 0);

    // The receipt: each unit's lot typed in the incoming request.
    FlexGrid tareas, articulos, otros, totales;
    reglas.InicializaGrids(&tareas, &articulos, &otros, nullptr, nullptr, nullptr, QStringLiteral("RMC"), &totales);
    for (int i = 0; i < 30; ++i)
        avisos.lotesPorUnidad << (i < 20 ? QStringLiteral("H6-A") : QStringLiteral("H6-B"));
    QString series, lotes;
    reglas.PideSerieLote(QStringLiteral("ART002"), 30, {}, {}, series, lotes, false, true, false, QStringLiteral("2"));
    EXPECT_EQ(avisos.titulos, QStringList{QStringLiteral("Números de Lote (Deposito:    2)")});
    EXPECT_EQ(lotes, u'|' + avisos.lotesPorUnidad.join(u'|') + u'|') << "one item per unit";
    EXPECT_EQ(series, QString());
    LineaDeArandelas(articulos, 1, QStringLiteral("30"), lotes, series);
    ArgumentosStock recepcion;
    recepcion.IdDeposito = QStringLiteral("2");
    reglas.ActualizaStock(articulos, QStringLiteral("RMC"), QStringLiteral("000200000078R"), QStringLiteral("0"),
                          QStringLiteral("10/12/2024"), recepcion);
    ASSERT_FALSE(recepcion.HayError);
    EXPECT_EQ(reglas.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("2")), 30);
    EXPECT_EQ(reglas.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("2"), QStringLiteral("H6-B")), 10);

    // The issue: the lots proposed unseen, first in first out.
    FlexGrid tareas2, salida, otros2, totales2;
    reglas.InicializaGrids(&tareas2, &salida, &otros2, nullptr, nullptr, nullptr, QStringLiteral("RM"), &totales2);
    double cantidad = 25;
    QString deposito = QStringLiteral("2");
    QString lotesSalida, cantidadesSalida;
    reglas.PideSerieLote_Salidas(salida, QStringLiteral("ART002"), QStringLiteral("ARANDELA PLANA"), cantidad, {}, {},
                                 lotesSalida, cantidadesSalida, true, false, false, deposito, false);
    EXPECT_EQ(lotesSalida, QStringLiteral("|H6-A\u00FF|H6-B\u00FF|"));
    EXPECT_EQ(cantidadesSalida, QStringLiteral("|20|5|"));
    LineaDeArandelas(salida, 1, QStringLiteral("25"), lotesSalida, cantidadesSalida);
    ArgumentosStock entrega;
    entrega.IdDeposito = QStringLiteral("2");
    reglas.ActualizaStock(salida, QStringLiteral("RM"), QStringLiteral("000100000020R"), QStringLiteral("0"),
                          QStringLiteral("11/12/2024"), entrega);
    ASSERT_FALSE(entrega.HayError);
    EXPECT_EQ(reglas.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("2")), 5);
    EXPECT_EQ(reglas.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("2"), QStringLiteral("H6-A")), 0);

    // What is left is H6-B's 5: the next request of 6 falls short.
    FlexGrid tareas3, otra, otros3, totales3;
    reglas.InicializaGrids(&tareas3, &otra, &otros3, nullptr, nullptr, nullptr, QStringLiteral("RM"), &totales3);
    cantidad = 6;
    QString lotesOtra = QStringLiteral("|antes|"), cantidadesOtra = QStringLiteral("|1|");
    reglas.PideSerieLote_Salidas(otra, QStringLiteral("ART002"), QStringLiteral("ARANDELA PLANA"), cantidad,
                                 lotesOtra, cantidadesOtra, lotesOtra, cantidadesOtra, true, false, false, deposito,
                                 false);
    EXPECT_EQ(avisos.textos, QStringList{QStringLiteral("El Stock es Menor a la cantidad solicitada ")});
    cantidad = 5;
    reglas.PideSerieLote_Salidas(otra, QStringLiteral("ART002"), QStringLiteral("ARANDELA PLANA"), cantidad, {}, {},
                                 lotesOtra, cantidadesOtra, true, false, false, deposito, false);
    EXPECT_EQ(lotesOtra, QStringLiteral("|H6-B\u00FF|"));
    EXPECT_EQ(cantidadesOtra, QStringLiteral("|5|"));
}
