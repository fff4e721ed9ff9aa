// The automatic proposal over the page on screen: every line's whole quantity
// goes the road of a typed one (TransfiereLinea), the position dialog
// accepting its own proposal unseen, and each placed line is saved at once.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

#include "GrabacionTransferencia.h"
#include "LineasSinPosicion.h"

#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "grid/VrDbGrid.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Prompts.h"
#include "platform/TextBox.h"

#include <cstdint>

void frmDRAVELO_ASIGNAR_UBICACION::cmdProponer_Click()
{
    if (prompts().messageBox(QStringLiteral("Este proceso asignara automaticamente las posiciones para todo el "
                                            "Formulario\r\nDesea Continuar?"),
                             prompt::YesNo | prompt::Exclamation, QStringLiteral("Atencion!"))
        != prompt::Yes)
        return;

    struct Automatica {
        bool& activa;
        explicit Automatica(bool& flag) : activa(flag) { activa = true; }
        ~Automatica() { activa = false; }
    } automatica(PropuestaAutomatica);

    FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    TextBox& editor = *VrDbGrid1->txtEdit;
    // A value typed into the editor but not confirmed would otherwise reach
    // whichever cell the grid leaves next.
    editor.setVisible(false);

    KumozenProgreso& progreso = ObjProgreso();
    progreso.AbreProgreso(QStringLiteral("Proponiendo Auotmaticamente las Posiciones"), 0);
    const QString proponiendo = QStringLiteral("Proponiendo...");
    std::int16_t propuestas = 0;
    bool algunaPropuesta = false;
    // Lines another station saved since the page was loaded, or whose room
    // it took: each is refused with nothing written, and told once at the end
    // rather than one box each.
    int deOtroPuesto = 0;
    // A line of a new voucher that found no room may have found none because
    // another station placed it, filling the positions: less of it is
    // without position now than the page shows.
    const auto ubicadaPorOtroPuesto = [&](int fila) {
        if (!NuevoComprobante)
            return false;
        const std::optional<Currency> queda =
            SinPosicionAhora(ObjDB(), {{}, texto(QStringLiteral("iddeposito"))}, Linea(fila));
        return queda && *queda < Currency::fromText(grid.TextMatrix(fila, columnaLinea::Cantidad));
    };
    const int filas = grid.Rows();
    for (int i = 1; i < filas; ++i) {
        const auto celda = [&](int col) { return grid.TextMatrix(i, col); };
        progreso.ActualizaProgreso(0,
                                   celda(columnaLinea::IdArticulo).trimmed() + QStringLiteral("-")
                                       + celda(columnaLinea::Descripcion).trimmed(),
                                   QStringLiteral("Cantidad: ") + celda(columnaLinea::Cantidad), proponiendo);
        grid.setRow(i);
        grid.setCol(columnaLinea::Transferir);
        grid.setTextMatrix(i, columnaLinea::Transferir, celda(columnaLinea::Cantidad));
        // A line's failure is handled within its turn, as the editor's check
        // handles it, and the run goes on with the next line.
        ResultadoTransferencia r;
        ErrorTrap::showing(QStringLiteral("CAMPO_VALIDA")).run({
            [&] { r = TransfiereLinea(i, celda(columnaLinea::Transferir)); },
        });
        if (r.estado == ResultadoTransferencia::Estado::Rechazada)
            Avisa(r.motivo);

        progreso.ActualizaProgreso(0, celda(columnaLinea::IdArticulo),
                                   QStringLiteral("Posiciones propuestas: ") + celda(columnaLinea::Posiciones),
                                   proponiendo);
        if (!celda(columnaLinea::Posiciones).trimmed().isEmpty())
            algunaPropuesta = true;
        // Only a line that went into the voucher counts: one whose save
        // failed, or that placed nothing, may still show positions.
        if (r.estado == ResultadoTransferencia::Estado::Grabada)
            ++propuestas;
        if (r.otroPuesto || (r.estado == ResultadoTransferencia::Estado::Cancelada && ubicadaPorOtroPuesto(i)))
            ++deOtroPuesto;
        // The operator would rather not wait for another station: the rest
        // of the page waits too.
        if (r.abandonada)
            break;
    }
    progreso.CierraProgreso();

    // Saved lines leave the list, so a second run cannot place their stock
    // again; a failed one shows again what the database holds.
    if (algunaPropuesta || deOtroPuesto > 0)
        VrDbGrid1->RecuentaPaginas();

    QString otroPuesto;
    if (deOtroPuesto == 1)
        otroPuesto = QStringLiteral("\r\nOtro puesto ya habia ubicado 1 linea: no se grabo.");
    else if (deOtroPuesto > 1)
        otroPuesto = QStringLiteral("\r\nOtro puesto ya habia ubicado %1 lineas: no se grabaron.").arg(deOtroPuesto);
    if (propuestas > 0) {
        if (prompts().messageBox(QStringLiteral("Se ha Propuesto %1 Posiciones").arg(propuestas) + otroPuesto
                                     + QStringLiteral("\r\nDesea Imprimir un testigo con las posiciones propuestas?"),
                                 prompt::YesNo | prompt::Question, {})
            == prompt::Yes)
            VrUtil1_click(QStringLiteral("REPORTE"));
    } else {
        prompts().messageBox(QStringLiteral("No Se Propusieron Posiciones!") + otroPuesto,
                             prompt::OkCancel | prompt::Exclamation, {});
    }
}
