#pragma once

#include <QString>

class DB_Dll;

// The grid's columns over a source of lines without position, numbered as the
// form addresses them (column 0 is the grid's own record number).
namespace columnaLinea {
constexpr int IdArticulo = 1;
constexpr int Descripcion = 2;
constexpr int NroLote = 3;
constexpr int IdDeposito = 4;
constexpr int IdPosicion = 5;
constexpr int IdUnidad = 6;
constexpr int Cantidad = 7;
constexpr int Transferir = 8;
constexpr int Cantidades = 9;
constexpr int Posiciones = 10;
constexpr int Id = 11;
}  // namespace columnaLinea

// The lines of a depot's stock without position, or, when the three parts of
// a receiving voucher are all given, the lines of that voucher in the depot.
// The depot is compared right-justified to 4, as it is stored; the voucher's
// parts are taken as typed.
QString SqlLineasSinPosicion(DB_Dll& db, const QString& deposito, const QString& sucursalIR,
                             const QString& numeroIR, const QString& letraIR);
