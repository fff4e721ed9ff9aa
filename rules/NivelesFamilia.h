#pragma once

#include <QString>
#include <QVariant>
#include <array>
#include <cstdint>

// Family codes are hierarchical: a code is its parent's code followed by the
// characters of its own level, and each of up to six levels has a width set
// in the configuration. These are the calculations over those widths; the
// module Stuff (Stuff.h) loads the settings and keeps the result.

using NivelesFamilia = std::array<std::int16_t, 6>;

// The six level widths from their settings' numeric values. Each is rounded
// to a 16-bit integer, halves to even; overflow error outside that range.
NivelesFamilia CalculaLargosNivel(const std::array<double, 6>& valores);
// Length of a full six-level code, summed in 16-bit arithmetic (overflow error).
std::int16_t CalculaLargoTotal(const NivelesFamilia& largos);
// Cumulative end of each level: end 1 = value 1, end k = value k + end k-1,
// each sum rounded to a 16-bit integer (overflow error).
NivelesFamilia CalculaFinesNivel(const std::array<double, 6>& valores);

// The parent family of a code, cut by its length: the first level whose end
// equals the length decides (so a level of width 0 counts as the lower one);
// level 1, a Null code or a length that is no level end give the empty text.
// The result is always shorter than the code. A negative end before the
// matching one fails with the invalid-call error.
QString FamiliaPadre(const QVariant& codigo, const NivelesFamilia& fines);
