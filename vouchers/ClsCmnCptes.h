#pragma once

#include "vouchers/ListasSerieLote.h"

#include <QString>
#include <cstdint>
#include <vector>

// The rules of the voucher-entry toolkit. A voucher-entry form creates one,
// hands it its grids (the platform's FlexGrid, columns as in
// vouchers/ColumnasGrillas.h), its status bar and its tab strip on each call,
// and calls its operations; the class keeps no reference to them between
// calls. Its operations are declared in the order of its interface.
//
// Messages to the operator go through the modal seam (platform/Prompts.h);
// errors of a trapped operation go to the error dialog with the operation's
// own name, and its answer retries, goes on or leaves with what the result
// holds.
class ClsCmnCptes {
public:
    // Reads the VAT rates of the settings "PIVA" and "PIVARec", each through
    // the fixed-point amount of four decimals (a missing setting gives 0).
    ClsCmnCptes();

    // --- lists of lots, series and positions (vouchers/ListasSerieLote.h) --
    QString StrSerieLote(const QString& Serie_Lote) const { return ::StrSerieLote(Serie_Lote); }
    void DescomponeSerieLote(const QString& Serie_Lote, std::vector<QString>& Arreglo) const
    {
        ::DescomponeSerieLote(Serie_Lote, Arreglo);
    }
    void DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                        std::vector<QString>& ArrPosiciones, std::vector<QString>& ArrCantidades,
                                        std::vector<QString>& ArrLote) const
    {
        ::DescomponePosicionCantidadLote(Posicion_Lote, PIPELotes, ArrPosiciones, ArrCantidades, ArrLote);
    }
    std::int32_t Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes) const
    {
        return ::Cuenta_Series_Lotes(PipeSeries, PIPELotes);
    }
    QString ExtraeSerieLote(const QString& Serie_Lote, std::int16_t QuePosicion) const
    {
        return ::ExtraeSerieLote(Serie_Lote, QuePosicion);
    }
    std::int32_t Cantidad_Series_Lotes(const QString& Pipes) const { return ::Cantidad_Series_Lotes(Pipes); }
    QString InsertaCHR255(const QString& iPipe) const { return ::InsertaCHR255(iPipe); }

    std::int32_t Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote) const
    {
        return ::Busca_Lotes_Series(PipeSeriesLotes, QueSerieLote);
    }

private:
    // VAT rates read at creation: the general rate goes into the stock rows
    // the voucher writes; the additional one is read alike and used by none.
    double PorcentajeIVA = 0;
    double PorcentajeIVARec = 0;
};
