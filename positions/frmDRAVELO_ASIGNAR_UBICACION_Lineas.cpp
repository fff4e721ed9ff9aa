// The road of one line: loading the lines without position, the field
// checks, the transfer quantity through the position dialog, the line's save,
// and the reopening of a saved voucher.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

#include "GrabacionTransferencia.h"
#include "LineasSinPosicion.h"
#include "ReaperturaTransferencia.h"
#include "ValidacionAsignacion.h"
#include "frmPosicionEntradas.h"

#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "core/Objetos.h"
#include "core/Transacciones.h"
#include "grid/VrDbGrid.h"
#include "platform/ErrorTrap.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
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
    HayError = false;
    const QString valor = Control.text().trimmed();
    const QString campo = Control.dataField().trimmed();
    QString mensaje;
    const auto rechaza = [&](const QString& texto) {
        mensaje = texto;
        HayError = true;
        ErrorTrap::leave();
    };
    const auto es = [&](const char* nombre) { return lang::sameText(campo, QString::fromLatin1(nombre)); };
    const auto rellena = [&](int digitos, const char* rechazo) {
        if (valor.isEmpty())
            return;
        if (const std::optional<QString> relleno = RellenaCeros(valor, digitos))
            Control.setText(*relleno);
        else
            rechaza(QString::fromLatin1(rechazo));
    };

    ErrorTrap::showing(QStringLiteral("CAMPO_VALIDA"))
        .run({[&] {
            if (es("SUCURSAL") || es("SUCURSAL_IR")) {
                rellena(4, "El campo sucursal debe ser un dato numerico");
            } else if (es("NUMERO") || es("NUMERO_IR")) {
                rellena(8, "El campo numero debe ser un dato numerico");
            } else if (es("LETRA_IR")) {
                Control.setText(valor.toUpper());
            } else if (es("LETRA")) {
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
            } else if (es("IdDeposito")) {
                const QString rechazo = RevisaDeposito();
                if (!rechazo.isEmpty())
                    rechaza(rechazo);
            } else if (es("CantidadATransferir")) {
                FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
                const int fila = grid.Row();
                const VeredictoTransferencia v = ValidaTransferencia(
                    valor, grid.TextMatrix(fila, columnaLinea::Cantidad), ComprobanteExistente);
                switch (v.paso) {
                case VeredictoTransferencia::Paso::Nada: return;
                case VeredictoTransferencia::Paso::Rechazo:
                    Control.clear();
                    rechaza(v.mensaje);
                    return;
                case VeredictoTransferencia::Paso::Cero:
                    grid.setTextMatrix(fila, columnaLinea::Posiciones, QString());
                    grid.setTextMatrix(fila, columnaLinea::Cantidades, QString());
                    return;
                case VeredictoTransferencia::Paso::Posiciones: break;
                }
                PidePosiciones(Control, v.cantidad.toDouble());
                if (Currency::fromText(grid.TextMatrix(fila, columnaLinea::Transferir)) > Currency()) {
                    GrabaLinea();
                    ObjCampos().AvanzaFoco(keys::Enter, &Control);
                    if (!PropuestaAutomatica) {
                        // The saved quantity is in its cell; left in the
                        // editor it would land on the line that takes the
                        // saved line's place when the page reloads.
                        if (&Control == VrDbGrid1->txtEdit)
                            Control.setVisible(false);
                        VrDbGrid1->RecuentaPaginas();
                    }
                }
            }
        }});
    if (HayError && !mensaje.isEmpty())
        prompts().messageBox(mensaje, prompt::Critical | prompt::OkOnly, kAviso);
}

void frmDRAVELO_ASIGNAR_UBICACION::PidePosiciones(TextBox& Control, double cantidad)
{
    FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    const int fila = grid.Row();
    frmPosicionEntradas dialogo(this);
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
    dialogo.Form_Load();
    if (!PropuestaAutomatica)
        prompts().showModal(dialogo);

    const QString aceptada = lang::numberText(dialogo.eCantidadPedida);
    Control.setText(aceptada);
    grid.setTextMatrix(fila, columnaLinea::Transferir, aceptada);
    grid.setTextMatrix(fila, columnaLinea::Posiciones, dialogo.Posiciones);
    grid.setTextMatrix(fila, columnaLinea::Cantidades, dialogo.Cantidades);
}

LineaTransferencia frmDRAVELO_ASIGNAR_UBICACION::LineaActual() const
{
    const FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    const int fila = grid.Row();
    const auto celda = [&](int col) { return grid.TextMatrix(fila, col); };
    return {celda(columnaLinea::IdArticulo), celda(columnaLinea::Descripcion), celda(columnaLinea::NroLote),
            celda(columnaLinea::IdUnidad),   celda(columnaLinea::Transferir),  celda(columnaLinea::Cantidades),
            celda(columnaLinea::Posiciones), celda(columnaLinea::Id)};
}

void frmDRAVELO_ASIGNAR_UBICACION::GrabaLinea()
{
    NumeracionLinea numeracion;
    if (NuevoComprobante)
        numeracion = NumeroFijado ? NumeracionLinea::Fijada : NumeracionLinea::Nueva;
    else if (ComprobanteExistente)
        numeracion = NumeracionLinea::Reabierta;
    else
        return;

    FlexGrid& grid = *VrDbGrid1->MsFlexGrid;
    const int fila = grid.Row();
    CabeceraTransferencia cabecera;
    LineaTransferencia linea;
    const bool leidos = ErrorTrap::showing(QString()).run({[&] {
        cabecera = {{texto(QStringLiteral("Sucursal")), texto(QStringLiteral("numero")), texto(QStringLiteral("letra"))},
                    texto(QStringLiteral("iddeposito"))};
        linea = LineaActual();
    }});
    if (!leidos) {
        HayError = true;
        return;
    }

    const LineaGrabada grabada =
        GrabaLineaTransferencia(ObjDB(), cabecera, numeracion, linea, UsuarioLogeado, host().now().date(), HayError);
    m_lineaAbandonada = grabada.abandonada;
    if (!grabada.grabada)
        return;
    if (numeracion == NumeracionLinea::Nueva) {
        ponTexto(QStringLiteral("SUCURSAL"), grabada.comprobante.Sucursal);
        ponTexto(QStringLiteral("NUMERO"), grabada.comprobante.Numero);
        ponTexto(QStringLiteral("LETRA"), grabada.comprobante.Letra);
        NumeroFijado = true;
    }
    if (!grabada.id.isEmpty())
        grid.setTextMatrix(fila, columnaLinea::Id, grabada.id);
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
