#include "ConsultaSql.h"

#include "MascaraConsulta.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/kumozen/KumozenUtilidades.h"

namespace consulta {

namespace {
bool contiene(const QString& texto, const QString& buscado)
{
    return texto.contains(buscado, Qt::CaseInsensitive);
}
}  // namespace

int LimiteFilas(const QString& topConsArt)
{
    int n = 0;
    try {
        n = lang::toInt32(lang::leadingNumber(topConsArt));
    } catch (const RuntimeError&) {
        n = 0;
    }
    return n == 0 ? 1000 : n;
}

bool EsSentencia(const QString& sql)
{
    return contiene(sql, QStringLiteral("SELECT"));
}

QString ConVistaDeArticulos(const QString& sentencia)
{
    if (!contiene(sentencia, QStringLiteral("V_MA_ARTICULOS")))
        return sentencia;
    return KumozenUtilidades().ReemplazaCadena(sentencia, QStringLiteral("V_MA_ARTICULOS"),
                                               QStringLiteral("VT_MA_ARTICULOS"));
}

Armado DesdeMascara(const MascaraConsulta& mascara, int limite, const QString& campoBusqueda,
                    const QString& where)
{
    const KumozenUtilidades util;
    Armado a;
    a.CampoBusqueda = campoBusqueda;
    QString tabla = mascara.Tabla;

    QString campos = util.ReemplazaTexto(mascara.Campos, QStringLiteral("|"), QStringLiteral(",")).trimmed();
    if (campos.startsWith(u','))
        campos.remove(0, 1);
    if (campos.endsWith(u','))
        campos.chop(1);
    if (campos.trimmed().isEmpty())
        campos = QStringLiteral("*");

    if (a.CampoBusqueda.isEmpty()) {
        const qsizetype coma = campos.indexOf(u',');
        if (coma < 0) {
            a.FaltaConfigurar = true;
            return a;
        }
        a.CampoBusqueda = campos.left(coma);
    }

    QString condicion =
        util.QuitaCaracteres(mascara.Condicion, QString(QChar(0)), QString(QChar(255))).trimmed();
    if (condicion.isEmpty() && !where.trimmed().isEmpty())
        condicion = where;

    if (lang::sameText(tabla, u"VT_PROVEEDORES") || lang::sameText(tabla, u"VT_CLIENTES")) {
        if (condicion.trimmed().isEmpty())
            condicion = QStringLiteral("Dada_De_Baja = 0");
    } else if (lang::sameText(tabla, u"V_MA_ARTICULOS")) {
        tabla = QStringLiteral("VT_MA_ARTICULOS");
        if (condicion.trimmed().isEmpty())
            condicion = QStringLiteral("SUSPENDIDO = 0");
    }

    a.Sql = QStringLiteral("SELECT TOP ") + QString::number(limite) + u' ' + campos + QStringLiteral(" FROM ") + tabla;
    if (!condicion.trimmed().isEmpty())
        a.Sql += QStringLiteral(" WHERE ") + condicion;
    if (!a.CampoBusqueda.isEmpty())
        a.Sql += QStringLiteral(" ORDER BY ") + a.CampoBusqueda;
    return a;
}

QString SondeoColumnas(const QString& tabla)
{
    return QStringLiteral("select top 1 * from ") + tabla;
}

Armado DesdeColumnas(const QString& tabla, const QStringList& columnas, int limite, const QString& campoBusqueda)
{
    Armado a;
    a.CampoBusqueda = campoBusqueda;
    QString lista;
    bool primera = true;
    for (const QString& columna : columnas) {
        if (lang::sameText(columna, u"ID") || lang::sameText(columna, u"FECHAHORA_MODIFICACION") ||
            lang::sameText(columna, u"FECHAHORA_GRABACION"))
            continue;
        lista.prepend(columna + u',');
        if (primera || lang::sameText(columna, u"DESCRIPCION") || lang::sameText(columna, u"NOMBRE") ||
            lang::sameText(columna, u"DETALLE"))
            a.CampoBusqueda = columna;
        primera = false;
    }
    if (lista.isEmpty())
        lista = QStringLiteral(" * ");
    else
        lista.chop(1);

    a.Sql = QStringLiteral("SELECT TOP ") + QString::number(limite) + u' ' + lista + QStringLiteral(" FROM ") + tabla;
    // Without a search column there is nothing to order by; an empty
    // ORDER BY would make the server reject the whole lookup.
    if (!a.CampoBusqueda.isEmpty())
        a.Sql += QStringLiteral(" ORDER BY ") + a.CampoBusqueda;
    return a;
}

Filtro FiltroServidor(const QString& sql, const QString& base, const QString& columna, const QString& literal)
{
    Filtro f;
    QString cabeza = base;
    const qsizetype orden = sql.indexOf(QStringLiteral("order by"), 0, Qt::CaseInsensitive);
    if (orden >= 0) {
        f.Orden = sql.mid(orden);
        cabeza = sql.left(orden);
    }
    const QString union_ = contiene(sql, QStringLiteral("where")) ? QStringLiteral(" and ") : QStringLiteral(" where ");
    f.Sql = cabeza + union_ + columna + QStringLiteral(" like ") + literal + u' ' + f.Orden;
    return f;
}

QString PatronContiene(const QString& texto)
{
    return u'%' + texto + u'%';
}

}  // namespace consulta
