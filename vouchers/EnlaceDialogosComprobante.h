#pragma once

#include "platform/RuntimeError.h"

#include <QString>
#include <memory>

// The voucher rules open the detail dialogs of voucher_dialogs/ through this
// link, registered at start-up, never through an include: the rules come
// first in the layers. Each dialog the rules open is seen here as the public
// members and procedures its requests use; the dialog itself derives from
// that view, so the members are the dialog's own. A request asks the link for
// a fresh, loaded dialog, sets its members, loads it (CargaDatos), shows it or
// accepts it unseen, reads the members back and releases it, so nothing
// carries over from one request to the next.
//
// A program that hosts the voucher rules registers the dialogs once before
// the first request (voucher_dialogs/RegistraDialogosComprobante); tests
// register fakes. Each entry of the link answers null until it is given.

// The lot-and-series dialog FrmCargaLotesySeries: lots or serial numbers
// typed unit by unit for an incoming line (entry mode), or lots and serial
// numbers picked from the depot's stock for an outgoing line (outgoing mode,
// EsConsultaDeSerieLote). Lists as in vouchers/ListasSerieLote.h.
class DialogoCargaLotesySeries {
public:
    virtual ~DialogoCargaLotesySeries() = default;

    QString Deposito;            // depot code, right-justified to 4: the caption; outgoing, the stock read
    bool MostrarForm = false;    // outgoing: shown (true) or accepted unseen
    bool EsConsultaDeSerieLote = false;  // outgoing mode
    bool EsSerie = false;
    bool EsLote = false;
    bool EsSerieYLote = false;   // derived by CargaDatos
    bool EsTalle = false;        // the lots are size keys
    double Cantidad = 0;         // the line's quantity; the accept may adopt the sum chosen
    QString IdDeposito;          // written by the quantity check; nothing reads it
    QString Articulo;
    QString ArticuloDescripcion;
    QString SeriesAnteriores;    // entry: the line's earlier serial numbers
    QString LotesAnteriores;     // entry: the line's earlier lots
    QString Series;              // entry: serial numbers; outgoing: quantities (in: the earlier ones)
    QString Lotes;               // entry: lots; outgoing: lot-and-serial items (in: the earlier ones)
    QString SeriesExistentes;    // outgoing: quantities the voucher's lines already take
    QString LotesExistentes;     // outgoing: the lot-and-serial items they take

    // Fills the grid from the members: the stock rows or the unit rows, the
    // earlier choice or the proposal.
    virtual void CargaDatos() = 0;
    // The accept: checks the total and writes Lotes and Series (and
    // Cantidad), or leaves them as they were after its message.
    virtual void CmdAceptar_Click() = 0;
    // The text of the label above the grid (lblArticulo).
    virtual void MuestraArticulo(const QString& texto) = 0;
    // Shown modally through the modal seam; true when the operator accepted,
    // false when the dialog was cancelled or closed.
    virtual bool MuestraModal() = 0;
};

// The lot-and-position dialog FrmLoteyPosicion: the quantity of one line
// taken from the storage positions (and lots) of a depot, and from the
// depot's stock in no position.
class DialogoLoteyPosicion {
public:
    virtual ~DialogoLoteyPosicion() = default;

    QString Deposito;
    QString iUnidad;             // the line's unit: every balance is shown in it
    bool MostrarForm = false;    // a total below the request: ask (true) or refuse (false)
    bool EsConsultaDePosicionLote = false;  // show the earlier choice instead of a proposal
    bool EsPosicion = false;
    bool EsSerie = false;        // no role in this dialog
    bool EsLote = false;
    bool EsPosicionYLote = false;  // derived by CargaDatos
    double Cantidad1 = 0;        // the requested quantity, in iUnidad
    QString IdDeposito;          // no role in this dialog
    QString Articulo;
    QString ArticuloDescripcion;
    QString PosicionesAnteriores;  // earlier position*quantity list
    QString LotesAnteriores;       // its parallel lot list
    QString Posiciones;          // result: position*quantity list
    QString Lotes;               // result: the parallel lot list

    virtual void CargaDatos() = 0;
    virtual void CmdAceptar_Click() = 0;
    virtual void MuestraArticulo(const QString& texto) = 0;
    virtual bool MuestraModal() = 0;
};

// The voucher picker FrmConsComprobantes: the stored vouchers of one kind,
// or only the pending ones of a pseudo kind such as "RM/PENDIENTES", from
// which the operator picks one (purchase orders: checks several).
class DialogoConsComprobantes {
public:
    virtual ~DialogoConsComprobantes() = default;

    QString TC;              // the kind or pseudo kind; the load leaves the base kind
    // A condition over the listed columns, joined with AND. It goes into the
    // statement as it stands: the calling program writes it, never from
    // what an operator typed. Empty: none.
    QString Filtro;
    QString NroComprobante;  // result: the picked voucher ("OC": the checked ones, by commas)
    QString IdComplemento;   // result: its complement, "0" for kinds without one
    QString Proveedor;       // result: its supplier, for the purchase kinds

    // Lists the vouchers of TC.
    virtual void Form_Load() = 0;
    // Shown modally through the modal seam; true when the operator accepted.
    virtual bool MuestraModal() = 0;
};

// The size dialog FrmTalle: the quantity of one line split by size, colour
// and sex. The host's voucher-entry form opens it itself (the rules never
// do): it sets the members, loads it (Form_Load), shows it and reads
// TalleColorSexo, Cantidades and CantidadPedida back. TalleColorSexo holds
// the keys "size-colour-sex" as a list of vouchers/ListasSerieLote.h, and
// Cantidades their quantities; after a cancel they are "" and "0".
class DialogoTalle {
public:
    virtual ~DialogoTalle() = default;

    QString Talle;                // no role: the cancel empties it
    QString Color;                // no role: the cancel empties it
    QString Sexo;                 // no role: the cancel empties it
    QString TalleColorSexo;       // in: an earlier choice; out: the size list
    QString Cantidades;           // in: its quantities; out: the quantity list
    double CantidadPedida = 0;    // the line's quantity; the accept may adopt the total
    double CantidadRestante = 0;  // what the grid still lacks (negative: too much)
    QString eIdArticulo;          // the article, for its default size, colour and sex
    bool ePermiteModificarCantidades = false;  // a different total may become the request

    // The lists, the earlier choice, the article's defaults and the proposal.
    virtual void Form_Load() = 0;
    virtual bool MuestraModal() = 0;
};

class EnlaceDialogosComprobante {
public:
    virtual ~EnlaceDialogosComprobante() = default;
    // A fresh dialog, loaded and not shown; null when none is given.
    virtual std::unique_ptr<DialogoCargaLotesySeries> FrmCargaLotesySeries() { return nullptr; }
    virtual std::unique_ptr<DialogoLoteyPosicion> FrmLoteyPosicion() { return nullptr; }
    // A fresh dialog, not loaded yet: its load reads the members set first.
    virtual std::unique_ptr<DialogoConsComprobantes> FrmConsComprobantes() { return nullptr; }
    virtual std::unique_ptr<DialogoTalle> FrmTalle() { return nullptr; }
};

// The dialog a request holds; a request without one (no link, or a link
// without that dialog) fails here with error 91, into the request's own
// error handling.
template <typename Dialogo>
Dialogo& DialogoAbierto(const std::unique_ptr<Dialogo>& dialogo)
{
    if (!dialogo)
        throw RuntimeError(errnum::ObjectNotSet, QStringLiteral("Variable de objeto no establecida"));
    return *dialogo;
}

// Not owned; nullptr unregisters.
void RegistraEnlaceDialogosComprobante(EnlaceDialogosComprobante* enlace);
EnlaceDialogosComprobante* EnlaceDialogosComprobanteRegistrado();
