// A host program of the voucher-entry toolkit, written from the README's
// toolkit section and the public headers alone, built in a project of its
// own and run without a screen on a new demo database (the file named by
// its argument): it receives 30 washers in lots H6-A (20) and H6-B (10) into
// the northern depot with a purchase delivery note, then issues 25 with a
// delivery note, the lots proposed by the toolkit. It says what it saw and
// ends with 0 when every step gave what the README promises, 1 otherwise.
#include "core/DB_Dll.h"
#include "core/Sistema.h"
#include "db/EmbeddedDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "voucher_dialogs/FrmCargaLotesySeries.h"
#include "voucher_dialogs/RegistraDialogosComprobante.h"
#include "vouchers/ClsCmnCptes.h"
#include "vouchers/ColumnasGrillas.h"

#include <QApplication>
#include <QDialog>
#include <QStringList>
#include <cstdio>

namespace {

// No screen: every message is written out and answered OK, the error
// dialog leaves, and the incoming lot request is answered with the lots of
// its units, in order.
class SinPantalla : public Prompts {
public:
    QStringList mensajes;
    QStringList lotesPorUnidad;

    int messageBox(const QString& text, int, const QString&) override
    {
        mensajes << text;
        std::printf("mensaje: %s\n", qPrintable(text));
        return prompt::Ok;
    }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    int errorDialog(const RuntimeError& error, const QString& origin) override
    {
        mensajes << origin + QStringLiteral(": ") + error.description();
        std::printf("error: %s: %s\n", qPrintable(origin), qPrintable(error.description()));
        return prompt::ErrorLeave;
    }
    int showModal(QDialog& form) override
    {
        std::printf("ventana: %s\n", qPrintable(form.windowTitle()));
        auto* lotes = qobject_cast<FrmCargaLotesySeries*>(&form);
        if (!lotes)
            return QDialog::Rejected;
        for (int fila = 1; fila <= lotesPorUnidad.size(); ++fila)
            lotes->MSFlexGrid1->setTextMatrix(fila, FrmCargaLotesySeries::ColValor, lotesPorUnidad.at(fila - 1));
        lotes->CmdAceptar_Click();
        return form.result();
    }
};

bool fallo = false;

void compara(const char* que, const QString& visto, const QString& esperado)
{
    const bool bien = visto == esperado;
    fallo = fallo || !bien;
    std::printf("%s %s: %s%s\n", bien ? "bien" : "MAL", que, qPrintable(visto),
                bien ? "" : qPrintable(QStringLiteral(" (se esperaba %1)").arg(esperado)));
}

// A line of washers with the cells the stock update reads.
void Linea(FlexGrid& articulos, const QString& cantidad, const QString& lotes, const QString& cantidades)
{
    articulos.setTextMatrix(1, ColArticulos::Codigo, QStringLiteral("ART002"));
    articulos.setTextMatrix(1, ColArticulos::Descripcion, QStringLiteral("ARANDELA PLANA"));
    articulos.setTextMatrix(1, ColArticulos::UD, QStringLiteral("UN"));
    articulos.setTextMatrix(1, ColArticulos::Cant, cantidad);
    articulos.setTextMatrix(1, ColArticulos::AuxNroLote, lotes);
    articulos.setTextMatrix(1, ColArticulos::AuxNroSerie, cantidades);
    articulos.setTextMatrix(1, ColArticulos::EQUIV_UDBASE, QStringLiteral("1"));
    articulos.setTextMatrix(1, ColArticulos::AuxPideTalle, QStringLiteral("0"));
    articulos.setTextMatrix(1, ColArticulos::Auxesperecedero, QStringLiteral("0"));
    articulos.setTextMatrix(1, ColArticulos::Aux_InsumosPorPorcentaje, QStringLiteral("0"));
}

QString numero(double n)
{
    return QString::number(n);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::printf("uso: anfitrion ARCHIVO (una base de demostración nueva)\n");
        return 2;
    }
    const QString base = QString::fromLocal8Bit(argv[1]);
    SinPantalla prompts;
    setPrompts(&prompts);
    EmbeddedDatabase::create(base, true);
    QString cadena;
    IniciaSistema(false, QStringLiteral("@Server=(sqlite);@DbName=%1;@Usuario=ana;@Password=;").arg(base), cadena);
    RegistraDialogosComprobante();

    const ClsCmnCptes reglas;
    compara("stock antes", numero(reglas.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("2"))),
            QStringLiteral("0"));

    // The receipt: a purchase delivery note into depot 2.
    FlexGrid tareas, articulos, otros, totales;
    reglas.InicializaGrids(&tareas, &articulos, &otros, nullptr, nullptr, nullptr, QStringLiteral("RMC"), &totales);
    for (int i = 0; i < 30; ++i)
        prompts.lotesPorUnidad << (i < 20 ? QStringLiteral("H6-A") : QStringLiteral("H6-B"));
    QString series, lotes;
    reglas.PideSerieLote(QStringLiteral("ART002"), 30, {}, {}, series, lotes, false, true, false, QStringLiteral("2"));
    compara("lotes recibidos", QString::number(lotes.count(u'|') - 1), QStringLiteral("30"));
    Linea(articulos, QStringLiteral("30"), lotes, series);
    ArgumentosStock recepcion;
    recepcion.IdDeposito = QStringLiteral("2");
    reglas.ActualizaStock(articulos, QStringLiteral("RMC"), QStringLiteral("000200000078R"), QStringLiteral("0"),
                          QStringLiteral("10/12/2024"), recepcion);
    compara("recepción grabada", recepcion.HayError ? QStringLiteral("no") : QStringLiteral("sí"), QStringLiteral("sí"));
    compara("stock recibido", numero(reglas.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("2"))),
            QStringLiteral("30"));

    // The issue: a delivery note of 25, its lots proposed unseen.
    FlexGrid tareas2, salida, otros2, totales2;
    reglas.InicializaGrids(&tareas2, &salida, &otros2, nullptr, nullptr, nullptr, QStringLiteral("RM"), &totales2);
    double cantidad = 25;
    QString deposito = QStringLiteral("2");
    QString lotesSalida, cantidadesSalida;
    reglas.PideSerieLote_Salidas(salida, QStringLiteral("ART002"), QStringLiteral("ARANDELA PLANA"), cantidad, {}, {},
                                 lotesSalida, cantidadesSalida, true, false, false, deposito, false);
    compara("lotes propuestos", QString(lotesSalida).replace(QChar(0x00FF), u'~'), QStringLiteral("|H6-A~|H6-B~|"));
    compara("cantidades propuestas", cantidadesSalida, QStringLiteral("|20|5|"));
    Linea(salida, QStringLiteral("25"), lotesSalida, cantidadesSalida);
    ArgumentosStock entrega;
    entrega.IdDeposito = QStringLiteral("2");
    reglas.ActualizaStock(salida, QStringLiteral("RM"), QStringLiteral("000100000020R"), QStringLiteral("0"),
                          QStringLiteral("11/12/2024"), entrega);
    compara("entrega grabada", entrega.HayError ? QStringLiteral("no") : QStringLiteral("sí"), QStringLiteral("sí"));
    compara("stock después", numero(reglas.ObtieneStock(QStringLiteral("ART002"), QStringLiteral("2"))),
            QStringLiteral("5"));
    compara("mensajes", prompts.mensajes.join(u'/'), QString());

    FinalizaSistema();
    setPrompts(nullptr);
    return fallo ? 1 : 0;
}
