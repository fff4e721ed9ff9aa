#include "ControlesConsulta.h"

#include "ConsultaSql.h"
#include "core/DB_Dll.h"
#include "platform/ErrorTrap.h"
#include "platform/NulCharacters.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

namespace consulta {

QComboBox* NuevaCajaBusqueda(QWidget* padre, int Index)
{
    auto* caja = new QComboBox(padre);
    caja->setObjectName(QStringLiteral("CmbSearch_%1").arg(Index));
    caja->setEditable(true);
    caja->setInsertPolicy(QComboBox::NoInsert);
    refuseNulCharacters(*caja->lineEdit());
    if (Index == 0)
        caja->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    return caja;
}

QPushButton* NuevoBoton(QFrame* marco, const QString& nombre, const QString& texto, int lugar)
{
    auto* boton = new QPushButton(texto, marco);
    boton->setObjectName(nombre);
    boton->setGeometry(5 + 130 * lugar, 6, 120, 28);
    boton->setAutoDefault(false);
    boton->setDefault(false);
    return boton;
}

void FiltraEnServidor(QString& sql, EstadoFiltro& estado, QComboBox& caja, const QString& columna,
                      const std::function<void()>& carga)
{
    ErrorTrap::skipping().run({
        [&] { estado.SqlOrden.clear(); },
        [&] {
            const QString literal = ObjDB().SQLValue(PatronContiene(caja.currentText()), QStringLiteral("'"));
            const Filtro filtro = FiltroServidor(sql, estado.SqlBase, columna, literal);
            estado.SqlOrden = filtro.Orden;
            sql = filtro.Sql;
        },
        [&] { caja.setEditText(QString()); },
        [&] { estado.SqlBase = sql; },
        [&] { carga(); },
    });
}

}  // namespace consulta
