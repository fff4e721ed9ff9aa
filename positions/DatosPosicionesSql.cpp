#include "DatosPosicionesSql.h"

#include "PXQ_RTDravelo.h"

#include "core/DB_Dll.h"
#include "platform/Value.h"
#include "rules/Stock.h"

QString SentenciaPosiciones(const QString& idDeposito, const QStringList& propuestas)
{
    DB_Dll& db = ObjDB();
    const QString deposito = db.SQLValue(idDeposito.trimmed(), QStringLiteral("'"));
    // One IN list rather than a chain of ORs: the same rows, and a depot of
    // thousands of unreserved positions stays within what a server parses.
    // Each code is quoted straight into the list, its apostrophes doubled.
    qsizetype largo = 0;
    for (const QString& p : propuestas)
        largo += p.size() + 3;
    QString lista;
    lista.reserve(largo);
    for (const QString& p : propuestas) {
        if (!lista.isEmpty())
            lista += u',';
        lista += u'\'';
        qsizetype desde = 0;
        for (qsizetype en; (en = p.indexOf(u'\'', desde)) >= 0; desde = en + 1) {
            lista += QStringView(p).mid(desde, en + 1 - desde);
            lista += u'\'';
        }
        lista += QStringView(p).mid(desde);
        lista += u'\'';
    }
    return QStringLiteral(" SELECT MA_POSICIONES.idposicion,MA_POSICIONES.descripcion, MA_POSICIONES.ORDENINGRESO,"
                          "isnull(MA_POSICIONES.idunidad,'') as idunidad,MA_POSICIONES.habilitado, "
                          "isnull(MA_POSICIONES.CAPACIDAD,0)as capacidad,  isnull((  select sum(saldoPOSICION) from "
                          "ac_saldoslayout   where LTRIM(RTRIM(iddeposito))=") +
           deposito +
           QStringLiteral("   and idposicion=MA_POSICIONES.idposicion  ),0)As SaldoPosicion  From MA_POSICIONES  "
                          "WHERE LTRIM(RTRIM(MA_POSICIONES.IDDEPOSITO))=") +
           deposito + QStringLiteral("  AND(MA_POSICIONES.IDPOSICION IN (") + lista +
           QStringLiteral("))  ORDER BY ma_posiciones.ordeningreso,ma_posiciones.idposicion ");
}

QStringList DatosPosicionesSql::ProponePosiciones(const QString& idArticulo, const QString& idDeposito)
{
    QStringList propuesta;
    PXQ_RTDravelo::ProponePosiciones(idArticulo, idDeposito, propuesta, QString());
    return propuesta;
}

std::vector<FilaPosicion> DatosPosicionesSql::LeePosiciones(const QString& idDeposito, const QStringList& propuestas)
{
    std::vector<FilaPosicion> filas;
    // One row for each proposed code at most: the rows of a depot of
    // thousands of positions are not moved again and again as they come.
    filas.reserve(static_cast<std::size_t>(propuestas.size()));
    db::Recordset rs;
    ObjDB().AbrirRecordset(SentenciaPosiciones(idDeposito, propuestas), rs);
    if (!rs.Eof()) {
        // Each field is found by name once, not once per row.
        const db::Field& posicion = rs.field(QStringLiteral("idposicion"));
        const db::Field& descripcion = rs.field(QStringLiteral("descripcion"));
        const db::Field& orden = rs.field(QStringLiteral("ORDENINGRESO"));
        const db::Field& unidad = rs.field(QStringLiteral("idunidad"));
        const db::Field& habilitado = rs.field(QStringLiteral("habilitado"));
        const db::Field& capacidad = rs.field(QStringLiteral("capacidad"));
        const db::Field& saldo = rs.field(QStringLiteral("SaldoPosicion"));
        for (; !rs.Eof(); rs.MoveNext())
            filas.push_back({lang::text(posicion.Value()), lang::text(descripcion.Value()), lang::text(orden.Value()),
                             lang::text(unidad.Value()), habilitado.Value(), lang::number(capacidad.Value()),
                             lang::number(saldo.Value())});
    }
    ObjDB().CierraRecordset(rs);
    return filas;
}

const DatosPosicionesSql::Hallada& DatosPosicionesSql::equivalencia(const QString& idArticulo, const QString& unidad)
{
    const std::pair<QString, QString> clave(idArticulo, unidad);
    auto it = m_equivalencias.find(clave);
    if (it == m_equivalencias.end()) {
        Hallada e;
        QString unidadArticulo;
        bool sinUnidad = false;
        e.hay = ::IdArticuloTieneEquivalencias(idArticulo, unidad, e.operador, unidadArticulo, e.coeficiente, sinUnidad);
        it = m_equivalencias.insert(clave, e);
    }
    return *it;
}

const DatosPosicionesSql::Hallada& DatosPosicionesSql::equivalencia(const QString& idArticulo, const QString& unidad,
                                                                    const QString& unidadEquiv)
{
    const std::pair<QString, std::pair<QString, QString>> clave(idArticulo, {unidad, unidadEquiv});
    auto it = m_equivalenciasEntreUnidades.find(clave);
    if (it == m_equivalenciasEntreUnidades.end()) {
        Hallada e;
        e.hay = EquivalenciaEntreUnidades(idArticulo, unidad, unidadEquiv, e.operador, e.coeficiente);
        it = m_equivalenciasEntreUnidades.insert(clave, e);
    }
    return *it;
}

bool DatosPosicionesSql::Equivalencia(const QString& idArticulo, const QString& unidad, const QString& unidadEquiv,
                                      QString& operador, double& coeficiente)
{
    const Hallada& e = equivalencia(idArticulo, unidad, unidadEquiv);
    if (e.hay) {
        operador = e.operador;
        coeficiente = e.coeficiente;
    }
    return e.hay;
}

bool DatosPosicionesSql::IdArticuloTieneEquivalencias(const QString& idArticulo, const QString& unidad)
{
    return equivalencia(idArticulo, unidad).hay;
}
