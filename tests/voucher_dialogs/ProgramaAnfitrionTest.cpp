// A host program of the voucher-entry toolkit, written from the README's
// toolkit section and the public headers alone, on the demo database: it
// starts and ends as the README says, lays out and loads a stored voucher,
// asks an outgoing lot request unseen, and writes the stock at once and as
// a batch of its own. Every box the toolkit shows reaches the host's own
// prompts, which a headless host answers itself.
#include "core/DB_Dll.h"
#include "core/Sistema.h"
#include "core/Transacciones.h"
#include "db/EmbeddedDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "tests/support/QtPrinting.h"
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
    // The demo database, and a program folder for the lookup-definition file.
    QTemporaryDir carpeta;
    const QString base = carpeta.filePath(QStringLiteral("demo.db"));
    EmbeddedDatabase::create(base, true);
    FixedHost maquina;
    maquina.folder = carpeta.path();
    setHost(&maquina);
    Avisos avisos;
    setPrompts(&avisos);
    QString cadena;
    IniciaSistema(false, "@Server=(sqlite);@DbName=" + base + ";@Usuario=ana;@Password=;", cadena);
    RegistraDialogosComprobante();

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

    FinalizaSistema();
    setPrompts(nullptr);
    setHost(nullptr);
}
