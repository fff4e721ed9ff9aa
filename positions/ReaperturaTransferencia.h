#pragma once

#include "ComprobanteTransferencia.h"
#include "LineaTransferencia.h"

#include "platform/Currency.h"

#include <QString>
#include <QStringList>
#include <vector>

class DB_Dll;

// One line of a reopened TRP voucher: an article and lot of its positioned
// rows, the quantity they hold together and the positions and quantities as
// "|"-lists, in the order the rows were read.
struct LineaReabierta {
    QString TC;
    QString Sucursal;
    QString Numero;
    QString Letra;
    QString IdArticulo;
    QString NroLote;
    QString Descripcion;
    QString IdUnidadBase;
    Currency Cantidad;
    QString Cantidades;
    QString Posiciones;
};

// The positioned rows of a stored voucher, one line per article and lot (an
// article missing from the article master gives none). Read failures are
// shown by the data layer and end the reading with what was read so far.
std::vector<LineaReabierta> LeeLineasReabiertas(DB_Dll& db, const ComprobanteTransferencia& comprobante);

// The statements that put the voucher's lines into the work table in place
// of the voucher's earlier lines there; other vouchers' lines stay.
QStringList SentenciasReapertura(DB_Dll& db, const ComprobanteTransferencia& comprobante,
                                 const std::vector<LineaReabierta>& lineas);

// The statements that put one line of the voucher (its article and lot) back
// into the work table as the voucher's stored rows hold it now: another
// program may have changed them since the voucher was reopened. A line with
// no positioned row left only leaves the table.
QStringList SentenciasRecargaLinea(DB_Dll& db, const ComprobanteTransferencia& comprobante,
                                   const LineaTransferencia& linea);

// The start-up form's grid over the voucher's lines in the work table.
QString SqlGrillaReapertura(DB_Dll& db, const ComprobanteTransferencia& comprobante);
