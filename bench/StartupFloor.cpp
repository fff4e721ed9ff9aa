// The start-up benchmark's floor: a bare Qt program that shows a main window
// of the program's first window's size holding a table of its grid's size
// and rows (none, as the program's grid opens empty), timed through the same
// hook as the program.
#include "app/SalidaAlMostrar.h"

#include <QApplication>
#include <QMainWindow>
#include <QTableWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow ventana;
    auto* fondo = new QWidget(&ventana);
    auto* tabla = new QTableWidget(fondo);
    tabla->setGeometry(12, 259, 765, 334);
    ventana.setCentralWidget(fondo);
    ventana.resize(800, 692);
    ventana.show();
    salida_al_mostrar::instala(&ventana);
    return app.exec();
}
