#pragma once

#include "ComprobanteTransferencia.h"

#include "platform/Currency.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

class DB_Dll;

// One line of the start-up form's grid, as its cells hold it: the stock of
// an article, lot and unit without position, the quantity to transfer, and
// the positions and quantities it goes to ("|"-lists, parallel).
struct LineaTransferencia {
    QString IdArticulo;
    QString Descripcion;
    QString NroLote;
    QString IdUnidad;
    QString Transferir;
    QString Cantidades;
    QString Posiciones;
    QString Id;
    // A reopened line's distribution as it was loaded, before the operator
    // changed it: another station that saved the line since has changed the
    // stored one. Empty when not known.
    QString CantidadesCargadas = {};
    QString PosicionesCargadas = {};
};

// The voucher a line is saved into, and the depot it moves in.
struct CabeceraTransferencia {
    ComprobanteTransferencia Comprobante;
    QString IdDeposito;
};

// A line's positions and the quantity each receives, read from its lists.
struct Reparto {
    std::vector<QString> Posiciones;
    std::vector<Currency> Cantidades;
};

// The items of a "|"-list: each item closed by "|", the list opened by an
// optional "|". An empty list has none.
std::vector<QString> ItemsLista(const QString& lista);

// Reads the line's lists. Quantities are read with "." (or ",") as the
// decimal sign whatever the station's settings.
Reparto RepartoDeLinea(const LineaTransferencia& linea);

// Why the line cannot be saved as it stands, or "" when it can: every
// position named and receiving more than 0, and the positions' quantities
// adding up to the quantity to transfer. A line is never saved with part of
// its quantity left without position, nor moved twice.
QString RechazoReparto(const LineaTransferencia& linea);

// The statements that save a line of a new voucher: the movement out of "no
// position" (the quantity, negative, without position), then one movement
// into each position.
QStringList SentenciasLineaNueva(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea,
                                 const QString& usuario, const QDate& fecha);

// The statement that takes a reopened line's row (its voucher's, article's
// and lot's) out of the work table, whatever id this station holds for it.
QString SentenciaBorraLineaTrabajo(DB_Dll& db, const ComprobanteTransferencia& comprobante,
                                   const LineaTransferencia& linea);

// The statements that save a line of a reopened voucher: its work-table row
// (the voucher's, article's and lot's) replaced, its positioned movements
// replaced by the new distribution. The movement out of "no position" stays
// as it was stored: a reopened line keeps its quantity.
QStringList SentenciasLineaReabierta(DB_Dll& db, const CabeceraTransferencia& cabecera,
                                     const LineaTransferencia& linea, const QString& usuario, const QDate& fecha);

// What is left without position of the line's depot, article, lot and unit
// (column Cantidad), as the list of lines shows it: read inside the saving
// transaction, it is the most a new line may still take.
QString SentenciaRestanteLinea(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea);

// The positioned movements a reopened line holds now (columns IDPOSICION and
// CANTIDAD): those its save replaces.
QString SentenciaRepartoGuardado(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea);

// On SQL Server, a read that locks the line's rows until the saving
// transaction ends, so that no other station saves the same line meanwhile
// (on SQLite the transaction holds the write lock already); empty elsewhere.
QString SentenciaBloqueoLinea(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea);

// On SQL Server, a read that locks the rows of the line's positions until the
// saving transaction ends, so that no other station fills them between the
// check of their room and the commit; empty elsewhere (on SQLite the
// transaction holds the write lock already).
QString SentenciaBloqueoPosiciones(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea);

// Whether two distributions place the same quantities in the same positions,
// in whatever order (positions compared without regard to case or blanks).
bool MismoReparto(const Reparto& a, const Reparto& b);

// The id the line takes once saved, read inside the saving transaction: the
// last movement of this line (new voucher), or its new work-table row
// (reopened voucher).
QString SentenciaIdLinea(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea,
                         bool reabierta);
