// The grid's properties, and the stored ones read from and written to the
// host's property store.
#include "grid/VrDbGrid.h"

#include "core/DB_Dll.h"
#include "platform/ErrorTrap.h"
#include "platform/PropertyBag.h"
#include "platform/Value.h"

// A stored property: its key, what a missing key reads as, whether that
// default goes to the store with the value (so an equal value is not kept),
// how a value read is taken (null: written, never read back) and what is
// written.
struct VrDbGrid::Guardada {
    const char* clave;
    QVariant porDefecto;
    bool escribeConDefecto;
    void (*lee)(VrDbGrid&, const QVariant&);
    QVariant (*escribe)(const VrDbGrid&);
};

namespace {

QString texto(const QVariant& v)
{
    return v.toString();
}

int numero(const QVariant& v)
{
    return lang::toInt32(lang::number(v));
}

}  // namespace

// In the order they are read and written. Some are read straight into the
// grid, others through their setters, so that the two mode menus get their
// marks. "AnchoColFijo" reads as True when missing, though a grid newly
// placed on a form starts with fitting widths; "OcultarOrdenar" is written
// but not read back: the host sets it at run time.
const VrDbGrid::Guardada VrDbGrid::kGuardadas[] = {
    {"SQL", QString(), false, [](VrDbGrid& g, const QVariant& v) { g.m_q.Sql = texto(v); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.Sql; }},
    {"PrimaryKey", QStringLiteral("ID"), false, [](VrDbGrid& g, const QVariant& v) { g.m_q.PrimaryKey = texto(v); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.PrimaryKey; }},
    {"Find", 2, true, [](VrDbGrid& g, const QVariant& v) { g.setFind(numero(v)); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.Find; }},
    {"Order", 1, true, [](VrDbGrid& g, const QVariant& v) { g.setOrder(numero(v)); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.Order; }},
    {"AlignCommandBar", 2, true, [](VrDbGrid& g, const QVariant& v) { g.m_alignCommandBar = numero(v); },
     [](const VrDbGrid& g) -> QVariant { return g.m_alignCommandBar; }},
    {"AlignFilterBar", 1, true, [](VrDbGrid& g, const QVariant& v) { g.m_alignFilterBar = numero(v); },
     [](const VrDbGrid& g) -> QVariant { return g.m_alignFilterBar; }},
    {"PageSize", 5, false, [](VrDbGrid& g, const QVariant& v) { g.m_q.PageSize = numero(v); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.PageSize; }},
    {"AnchoColFijo", true, false, [](VrDbGrid& g, const QVariant& v) { g.m_anchoColFijo = v.toBool(); },
     [](const VrDbGrid& g) -> QVariant { return g.m_anchoColFijo; }},
    {"CamposSel", QString(), false, [](VrDbGrid& g, const QVariant& v) { g.m_q.CamposSel = texto(v); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.CamposSel; }},
    {"Campos", QString(), false, [](VrDbGrid& g, const QVariant& v) { g.m_q.Campos = texto(v); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.Campos; }},
    {"OrdinalSel", QString(), false, [](VrDbGrid& g, const QVariant& v) { g.m_q.OrdinalSel = texto(v); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.OrdinalSel; }},
    {"Columnas", false, false, [](VrDbGrid& g, const QVariant& v) { g.setColumnas(v.toBool()); },
     [](const VrDbGrid& g) -> QVariant { return g.m_columnas; }},
    {"OcultarOrdenar", QVariant(), false, nullptr, [](const VrDbGrid& g) -> QVariant { return g.m_ocultarOrdenar; }},
    {"OrderBy", QString(), false, [](VrDbGrid& g, const QVariant& v) { g.setOrderBy(texto(v)); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.OrderBy; }},
    {"OrdenSent", 0, false, [](VrDbGrid& g, const QVariant& v) { g.setOrdenSent(numero(v)); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.OrdenSent; }},
    {"FormatDate", 103, false, [](VrDbGrid& g, const QVariant& v) { g.setFormatDate(numero(v)); },
     [](const VrDbGrid& g) -> QVariant { return g.m_q.FormatDate; }},
};

void VrDbGrid::ReadProperties(PropertyBag& bag)
{
    std::vector<ErrorTrap::Step> pasos;
    for (const Guardada& p : kGuardadas)
        if (p.lee)
            pasos.push_back([&] { p.lee(*this, bag.ReadProperty(QString::fromLatin1(p.clave), p.porDefecto)); });
    ErrorTrap::skipping().run(pasos);
}

void VrDbGrid::WriteProperties(PropertyBag& bag) const
{
    std::vector<ErrorTrap::Step> pasos;
    for (const Guardada& p : kGuardadas)
        pasos.push_back([&] {
            bag.WriteProperty(QString::fromLatin1(p.clave), p.escribe(*this),
                              p.escribeConDefecto ? p.porDefecto : QVariant());
        });
    ErrorTrap::skipping().run(pasos);
}

template <class T>
void VrDbGrid::cambia(T& miembro, const std::type_identity_t<T>& valor, const char* clave)
{
    miembro = valor;
    emit PropertyChanged(QString::fromLatin1(clave));
}

QString VrDbGrid::ConString() const
{
    return ObjDB().gConnString;
}

// Not kept by the grid: the program has one connection, which this opens
// when it is not open yet.
void VrDbGrid::setConString(const QString& value)
{
    if (!ObjDB().gOpenFlag)
        ObjDB().OpenServerADODB(false, 3, value);
    emit PropertyChanged(QStringLiteral("ConString"));
}

QString VrDbGrid::Sql() const { return m_q.Sql; }
void VrDbGrid::setSql(const QString& value) { cambia(m_q.Sql, value + QLatin1Char(' '), "SQL"); }

QString VrDbGrid::PrimaryKey() const { return m_q.PrimaryKey; }
void VrDbGrid::setPrimaryKey(const QString& value) { cambia(m_q.PrimaryKey, value, "PrimaryKey"); }

int VrDbGrid::Find() const { return m_q.Find; }
void VrDbGrid::setFind(int value)
{
    cambia(m_q.Find, value, "Find");
    markMenu(m_buscarMenu, value);
}

int VrDbGrid::Order() const { return m_q.Order; }
void VrDbGrid::setOrder(int value)
{
    cambia(m_q.Order, value, "Order");
    markMenu(m_ordenMenu, value);
}

int VrDbGrid::AlignCommandBar() const { return m_alignCommandBar; }
void VrDbGrid::setAlignCommandBar(int value) { cambia(m_alignCommandBar, value, "AlignCommandBar"); }

int VrDbGrid::AlignFilterBar() const { return m_alignFilterBar; }
void VrDbGrid::setAlignFilterBar(int value) { cambia(m_alignFilterBar, value, "AlignFilterBar"); }

int VrDbGrid::PageSize() const { return m_q.PageSize; }
void VrDbGrid::setPageSize(int value) { cambia(m_q.PageSize, value, "PageSize"); }

bool VrDbGrid::AnchoColFijo() const { return m_anchoColFijo; }
void VrDbGrid::setAnchoColFijo(bool value) { cambia(m_anchoColFijo, value, "AnchoColFijo"); }

QString VrDbGrid::CamposSel() const { return m_q.CamposSel; }
void VrDbGrid::setCamposSel(const QString& value) { cambia(m_q.CamposSel, value, "CamposSel"); }

QString VrDbGrid::Campos() const { return m_q.Campos; }
void VrDbGrid::setCampos(const QString& value) { cambia(m_q.Campos, value, "Campos"); }

QString VrDbGrid::OrdinalSel() const { return m_q.OrdinalSel; }
void VrDbGrid::setOrdinalSel(const QString& value) { cambia(m_q.OrdinalSel, value, "OrdinalSel"); }

bool VrDbGrid::Columnas() const { return m_columnas; }
void VrDbGrid::setColumnas(bool value) { cambia(m_columnas, value, "Columnas"); }

bool VrDbGrid::OcultarOrdenar() const { return m_ocultarOrdenar; }
void VrDbGrid::setOcultarOrdenar(bool value) { cambia(m_ocultarOrdenar, value, "OcultarOrdenar"); }

QString VrDbGrid::OrderBy() const { return m_q.OrderBy; }
void VrDbGrid::setOrderBy(const QString& value) { cambia(m_q.OrderBy, value, "OrderBy"); }

int VrDbGrid::OrdenSent() const { return m_q.OrdenSent; }
void VrDbGrid::setOrdenSent(int value) { cambia(m_q.OrdenSent, value, "OrdenSent"); }

int VrDbGrid::PaginaActual() const { return m_q.PaginaActual; }
int VrDbGrid::UltimaPagina() const { return m_q.UltimaPagina; }

int VrDbGrid::FormatDate() const { return m_q.FormatDate; }
void VrDbGrid::setFormatDate(int value) { cambia(m_q.FormatDate, value, "FormatDate"); }
