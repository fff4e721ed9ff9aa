// Loading the lines without position, the field checks (the transfer
// quantity's road has a file of its own), and the reopening of a saved
// voucher.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

#include "LineasSinPosicion.h"
#include "ReaperturaTransferencia.h"
#include "ValidacionAsignacion.h"

#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "core/Objetos.h"
#include "core/Transacciones.h"
#include "grid/VrDbGrid.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Keys.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/TextBox.h"
#include "platform/Value.h"

#include <QLabel>
#include <QPushButton>

namespace {

const QString kAviso = QStringLiteral("Aviso al operador...");
const QString kSinDescripcion = QStringLiteral("...");

}  // namespace

// --- loading -----------------------------------------------------------------

QString frmDRAVELO_ASIGNAR_UBICACION::RevisaDeposito()
{
    const QString deposito = texto(QStringLiteral("IdDeposito")).trimmed();
    if (deposito.isEmpty())
        return QStringLiteral("Debe Informar el Deposito");
    db::Recordset rs;
    const bool existe = ObjDB().ExisteEnTabla(QStringLiteral("V_TA_Deposito"), deposito, QStringLiteral("IdDeposito"),
                                              &rs, 8, {});
    LblDescDeposito->setText(
        existe ? lang::text(ObjUtilidades().ValorNoNulo(rs.value(QStringLiteral("Descripcion")))).trimmed()
               : kSinDescripcion);
    ObjDB().CierraRecordset(rs);
    return existe ? QString() : QStringLiteral("El Deposito Informado es Inexistente");
}

void frmDRAVELO_ASIGNAR_UBICACION::cmdFiltrar_Click()
{
    ErrorTrap::showingExceptInvalidCalls({}).run({
        [&] {
            // The depot is checked before the header locks, so that an
            // operator who forgot it can still type it.
            if (texto(QStringLiteral("IdDeposito")).trimmed().isEmpty()) {
                prompts().messageBox(QStringLiteral("Debe Seleccionar un Deposito"), prompt::Exclamation, {});
                ErrorTrap::leave();
            }
            const QString rechazo = RevisaDeposito();
            if (!rechazo.isEmpty()) {
                prompts().messageBox(rechazo, prompt::Critical | prompt::OkOnly, kAviso);
                ErrorTrap::leave();
            }
        },
        [&] { Detalleon(true); },
        [&] {
            VrDbGrid1->setConString(ObjDB().gCnn().ConnectionString());
            VrDbGrid1->setSql(SqlLineasSinPosicion(ObjDB(), texto(QStringLiteral("IdDeposito")),
                                                   texto(QStringLiteral("SUCURSAL_IR")),
                                                   texto(QStringLiteral("NUMERO_IR")),
                                                   texto(QStringLiteral("LETRA_IR"))));
            VrDbGrid1->setOcultarOrdenar(false);
        },
        [&] { VrDbGrid1->LoadVrDBGrid(); },
        [&] { ocultaColumnas(); },
        [&] { cmdFiltrar->setEnabled(false); },
    });
}

void frmDRAVELO_ASIGNAR_UBICACION::ocultaColumnas()
{
    FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    for (int col : {columnaLinea::IdDeposito, columnaLinea::IdPosicion, columnaLinea::Cantidades,
                    columnaLinea::Posiciones, columnaLinea::Id})
        if (col < grid.Cols())
            grid.setColWidth(col, 0);
    // A unit is a code of a few letters: its column is as wide as the codes
    // and the caption show, not as the caption's count of characters gives.
    if (columnaLinea::IdUnidad < grid.Cols())
        grid.setColWidth(columnaLinea::IdUnidad, grid.fittingColWidth(columnaLinea::IdUnidad));
}

void frmDRAVELO_ASIGNAR_UBICACION::VrDbGrid1_CargarPagina(int)
{
    ocultaColumnas();
}

// --- field checks and the road of a line ----------------------------------------

bool frmDRAVELO_ASIGNAR_UBICACION::DatosValidos(bool& Avanza)
{
    HayError = false;
    for (TextBox* campo : TxtFields) {
        CampoValida(*campo, Avanza);
        if (HayError)
            break;
    }
    return !HayError;
}

void frmDRAVELO_ASIGNAR_UBICACION::CampoValida(TextBox& Control, bool&)
{
    using Form = frmDRAVELO_ASIGNAR_UBICACION;
    // One check per field; a field not listed (FECHA) is taken as it is.
    static const struct {
        const char* campo;
        QString (Form::*chequeo)(TextBox&, const QString&);
    } kChequeos[] = {
        {"SUCURSAL", &Form::ValidaSucursal},       {"SUCURSAL_IR", &Form::ValidaSucursal},
        {"NUMERO", &Form::ValidaNumero},           {"NUMERO_IR", &Form::ValidaNumero},
        {"LETRA_IR", &Form::ValidaLetraIR},        {"LETRA", &Form::ValidaLetra},
        {"IdDeposito", &Form::ValidaDeposito},     {"CantidadATransferir", &Form::ValidaCantidadATransferir},
    };

    HayError = false;
    const QString valor = Control.text().trimmed();
    const QString campo = Control.dataField().trimmed();
    QString mensaje;
    ErrorTrap::showing(QStringLiteral("CAMPO_VALIDA")).run({[&] {
        for (const auto& c : kChequeos)
            if (lang::sameText(campo, QString::fromLatin1(c.campo))) {
                mensaje = (this->*c.chequeo)(Control, valor);
                return;
            }
    }});
    if (!mensaje.isEmpty()) {
        HayError = true;
        Avisa(mensaje);
    }
}

void frmDRAVELO_ASIGNAR_UBICACION::Avisa(const QString& mensaje)
{
    prompts().messageBox(mensaje, prompt::Critical | prompt::OkOnly, kAviso);
}

QString frmDRAVELO_ASIGNAR_UBICACION::ValidaSucursal(TextBox& Control, const QString& valor)
{
    return RellenaCampo(Control, valor, 4, QStringLiteral("El campo sucursal debe ser un dato numerico"));
}

QString frmDRAVELO_ASIGNAR_UBICACION::ValidaNumero(TextBox& Control, const QString& valor)
{
    return RellenaCampo(Control, valor, 8, QStringLiteral("El campo numero debe ser un dato numerico"));
}

QString frmDRAVELO_ASIGNAR_UBICACION::RellenaCampo(TextBox& Control, const QString& valor, int digitos,
                                                  const QString& rechazo)
{
    if (valor.isEmpty())
        return {};
    const std::optional<QString> relleno = RellenaCeros(valor, digitos);
    if (!relleno)
        return rechazo;
    Control.setText(*relleno);
    return {};
}

QString frmDRAVELO_ASIGNAR_UBICACION::ValidaLetraIR(TextBox& Control, const QString& valor)
{
    Control.setText(valor.toUpper());
    return {};
}

// The header's letter completes the voucher's name: a saved TRP voucher of
// that branch, number and letter is reopened; otherwise the header holds a
// new one.
QString frmDRAVELO_ASIGNAR_UBICACION::ValidaLetra(TextBox&, const QString&)
{
    NuevoComprobante = true;
    ComprobanteExistente = false;
    Borrando = false;
    ObjDB().AbrirRecordset(SentenciaComprobanteTRP(ObjDB(), ComprobanteDelEncabezado()), RsFormulario, nullptr,
                           RsFormulario.CursorType(), RsFormulario.LockType(), -1, true);
    if (RsFormulario.State() != db::state::Closed && !RsFormulario.Eof()) {
        NuevoComprobante = false;
        ComprobanteExistente = true;
        Borrando = false;
        AsignarDatos();
    }
    return {};
}

QString frmDRAVELO_ASIGNAR_UBICACION::ValidaDeposito(TextBox&, const QString&)
{
    return RevisaDeposito();
}

// The editor's road of a line: the transfer of the current line, and what
// the editor does with its answer.
QString frmDRAVELO_ASIGNAR_UBICACION::ValidaCantidadATransferir(TextBox& Control, const QString& valor)
{
    FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    const int fila = grid.Row();
    const auto lineaEn = [&grid](int r) {
        return r < grid.Rows() ? grid.TextMatrix(r, columnaLinea::IdArticulo) + u'|'
                                     + grid.TextMatrix(r, columnaLinea::NroLote)
                               : QString();
    };
    const QString linea = lineaEn(fila);
    const ResultadoTransferencia r = TransfiereLinea(fila, valor);
    // A failed save was reported where it failed; a refusal is told by the
    // field check.
    HayError = r.estado == ResultadoTransferencia::Estado::Fallida;
    if (r.estado == ResultadoTransferencia::Estado::Rechazada) {
        // What the cell held comes back, so that leaving the cell does not
        // leave it blank; typing replaces it.
        Control.setText(grid.TextMatrix(fila, columnaLinea::Transferir));
        Control.selectAll();
    } else if (r.respondioDialogo()) {
        Control.setText(r.cantidad);
    }
    if (r.grabacionIntentada()) {
        ObjCampos().AvanzaFoco(keys::Enter, &Control);
        // The saved quantity is in its cell; left in the editor it would
        // land on the line that takes the saved line's place when the page
        // reloads.
        if (&Control == VrDbGrid1->txtEdit)
            Control.setVisible(false);
        VrDbGrid1->RecuentaPaginas();
        // A line saved whole leaves the list and the next one moves up into
        // its row: the operator's Enter stays there.
        m_lineaSalio = r.estado == ResultadoTransferencia::Estado::Grabada && lineaEn(fila) != linea;
    }
    return r.motivo;
}

// --- reopening ------------------------------------------------------------------

void frmDRAVELO_ASIGNAR_UBICACION::AsignarDatos()
{
    ComprobanteTransferencia comprobante;
    std::vector<LineaReabierta> lineas;
    ErrorTrap::showing(QStringLiteral("Asignar Datos"))
        .run({
            [&] {
                if (RsFormulario.State() == db::state::Closed || RsFormulario.Eof())
                    return;
                ponTexto(QStringLiteral("IdDeposito"),
                         lang::text(RsFormulario.value(QStringLiteral("IdDeposito"))).trimmed());
                RevisaDeposito();
                const QVariant fecha = RsFormulario.value(QStringLiteral("Fecha"));
                ponTexto(QStringLiteral("Fecha"), fecha.typeId() == QMetaType::QDateTime
                                                       ? fecha.toDateTime().date().toString(QStringLiteral("dd/MM/yyyy"))
                                                       : lang::text(fecha));
                // The header takes the voucher's own branch, number and
                // letter, as its lines will be saved under them.
                ponTexto(QStringLiteral("SUCURSAL"), lang::text(RsFormulario.value(QStringLiteral("Sucursal"))));
                ponTexto(QStringLiteral("NUMERO"), lang::text(RsFormulario.value(QStringLiteral("Numero"))));
                ponTexto(QStringLiteral("LETRA"), lang::text(RsFormulario.value(QStringLiteral("Letra"))));
                ponTexto(QStringLiteral("SUCURSAL_IR"), {});
                ponTexto(QStringLiteral("NUMERO_IR"), {});
                ponTexto(QStringLiteral("LETRA_IR"), {});
                cmdFiltrar->setEnabled(false);
            },
            [&] { ObjDB().CierraRecordset(RsFormulario); },
            [&] { comprobante = ComprobanteDelEncabezado(); },
            [&] {
                lineas = LeeLineasReabiertas(ObjDB(), comprobante);
                if (lineas.empty())
                    ErrorTrap::leave();
            },
            [&] {
                // The voucher's earlier lines go and its new ones come in one
                // transaction: a failure leaves the work table as it was.
                bool fallo = false;
                std::int32_t nroError = 0;
                EjecutaTransaccion(ObjDB(), SentenciasReapertura(ObjDB(), comprobante, lineas), fallo, nroError, false);
                if (fallo)
                    ErrorTrap::leave();
            },
            [&] {
                VrDbGrid1->setConString(ObjDB().gCnn().ConnectionString());
                VrDbGrid1->setSql(SqlGrillaReapertura(ObjDB(), comprobante));
                VrDbGrid1->setOcultarOrdenar(false);
                VrDbGrid1->LoadVrDBGrid();
            },
            [&] { Detalleon(true); },
            [&] { ocultaColumnas(); },
        });
}
