#pragma once

#include "platform/FlexGrid.h"
#include "platform/StatusBar.h"
#include "platform/TabStrip.h"
#include "vouchers/ColumnasGrillas.h"

#include <QString>
#include <initializer_list>
#include <utility>

// What a voucher-entry form hands the voucher rules, unshown: the tasks,
// articles, other-concepts and totals grids with the column counts of the
// column model (vouchers/ColumnasGrillas.h), each with its header row and one
// empty entry row; a status bar whose panel 4 is the detail panel and panel 5
// is keyed "Stock"; a tab strip with the three entry tabs, visible and
// captioned "Tareas", "Artículos" and "Otros Conceptos".
//
//     FormularioComprobante f;
//     AgregaLinea(f.articulos, {{ColArticulos::Codigo, "ART001"}, {ColArticulos::Cant, "2,5"}});
struct FormularioComprobante {
    FlexGrid tareas;
    FlexGrid articulos;
    FlexGrid otros;
    FlexGrid totales;
    StatusBar barra;
    TabStrip solapas;

    FormularioComprobante();
};

// Enters a line as the form does: the cells go into the grid's last row, and
// an empty row follows it. Returns the row written.
int AgregaLinea(FlexGrid& grilla, std::initializer_list<std::pair<int, QString>> celdas);
