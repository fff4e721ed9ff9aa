#pragma once

#include <QString>

// The SQL literals of what a voucher writes, every one built by the
// data-access object's literal builder (apostrophes doubled), so that an
// operator's text is stored as typed and never ends or changes a statement.

// 'texto', unchanged.
QString LiteralTexto(const QString& texto);
// A code trimmed and right-justified to its stored width, quoted.
QString LiteralCodigo(const QString& codigo, int ancho);
// A number in the fixed point of four decimals, "." as decimal sign.
QString LiteralNumero(double valor);
// A number given as text, for a numeric column written bare (a voucher's
// complement): anything but a plain number is the type-mismatch error,
// naming `que`, instead of a statement the database refuses or misreads.
QString LiteralNumeroTexto(const QString& texto, const QString& que);
// A date given as text: in the one stored form every server reads alike when
// it reads as a date (a day-first "10/12/2024" is 10 December, on SQL Server
// under any date format too); otherwise the text as typed.
QString LiteralFecha(const QString& fecha);
// A literal handed back by an earlier call, or a value: the value it stands
// for. '   1' gives "   1", NULL gives "", anything else comes back trimmed.
QString ValorDeLiteral(const QString& valor);
