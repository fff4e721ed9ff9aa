#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>

// The program's date, time and amount texts.

// Date patterns: "dd" day, "mm" month (minutes after "hh"), "yy" two-digit
// year, "hh" hour 00-23, "/" the date separator.
QString FormatoFechaHora();  // "dd/mm/yy hh:mm"
QString FormatoFecha();      // "dd/mm/yy"
QString FormatoHora();       // "hh:mm"
// A date and time written in FormatoFechaHora's pattern: "09/12/26 07:05".
QString TextoFechaHora(const QDateTime& Momento);

// An amount text (either decimal sign) rounded, halves to even, and written
// with the regional decimal sign, no grouping. Decimales: a count of
// decimals; -1 the configured CantidadDecimales; 0 (or a configured 0 or
// blank) the regional currency digits; -2 none (and no trailing sign).
// Failures go to the error dialog ("FmtMoneda").
QString FmtMoneda(const QString& Importe, int Decimales);

// Minutes of a time text. SinValidarFecha: "H:M" read as numbers (30:15
// gives 1815). Otherwise a valid time or date gives its hour and minute; a
// blank text gives Horas * 60 + Minutos (0 unless one of them is above 0);
// any other text is read as with SinValidarFecha.
double HoraAMinutos(const QString& Hora, const QString& Horas, const QString& Minutos, bool SinValidarFecha);

// The hours text of a count of minutes with the separator Cfg("SeparadorHora")
// (":" when blank): "01:15" for 75; the whole hours and the remaining minutes
// also go to the two outputs. With the separator "." the hours as a decimal
// number instead ("1.50" for 90, ".00" for 0), and the outputs are left alone.
QString MinutosAHora(double TotalMinutos, std::int32_t& HorasSalida, std::int32_t& MinutosSalida);
