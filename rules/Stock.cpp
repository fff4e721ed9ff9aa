#include "Stock.h"

#include "Sentencias.h"
#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/Value.h"

std::vector<ItemCantidad> ArrInsumos;

namespace {

double cantidadDe(const db::Recordset& rs, const QString& campo)
{
    return ObjUtilidades().TextoADoble(lang::text(rs.value(campo)));
}

}  // namespace

bool ArticuloTieneLotes(const QString& IdArticulo, const QString& IdDeposito, std::vector<ItemCantidad>& Lotes,
                        double Cantidad)
{
    db::Recordset rs;
    RepartoLotes reparto(Cantidad);
    bool tieneLotes = false;
    ErrorTrap::showing(QStringLiteral("ArticuloTieneLotes")).run({
        [&] { ObjDB().AbrirRecordset(sentencias::LotesDelArticulo(IdArticulo, IdDeposito), rs); },
        [&] { tieneLotes = !rs.Eof(); },
        [&] {
            for (bool sigue = true; sigue && !rs.Eof(); rs.MoveNext()) {
                sigue = reparto.Toma(lang::text(rs.value(QStringLiteral("NroLote"))),
                                     cantidadDe(rs, QStringLiteral("CANTIDAD")));
                if (!sigue)
                    break;
            }
        },
        [&] { ObjDB().CierraRecordset(rs); },
    });
    Lotes = reparto.Entradas();
    return tieneLotes;
}

bool IdArticuloTieneInsumos(const QString& IdArticulo, std::vector<ItemCantidad>& Insumos, int SoloVerifica)
{
    db::Recordset rs;
    bool tieneInsumos = false;
    Insumos.assign(1, ItemCantidad());
    ErrorTrap::showing(QStringLiteral("IdArticuloTieneInsumos")).run({
        [&] { ObjDB().AbrirRecordset(sentencias::InsumosDelArticulo(IdArticulo), rs); },
        [&] {
            tieneInsumos = !rs.Eof();
            if (tieneInsumos && SoloVerifica == 0)
                Insumos.clear();
        },
        [&] {
            if (SoloVerifica != 0)
                return;
            for (; !rs.Eof(); rs.MoveNext())
                Insumos.emplace_back(lang::text(rs.value(QStringLiteral("IdArticuloInsumo"))),
                                     lang::text(rs.value(QStringLiteral("IdUnidadInsumo"))),
                                     cantidadDe(rs, QStringLiteral("Cantidad")));
        },
        [&] { ObjDB().CierraRecordset(rs); },
    });
    if (Insumos.empty())
        Insumos.assign(1, ItemCantidad());
    return tieneInsumos;
}

QString ObtieneUnidadArticulo(const QString& IdArticulo)
{
    db::Recordset rs;
    ObjDB().AbrirRecordset(sentencias::UnidadDelArticulo(IdArticulo), rs);
    const QString unidad = rs.Eof() ? QString() : lang::text(rs.value(QStringLiteral("IdUnidad"))).trimmed();
    ObjDB().CierraRecordset(rs);
    return unidad;
}

bool EquivalenciaEntreUnidades(const QString& IdArticulo, const QString& IdUnidad, const QString& IdUnidadEquiv,
                               QString& Operador, double& Coeficiente)
{
    bool encontrada = false;
    db::Recordset rs;
    ObjDB().AbrirRecordset(sentencias::Equivalencia(IdArticulo, IdUnidad, IdUnidadEquiv), rs);
    if (!rs.Eof()) {
        const double coeficiente = lang::number(rs.value(QStringLiteral("Coeficiente")));
        // Dividing by a coefficient of 0 means nothing: such a row is no equivalence.
        if (coeficiente != 0) {
            encontrada = true;
            Coeficiente = coeficiente;
            Operador = QStringLiteral("/");
        }
    }
    ObjDB().CierraRecordset(rs);
    if (encontrada)
        return true;
    ObjDB().AbrirRecordset(sentencias::Equivalencia(IdArticulo, IdUnidadEquiv, IdUnidad), rs);
    if (!rs.Eof()) {
        encontrada = true;
        Coeficiente = lang::number(rs.value(QStringLiteral("Coeficiente")));
        Operador = QStringLiteral("*");
    }
    ObjDB().CierraRecordset(rs);
    return encontrada;
}

bool IdArticuloTieneEquivalencias(const QString& IdArticulo, const QString& IdUnidad, QString& Operador,
                                  QString& UnidadArticulo, double& Coeficiente, bool& SinUnidad)
{
    UnidadArticulo.clear();
    Coeficiente = 0;
    SinUnidad = false;
    bool encontrada = false;
    ErrorTrap::showing(QStringLiteral("IdArticuloTieneEquivalencias")).run({
        [&] { UnidadArticulo = ObtieneUnidadArticulo(IdArticulo); },
        [&] {
            if (UnidadArticulo.trimmed().isEmpty()) {
                UnidadArticulo.clear();
                SinUnidad = true;
                ErrorTrap::leave();
            }
        },
        [&] { encontrada = EquivalenciaEntreUnidades(IdArticulo, UnidadArticulo, IdUnidad, Operador, Coeficiente); },
    });
    return encontrada;
}

double ConvierteCantidadUnidad(const QString& IdArticulo, const QString& IdUnidad, double Cantidad,
                               const QString& IdUnidadCantidad)
{
    if (Cantidad == 0)
        return 0;
    if (lang::sameText(IdUnidad, IdUnidadCantidad))
        return Cantidad;
    QString operador;
    QString unidadArticulo;
    double coeficiente = 0;
    bool sinUnidad = false;
    if (!IdArticuloTieneEquivalencias(IdArticulo, IdUnidadCantidad, operador, unidadArticulo, coeficiente, sinUnidad))
        return 0;
    return AplicaEquivalencia(Cantidad, operador, coeficiente);
}

double ConvierteEntreUnidades(const QString& IdArticulo, const QString& UnidadOrigen, double Cantidad,
                              const QString& UnidadDestino)
{
    const QString origen = UnidadOrigen.trimmed();
    const QString destino = UnidadDestino.trimmed();
    if (Cantidad == 0 || lang::sameText(origen, destino))
        return Cantidad;
    const QString unidadArticulo = ObtieneUnidadArticulo(IdArticulo);
    const double enUnidadArticulo = ConvierteCantidadUnidad(IdArticulo, unidadArticulo, Cantidad, origen);
    if (lang::sameText(destino, unidadArticulo))
        return enUnidadArticulo;
    // The equivalence of the destination turns its quantities into the
    // article's unit; the way back inverts its operator.
    QString operador;
    QString unidad;
    double coeficiente = 0;
    bool sinUnidad = false;
    if (!IdArticuloTieneEquivalencias(IdArticulo, destino, operador, unidad, coeficiente, sinUnidad))
        return 0;
    return AplicaEquivalencia(enUnidadArticulo, operador == u"*" ? QStringLiteral("/") : QStringLiteral("*"),
                              coeficiente);
}

void ControlStock(const QString& IdDeposito, const QString& IdArticulo, const QString& IdUnidad, double& Stock)
{
    if (IdArticulo.trimmed().isEmpty())
        return;
    db::Recordset rs;
    double stock = 0;
    const bool completo = ErrorTrap::showing(QStringLiteral("ControlStock")).run({
        [&] { ObjDB().AbrirRecordset(sentencias::StockDelArticulo(IdDeposito, IdArticulo, IdUnidad), rs); },
        [&] { stock = rs.Eof() ? 0 : cantidadDe(rs, QStringLiteral("STOCK")); },
        [&] { ObjDB().CierraRecordset(rs); },
    });
    if (completo)
        Stock = stock;
}
