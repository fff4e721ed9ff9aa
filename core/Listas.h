#pragma once

#include "core/ParCampoValor.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <vector>

// Text, list and array routines shared by the whole system.
//
// A list ("ListaPipe") is a text of items each closed by "|" (a|b|c|); a
// leading "|" opens no item. Arrays built from lists end with one empty
// element after the last item, and callers count on that element.
//
// An empty std::vector stands for an array that was never dimensioned: the
// routines that index it raise the subscript error (9) to the caller.

// The column/value pairs of the INSERT being built (filled by the voucher
// rules, consumed by ArmaInsert).
extern std::vector<ParCampoValor> ArrCampos;
// The voucher totaliser: group key in NombreCampo, quantity as text in
// ValorCampo; searched by BuscaIndiceLista.
extern std::vector<ParCampoValor> ArrTotalizador;

// Splits `texto` at each `separador` (found without regard to case) into
// `arreglo`: the items, untrimmed, then one empty element. "a|b|" and "a|b"
// both give a, b, ""; "|a|" gives "", a, ""; "" gives the single "". An empty
// separator gives one item per character. `texto` is empty afterwards.
void SeparaCadena(QString& texto, const QString& separador, std::vector<QString>& arreglo);

// Appends "(" names ")" and " VALUES (" values ")" to `sql`, taking the values
// as ready SQL literals; empties `arreglo` when `vaciar`. An empty array fails
// with the subscript error and leaves `sql` as it was.
void ArmaInsert(QString& sql, std::vector<ParCampoValor>& arreglo, bool vaciar);

// C & O & D & V(0) & D, then J & C & O & D & V(i) & D for each further value,
// then J & C & " is null " when `incluyeNulos`. "1=1" when there is no value.
QString ArmaCondicion(const QString& campo, const QString& operador, const std::vector<QString>& valores,
                      const QString& conector, const QString& delimitador, bool incluyeNulos);

// Index of the first element from `desde` on that equals `valor` without regard
// to case (no trimming); -1 when none or when `desde` lies past the end. A
// negative `desde` or an empty array fails with the subscript error.
int BuscaEnArray(const std::vector<QString>& arreglo, const QString& valor, int desde);

// Index in ArrTotalizador of the first pair whose NombreCampo, without the
// characters 0 and 255 and trimmed, equals the trimmed `valor` without regard
// to case; -1 when none. An empty ArrTotalizador fails with the subscript error.
int BuscaIndiceLista(const QString& valor);

// The value as text without the characters 0, 255 and line feed, trimmed.
QString LimpiaCadena(const QVariant& valor);

// Reads a list of size-colour-sex codes (each "talle" sep "color" sep "sexo",
// closed by "|", with an optional leading "|") into three parallel arrays,
// each ending with one empty element. A list without any "|" gives the three
// single empty elements. Every input gives a defined result: a code without
// the separator is all size (colour and sex empty), a colour part without it
// is all colour, and a last code not closed by "|" is still read.
void ExtraeTalles_colores_sexo(const QString& lista, const QString& separador, std::vector<QString>& talles,
                               std::vector<QString>& colores, std::vector<QString>& sexos);

// Returns after `milisegundos`, letting the event loop run meanwhile, so the
// user interface stays alive (handlers of any form may run during the wait).
void Espera(int milisegundos);

// The platform's system-time record: UTC, day of the week 0 = Sunday.
struct SystemTime {
    std::uint16_t year = 0;
    std::uint16_t month = 0;
    std::uint16_t dayOfWeek = 0;
    std::uint16_t day = 0;
    std::uint16_t hour = 0;
    std::uint16_t minute = 0;
    std::uint16_t second = 0;
    std::uint16_t milliseconds = 0;
};

// Fills the record with the current time in UTC.
void LeeHoraSistema(SystemTime& hora);
