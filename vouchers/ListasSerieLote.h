#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <vector>

// The lists of lots, serial numbers, positions and sizes of one article line,
// as the detail dialogs write them and the voucher's stock update reads them
// back (articles grid columns 16 and 17, the dialogs' public members).
//
// Written form: "|" then every item followed by "|" (|A|B|C|); a list with
// no item is "" or a lone "|". An incoming line's lots or serial numbers hold
// one item per unit (|L1|L1|L2|); an outgoing line's hold one "lot ÿ serial"
// item per lot taken, its quantities the parallel list (|L1ÿ|L2ÿ| and |2|1|). Reading, common to every operation here that
// reads items (blanks are spaces: a tab or a no-break space is a character
// of an item):
//   1. the whole text is trimmed;
//   2. one leading "|" is dropped (only one: ||A| is an empty item, then A);
//   3. an item is the text up to the next "|"; after each item reading stops
//      when the rest is blank;
//   4. text after the last "|" is no item (A|B holds A alone; a text without
//      "|" holds none);
//   5. an empty or blank item between two pipes is an item and keeps its place;
//   6. items are trimmed where stored or compared (ExtraeSerieLote alone
//      returns the item as it stands);
//   7. items compare as text without regard to case;
//   8. positions and counts are 16-bit: an item longer than 32,765 characters
//      or a list of more than 32,767 items is the overflow error.
//
// Arrays filled here hold the n items at 0..n-1 and one empty element at n,
// so the upper bound is the item count; callers count on that element.
//
// These are free functions so that the dialogs use them without a rules
// object; ClsCmnCptes offers each as a member too. Each keeps nothing between
// calls. StrSerieLote, DescomponeSerieLote, DescomponePosicionCantidadLote,
// Cuenta_Series_Lotes, Cantidad_Series_Lotes and Busca_Lotes_Series trap
// their errors through the error dialog with their own name and leave with
// what the result holds; ExtraeSerieLote and InsertaCHR255 pass them on.

// Character 255 of the stored lists: it joins a lot and a serial number in
// one item of an outgoing line (lot, separator, serial) and marks a lot for
// the outgoing form. It is the character U+00FF, so it stays the same
// character in SQLite's UTF-8 and through the wide text of ODBC.
inline constexpr QChar SeparadorLoteSerie = QChar(0x00FF);

// lot, separator, serial: the outgoing item form (either part may be empty).
QString UneLoteSerie(const QString& lote, const QString& serie);
// The part of an item before its first separator (the whole item when it has
// none) and the part after it (empty when none).
void SeparaLoteSerie(const QString& item, QString& lote, QString& serie);

// The distinct non-blank items in order of first appearance, each preceded
// by one blank: |a|B|A| |c| gives " a B c".
QString StrSerieLote(const QString& Serie_Lote);
// The trimmed items into Arreglo (replaced), with the closing empty element.
void DescomponeSerieLote(const QString& Serie_Lote, std::vector<QString>& Arreglo);
// The position list split into positions and quantities at the first "*" of
// each item (an item without "*" is all position, with an empty quantity),
// and the parallel lot list into ArrLote. Each array ends with the empty
// element.
void DescomponePosicionCantidadLote(const QString& Posicion_Lote, const QString& PIPELotes,
                                    std::vector<QString>& ArrPosiciones, std::vector<QString>& ArrCantidades,
                                    std::vector<QString>& ArrLote);
// The distinct (series, lot) pairs of a line, both halves trimmed and
// compared without regard to case, a pair with both halves blank not
// counted. When PipeSeries is not exactly "", lots play no part (a series
// list of blanks counts as a list); otherwise the lots alone are counted.
// The stock update reads it to tell how a line is written: an incoming line
// with more than one pair gives one row of 1 per unit (its lists hold an
// item per unit), with one or none a single row of its quantity; an outgoing
// or size line gives one row per item of its lists.
std::int32_t Cuenta_Series_Lotes(const QString& PipeSeries, const QString& PIPELotes);
// Item number QuePosicion (from 1), untrimmed; "" when there is no such item.
QString ExtraeSerieLote(const QString& Serie_Lote, std::int16_t QuePosicion);
// The number of items, empty ones included (|a||b| holds 3).
std::int32_t Cantidad_Series_Lotes(const QString& Pipes);
// The list with the separator at the end of every item: |L1|L2| gives
// |L1ÿ|L2ÿ|; "" and "|" give "|". Only a leading "|" is dropped before the
// items are marked, so a list written without it keeps its first character.
QString InsertaCHR255(const QString& iPipe);
// The number (from 1) of the first item equal to QueSerieLote, both trimmed,
// without regard to case. A list with no "|" after its leading one gives 0;
// no match gives the item count plus one, a place where ExtraeSerieLote of
// the parallel list answers "".
std::int32_t Busca_Lotes_Series(const QString& PipeSeriesLotes, const QString& QueSerieLote);
