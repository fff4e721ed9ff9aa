// The requests that ask the operator for the lots, serial numbers and
// positions of a line in the detail dialogs.
#include "vouchers/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Value.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include <memory>

namespace {

// A list appended to another stays one list: its leading "|" goes.
void agregaLista(QString& lista, const QString& otra)
{
    lista += lista.isEmpty() ? otra : otra.mid(1);
}

}  // namespace

void ClsCmnCptes::PideSerieLote(const QString& Articulo, double Cantidad, const QString& SerieAnt,
                                const QString& LoteAnt, QString& SerieNvo, QString& LoteNvo, bool Serie, bool Lote,
                                bool Talle, const QString& Deposito) const
{
    std::unique_ptr<DialogoCargaLotesySeries> frm;
    const auto dialogo = [&frm]() -> DialogoCargaLotesySeries& { return DialogoAbierto(frm); };
    bool aceptado = false;
    ErrorTrap::showing(QStringLiteral("PideSerieLote")).run({
        [&] {
            if (Cantidad != 0)
                return;
            SerieNvo.clear();
            LoteNvo.clear();
            ErrorTrap::leave();
        },
        [&] {
            if (EnlaceDialogosComprobante* enlace = EnlaceDialogosComprobanteRegistrado())
                frm = enlace->FrmCargaLotesySeries();
            dialogo();
        },
        [&] {
            DialogoCargaLotesySeries& d = dialogo();
            d.Cantidad = Cantidad;
            d.EsSerie = Serie;
            d.EsLote = Lote;
            d.EsTalle = Talle;
            d.Articulo = Articulo;
            d.SeriesAnteriores = SerieAnt;
            d.LotesAnteriores = LoteAnt;
            // The depot the lots come into, for the caption, as the outgoing
            // request names it.
            d.Deposito = ObjUtilidades().AlineaDerecha(
                (Deposito.isEmpty() ? Cfg(QStringLiteral("DepositoDefault")) : Deposito).trimmed(), 4);
        },
        [&] { dialogo().CargaDatos(); },
        [&] { dialogo().MuestraArticulo(Articulo); },
        [&] { aceptado = dialogo().MuestraModal(); },
        // A cancel gives the line's lists back as they were: the fresh
        // dialog's own members hold nothing of them.
        [&] { SerieNvo = aceptado ? dialogo().Series : SerieAnt; },
        [&] { LoteNvo = aceptado ? dialogo().Lotes : LoteAnt; },
        [&] { frm.reset(); },
    });
}

void ClsCmnCptes::PideSerieLote_Salidas(const FlexGrid& Grilla, const QString& Articulo, const QString& Descripcion,
                                        double& Cantidad, const QString& SeriesLoteAnt, const QString& CantidadANT,
                                        QString& SeriesLoteNvo, QString& CantidadesNvo, bool Lote, bool Serie,
                                        bool Talle, QString& Deposito, bool MostrarForm) const
{
    std::unique_ptr<DialogoCargaLotesySeries> frm;
    const auto dialogo = [&frm]() -> DialogoCargaLotesySeries& { return DialogoAbierto(frm); };
    ErrorTrap::showing(QStringLiteral("PideSerieLote_Salidas")).run({
        [&] {
            if (Deposito.isEmpty())
                Deposito = Cfg(QStringLiteral("DepositoDefault"));
        },
        [&] {
            if (Cantidad == 0)
                ErrorTrap::leave();
        },
        [&] {
            if (EnlaceDialogosComprobante* enlace = EnlaceDialogosComprobanteRegistrado())
                frm = enlace->FrmCargaLotesySeries();
            dialogo();
        },
        [&] {
            DialogoCargaLotesySeries& d = dialogo();
            d.Cantidad = Cantidad;
            d.Articulo = Articulo;
            d.EsConsultaDeSerieLote = true;
            d.EsLote = Lote;
            d.EsSerie = Serie;
            d.EsTalle = Talle;
            d.Deposito = ObjUtilidades().AlineaDerecha(Deposito.trimmed(), 4);
            d.Lotes = SeriesLoteAnt;
            d.Series = CantidadANT;
        },
        [&] { CuentaLotesEnGrilla(Grilla, Articulo, dialogo().LotesExistentes, dialogo().SeriesExistentes); },
        [&] { dialogo().CargaDatos(); },
        [&] { dialogo().MuestraArticulo(Articulo + QStringLiteral(" - ") + Descripcion); },
        [&] { dialogo().MostrarForm = MostrarForm; },
        [&] {
            // Unseen, the proposal is the answer.
            if (MostrarForm)
                dialogo().MuestraModal();
            else
                dialogo().CmdAceptar_Click();
        },
        [&] { SeriesLoteNvo = dialogo().Lotes; },
        [&] { CantidadesNvo = dialogo().Series; },
        [&] { Cantidad = dialogo().Cantidad; },
        [&] { frm.reset(); },
    });
}

void ClsCmnCptes::CuentaLotesEnGrilla(const FlexGrid& Grilla, const QString& Articulo, QString& LotesEnGrid,
                                      QString& CantidadesEnGrid) const
{
    LotesEnGrid.clear();
    CantidadesEnGrid.clear();
    for (int fila = 1; fila < Grilla.Rows(); ++fila) {
        if (!lang::sameText(Grilla.TextMatrix(fila, ColArticulos::Codigo), Articulo))
            continue;
        agregaLista(LotesEnGrid, Grilla.TextMatrix(fila, ColArticulos::AuxNroLote));
        agregaLista(CantidadesEnGrid, Grilla.TextMatrix(fila, ColArticulos::AuxNroSerie));
    }
}

void ClsCmnCptes::PidePosicionLote(const QString& Articulo, const QString& IdUnidad, double Cantidad,
                                   const QString& Deposito, const QString& PosicionAnt, const QString& LoteAnt,
                                   QString& PosicionNVO, QString& LoteNvo, bool Posicion, bool Lote) const
{
    std::unique_ptr<DialogoLoteyPosicion> frm;
    const auto dialogo = [&frm]() -> DialogoLoteyPosicion& { return DialogoAbierto(frm); };
    bool aceptado = false;
    ErrorTrap::showing(QStringLiteral("PidePosicionLote")).run({
        [&] {
            if (Cantidad != 0)
                return;
            PosicionNVO.clear();
            LoteNvo.clear();
            ErrorTrap::leave();
        },
        [&] {
            if (EnlaceDialogosComprobante* enlace = EnlaceDialogosComprobanteRegistrado())
                frm = enlace->FrmLoteyPosicion();
            dialogo();
        },
        [&] {
            DialogoLoteyPosicion& d = dialogo();
            d.Cantidad1 = Cantidad;
            d.EsConsultaDePosicionLote = !PosicionAnt.isEmpty() || !LoteAnt.isEmpty();
            d.EsPosicion = Posicion;
            d.EsLote = Lote;
            d.iUnidad = IdUnidad;
            d.Articulo = Articulo;
            d.Deposito = Deposito;
            d.PosicionesAnteriores = PosicionAnt;
            d.LotesAnteriores = LoteAnt;
        },
        [&] { dialogo().CargaDatos(); },
        [&] { dialogo().MuestraArticulo(Articulo); },
        [&] { aceptado = dialogo().MuestraModal(); },
        [&] { PosicionNVO = aceptado ? dialogo().Posiciones : PosicionAnt; },
        [&] { LoteNvo = aceptado ? dialogo().Lotes : LoteAnt; },
        [&] { frm.reset(); },
    });
}
