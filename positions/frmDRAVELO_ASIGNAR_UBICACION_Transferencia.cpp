// The transfer of one line: its quantity checked, placed in positions through
// the position dialog, and the line saved into the voucher of the header.
#include "positions/frmDRAVELO_ASIGNAR_UBICACION.h"

#include "positions/GrabacionTransferencia.h"
#include "positions/LineasSinPosicion.h"
#include "positions/ReaperturaTransferencia.h"
#include "positions/ValidacionAsignacion.h"
#include "positions/frmPosicionEntradas.h"

#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "core/Transacciones.h"
#include "grid/VrDbGrid.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/Value.h"

#include <QLabel>

ResultadoTransferencia frmDRAVELO_ASIGNAR_UBICACION::TransfiereLinea(int fila, const QString& cantidad)
{
    using Estado = ResultadoTransferencia::Estado;
    FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    ResultadoTransferencia r;
    const VeredictoTransferencia v =
        ValidaTransferencia(cantidad, grid.TextMatrix(fila, columnaLinea::Cantidad), ComprobanteExistente);
    switch (v.paso) {
    case VeredictoTransferencia::Paso::Nada: return r;
    case VeredictoTransferencia::Paso::Rechazo:
        r.estado = Estado::Rechazada;
        r.motivo = v.mensaje;
        return r;
    case VeredictoTransferencia::Paso::Cero:
        grid.setTextMatrix(fila, columnaLinea::Posiciones, QString());
        grid.setTextMatrix(fila, columnaLinea::Cantidades, QString());
        r.estado = Estado::Vaciada;
        return r;
    case VeredictoTransferencia::Paso::Posiciones: break;
    }

    // A reopened line is saved only over what it was loaded with.
    const QString cantidadesCargadas = grid.TextMatrix(fila, columnaLinea::Cantidades);
    const QString posicionesCargadas = grid.TextMatrix(fila, columnaLinea::Posiciones);
    r.cantidad = PidePosiciones(fila, v.cantidad.toDouble());
    if (!(Currency::fromText(r.cantidad) > Currency())) {
        r.estado = Estado::Cancelada;
        return r;
    }
    const LineaGrabada grabada = GrabaLinea(fila, cantidadesCargadas, posicionesCargadas);
    r.estado = grabada.grabada ? Estado::Grabada : Estado::Fallida;
    r.abandonada = grabada.abandonada;
    r.otroPuesto = grabada.otroPuesto;
    return r;
}

QString frmDRAVELO_ASIGNAR_UBICACION::PidePosiciones(int fila, double cantidad)
{
    FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    const auto pregunta = [&](PosicionEntradas& dialogo) {
        dialogo.eIdDeposito = texto(QStringLiteral("IdDeposito")).trimmed();
        dialogo.eDepositoDescripcion = LblDescDeposito->text().trimmed();
        dialogo.Posiciones = grid.TextMatrix(fila, columnaLinea::Posiciones);
        dialogo.Cantidades = grid.TextMatrix(fila, columnaLinea::Cantidades);
        dialogo.eCantidadPedida = cantidad;
        dialogo.eIdArticulo = grid.TextMatrix(fila, columnaLinea::IdArticulo);
        dialogo.eDescripcion = grid.TextMatrix(fila, columnaLinea::Descripcion);
        dialogo.eUnidadArticulo = grid.TextMatrix(fila, columnaLinea::IdUnidad);
        dialogo.ePermiteModificarCantidadesParaAbajo = NuevoComprobante && !ComprobanteExistente;
        dialogo.ePermiteModificarCantidadesParaArriba = false;
        dialogo.eProposicionAutomatica = PropuestaAutomatica;
        dialogo.eComprobanteExistente = ComprobanteExistente;
        dialogo.CantidadesEnELFORMULARIO.clear();
        dialogo.PosicionesEnELFORMULARIO.clear();
    };
    const auto respuesta = [&](const PosicionEntradas& dialogo) {
        const QString aceptada = lang::numberText(dialogo.eCantidadPedida);
        grid.setTextMatrix(fila, columnaLinea::Transferir, aceptada);
        grid.setTextMatrix(fila, columnaLinea::Posiciones, dialogo.Posiciones);
        grid.setTextMatrix(fila, columnaLinea::Cantidades, dialogo.Cantidades);
        return aceptada;
    };
    if (PropuestaAutomatica) {
        // The dialog would be built only to accept its own proposal unseen:
        // its logic runs over cells in memory instead, with the same reads.
        DatosPosicionesSql lecturas;
        GrillaMemoria celdas;
        PosicionEntradas dialogo(lecturas, celdas);
        pregunta(dialogo);
        dialogo.CargaYAcepta();
        return respuesta(dialogo);
    }
    frmPosicionEntradas dialogo(this);
    pregunta(dialogo);
    dialogo.Form_Load();
    prompts().showModal(dialogo);
    return respuesta(dialogo);
}

LineaTransferencia frmDRAVELO_ASIGNAR_UBICACION::Linea(int fila) const
{
    const FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    const auto celda = [&](int col) { return grid.TextMatrix(fila, col); };
    return {celda(columnaLinea::IdArticulo), celda(columnaLinea::Descripcion), celda(columnaLinea::NroLote),
            celda(columnaLinea::IdUnidad),   celda(columnaLinea::Transferir),  celda(columnaLinea::Cantidades),
            celda(columnaLinea::Posiciones), celda(columnaLinea::Id)};
}

LineaGrabada frmDRAVELO_ASIGNAR_UBICACION::GrabaLinea(int fila, const QString& cantidadesCargadas,
                                                     const QString& posicionesCargadas)
{
    NumeracionLinea numeracion;
    if (NuevoComprobante)
        numeracion = NumeroFijado ? NumeracionLinea::Fijada : NumeracionLinea::Nueva;
    else if (ComprobanteExistente)
        numeracion = NumeracionLinea::Reabierta;
    else
        return {};

    CabeceraTransferencia cabecera;
    LineaTransferencia linea;
    const bool leidos = ErrorTrap::showing(QString()).run({[&] {
        cabecera = {{texto(QStringLiteral("Sucursal")), texto(QStringLiteral("numero")), texto(QStringLiteral("letra"))},
                    texto(QStringLiteral("iddeposito"))};
        linea = Linea(fila);
        if (numeracion == NumeracionLinea::Reabierta) {
            linea.CantidadesCargadas = cantidadesCargadas;
            linea.PosicionesCargadas = posicionesCargadas;
        }
    }});
    if (!leidos)
        return {};

    // A failure is reported by the save itself, and its answer says so; the
    // automatic proposal tells once, at its end, of the lines another
    // station saved first.
    bool fallo = false;
    const LineaGrabada grabada =
        GrabaLineaTransferencia(ObjDB(), cabecera, numeracion, linea, UsuarioLogeado, host().now().date(), fallo,
                                PropuestaAutomatica ? AvisoOtroPuesto::Calla : AvisoOtroPuesto::Avisa);
    if (grabada.otroPuesto && numeracion == NumeracionLinea::Reabierta) {
        // The page's reload then shows the positions stored now, not those
        // the line was reopened with.
        bool recargaFallida = false;
        std::int32_t nroError = 0;
        EjecutaTransaccion(ObjDB(), SentenciasRecargaLinea(ObjDB(), cabecera.Comprobante, linea), recargaFallida,
                           nroError, false);
    }
    if (!grabada.grabada)
        return grabada;
    if (numeracion == NumeracionLinea::Nueva) {
        ponTexto(QStringLiteral("SUCURSAL"), grabada.comprobante.Sucursal);
        ponTexto(QStringLiteral("NUMERO"), grabada.comprobante.Numero);
        ponTexto(QStringLiteral("LETRA"), grabada.comprobante.Letra);
        NumeroFijado = true;
    }
    if (!grabada.id.isEmpty())
        VrDbGrid1->MsFlexGrid->setTextMatrix(fila, columnaLinea::Id, grabada.id);
    return grabada;
}
