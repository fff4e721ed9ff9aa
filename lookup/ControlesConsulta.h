#pragma once

#include <QString>
#include <functional>

class QComboBox;
class QFrame;
class QPushButton;
class QWidget;

// The controls both lookup dialogs are made of.
namespace consulta {

// Search box Index: editable, and what the operator types never becomes one
// of its entries. The first box carries the F5 hint.
QComboBox* NuevaCajaBusqueda(QWidget* padre, int Index);

// The button in slot 0, 1 or 2 of the dialog's bottom frame. Enter belongs
// to the list and the search boxes, so no button takes it over.
QPushButton* NuevoBoton(QFrame* marco, const QString& nombre, const QString& texto, int lugar);

// What F5 keeps between the loads of a dialog.
struct EstadoFiltro {
    QString SqlBase;   // the statement of the latest load, which F5 narrows
    QString SqlOrden;  // the ordering clause the latest F5 cut off
};

// F5 in a search box: the dialog's statement narrowed on the server to the
// rows whose column holds the box's text, the box emptied, the narrowed
// statement kept as the base of the next F5, and the dialog loaded again
// through `carga`. A step that fails is passed over.
void FiltraEnServidor(QString& sql, EstadoFiltro& estado, QComboBox& caja, const QString& columna,
                      const std::function<void()>& carga);

}  // namespace consulta
