#pragma once

#include <QDate>
#include <QString>
#include <QVariant>
#include <optional>

// The talonario tests on column values, apart from reading the rows. Range
// and next-number columns are compared as numbers whatever type the server
// gives them ("9" is below "10"); a Null in a comparison fails it, as it
// does on the server.

// The talonario's next number has reached the last number of its range.
bool TalonarioAgotado(const QVariant& ultimoNro, const QVariant& nroHasta);
// The number is at least the range's first number / at most its last one.
bool CumpleDesde(double numero, const QVariant& desde);
bool CumpleHasta(double numero, const QVariant& hasta);
// The number lies within [desde, hasta].
bool NumeroEnRango(double numero, const QVariant& desde, const QVariant& hasta);
// Both range ends hold 0 (not Null).
bool RangoEnCero(const QVariant& desde, const QVariant& hasta);

// A date as talonario columns and callers hold it: a date value, the stored
// text form or the station's day-first text. nullopt when it is none of these.
std::optional<QDate> ComoFecha(const QVariant& valor);
// The talonario may number on Fecha: no date, no expiry, or Fecha not after
// the expiry. Two dates compare as dates; otherwise the texts are compared
// without regard to case.
bool TalonarioVigente(const QString& fecha, const QVariant& vence);

// The number after the highest one stored, in eight digits; "00000001" when
// nothing is stored (Null). A voucher identifier (12 characters or more)
// gives its characters 5 to 12; anything shorter is read whole.
QString NumeroSiguiente(const QVariant& ultimo);
