#pragma once

#include "platform/Currency.h"

#include <QString>
#include <QStringView>

// Numbers in the cells of the voucher grids are text. Every cell the voucher
// rules and dialogs write, and every cell they read, goes through these: one
// written form, and one reading that takes either decimal sign, so a "2,5"
// typed or written on a comma locale reads 2.5 and never 2.

// The number a cell holds: blanks before it skipped, "." or "," as decimal
// sign (when both appear, the last one is), a blank or non-numeric text 0.
double NumeroCelda(QStringView texto);
// The same reading as a fixed-point amount of four decimals, for sums.
Currency ImporteCelda(QStringView texto);
// The text a cell receives: up to 15 significant digits, "." as decimal
// sign, no grouping, no trailing zeros ("12.5", "3", "-0.25").
QString TextoCelda(double valor);
// A computed number as a cell holds it once written: sums and differences of
// cells compare by what the cells show, without the noise of binary
// fractions (0.1 + 0.2 is 0.3) and without losing digits a cell shows.
double ComoCelda(double valor);
