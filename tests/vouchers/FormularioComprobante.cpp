#include "FormularioComprobante.h"

namespace {

void preparaGrilla(FlexGrid& grilla, int filas, int columnas)
{
    grilla.setCols(columnas);
    grilla.setRows(filas);
    grilla.setFixedRows(1);
    grilla.setFixedCols(0);
}

}  // namespace

FormularioComprobante::FormularioComprobante()
{
    preparaGrilla(tareas, 2, ColTareas::Columnas);
    preparaGrilla(articulos, 2, ColArticulos::Columnas);
    preparaGrilla(otros, 2, ColOtrosConceptos::Columnas);
    preparaGrilla(totales, 2, ColTotales::Columnas);
    for (const char* clave : {"Estado", "Usuario", "Fecha", "Detalle", "Stock"})
        barra.Panels().Add(QString::fromLatin1(clave));
    solapas.setTabs(3);
    solapas.setTabCaption(0, QStringLiteral("Tareas"));
    solapas.setTabCaption(1, QStringLiteral("Artículos"));
    solapas.setTabCaption(2, QStringLiteral("Otros Conceptos"));
}

int AgregaLinea(FlexGrid& grilla, std::initializer_list<std::pair<int, QString>> celdas)
{
    const int fila = grilla.Rows() - 1;
    for (const auto& [columna, texto] : celdas)
        grilla.setTextMatrix(fila, columna, texto);
    grilla.setRows(fila + 2);
    return fila;
}
