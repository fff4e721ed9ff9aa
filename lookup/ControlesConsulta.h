#pragma once

#include <QString>

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

}  // namespace consulta
