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

// The statements that save a line of a reopened voucher: its work-table row
// replaced, its positioned movements replaced by the new distribution. The
// movement out of "no position" stays as it was stored: a reopened line keeps
// its quantity. Fails when the line's work-table id is not a number.
QStringList SentenciasLineaReabierta(DB_Dll& db, const CabeceraTransferencia& cabecera,
                                     const LineaTransferencia& linea, const QString& usuario, const QDate& fecha);

// The id the line takes once saved, read inside the saving transaction: the
// last movement of this line (new voucher), or its new work-table row
// (reopened voucher).
QString SentenciaIdLinea(DB_Dll& db, const CabeceraTransferencia& cabecera, const LineaTransferencia& linea,
                         bool reabierta);
