#include "Sentencias.h"

#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/RuntimeError.h"
#include "platform/db/Literals.h"

namespace sentencias {
namespace {

QString texto(const QVariant& valor)
{
    return ObjDB().SQLValue(valor);
}

QString numero(const QVariant& valor)
{
    return ObjDB().SQLValue(valor, QStringLiteral("@"));
}

QString codigo(const QString& valor, int ancho)
{
    return ObjUtilidades().AlineaDerecha(valor.trimmed(), ancho);
}

QString tipo4(const QString& tipo)
{
    return texto(codigo(tipo, 4));
}

// The voucher toolkit hands the depot over as a ready literal; its content is
// taken out so that it goes back in through SQLValue like any other code.
QString depositoSinComillas(const QString& deposito)
{
    const QString t = deposito.trimmed();
    if (t.size() >= 2 && t.startsWith(u'\'') && t.endsWith(u'\''))
        return db::unquoteText(t);
    return t;
}

}  // namespace

bool EsLetraValida(const QString& letra)
{
    const QString t = letra.trimmed();
    return t.size() == 1 && t != u"," && LetrasValidas.contains(t, Qt::CaseInsensitive);
}

QString ColumnaLetra(const QString& letra, const QString& sufijo)
{
    if (!EsLetraValida(letra))
        throw RuntimeError(errnum::InvalidProcedureCall,
                           QStringLiteral("La letra de comprobante \"%1\" no es valida, la misma debe ser %2")
                               .arg(letra, LetrasValidas),
                           QStringLiteral("ColumnaLetra"));
    return letra.trimmed().toUpper() + sufijo;
}

QString TalonariosDelTipo(const QString& tipo)
{
    return QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") + tipo4(tipo)
         + QStringLiteral(" ORDER BY TALONARIO");
}

QString TalonariosCompartidosDelTipo(const QString& tipo)
{
    return QStringLiteral("SELECT * FROM TA_Comprobantes WHERE CODIGO = ") + tipo4(tipo)
         + QStringLiteral(" ORDER BY TALONARIO");
}

QString TalonariosDeSucursal(const QString& tipo, const QString& letra, const QString& sucursal)
{
    return QStringLiteral("Select * from v_ta_cpte where codigo = ") + tipo4(tipo) + QStringLiteral(" and ")
         + ColumnaLetra(letra, QStringLiteral("_SUC_DEFAULT")) + QStringLiteral(" = ") + numero(sucursal);
}

QString TalonarioDelTipo(const QString& tipo, std::int16_t talonario)
{
    return QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") + tipo4(tipo) + QStringLiteral(" and Talonario = ")
         + numero(talonario);
}

QString TalonarioParaGrabar(const QString& tipo, std::int16_t talonario)
{
    return QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") + tipo4(tipo) + QStringLiteral(" AND TALONARIO =")
         + numero(talonario);
}

QString TalonarioCompartido(const QString& tipo, const QString& sistema, std::int16_t talonario)
{
    return QStringLiteral("SELECT * FROM TA_Comprobantes WHERE CODIGO = ") + tipo4(tipo)
         + QStringLiteral(" AND SISTEMA = ") + texto(sistema.trimmed()) + QStringLiteral(" AND TALONARIO = ")
         + numero(talonario);
}

namespace {

// The talonario's row, in the table it came from.
QString filaDelTalonario(bool compartido, const QString& tipo, const QString& sistema, std::int16_t talonario)
{
    if (!compartido)
        return QStringLiteral(" WHERE CODIGO = ") + tipo4(tipo) + QStringLiteral(" AND TALONARIO=") + numero(talonario);
    return QStringLiteral(" WHERE CODIGO = ") + tipo4(tipo) + QStringLiteral(" AND SISTEMA = ") + texto(sistema.trimmed())
         + QStringLiteral(" AND TALONARIO =") + numero(talonario);
}

QString tablaDelTalonario(bool compartido)
{
    return compartido ? QStringLiteral("TA_Comprobantes") : QStringLiteral("V_TA_CPTE");
}

}  // namespace

QString ActualizaUltimoNumero(bool compartido, const QString& tipo, const QString& sistema, const QString& letra,
                              const QString& nuevoNumero, std::int16_t talonario, const QString& fechaHora)
{
    const QString columna = ColumnaLetra(letra, QStringLiteral("_ULTIMO_NRO"));
    const QString nuevo = numero(nuevoNumero);
    QString asigna = columna + QStringLiteral(" = ") + nuevo;
    if (!fechaHora.isEmpty())
        asigna += QStringLiteral(", fechahora_modificacion = ") + texto(fechaHora);
    // The statement is handed to callers who may run it late or twice, after
    // later numbers were recorded: it never takes the number back.
    const QString sinRetroceder = QStringLiteral(" AND (") + columna + QStringLiteral(" IS NULL OR ") + columna
                                + QStringLiteral(" < ") + nuevo + u')';
    return QStringLiteral(" UPDATE ") + tablaDelTalonario(compartido) + QStringLiteral(" SET ") + asigna
         + filaDelTalonario(compartido, tipo, sistema, talonario) + sinRetroceder;
}

QString InsertaControl(bool compartido, const QString& tipo, const QString& sistema, std::int16_t talonario,
                       const QString& sucursal, const QString& nro, const QString& letra)
{
    // The control table has no key: the row's absence is the statement's own
    // condition. The talonario's row gives the one row to insert from, a
    // source every server accepts.
    return QStringLiteral(" INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) SELECT ") + tipo4(tipo) + u','
         + texto(sucursal) + u',' + texto(nro) + u',' + texto(letra) + QStringLiteral(" FROM ")
         + tablaDelTalonario(compartido) + filaDelTalonario(compartido, tipo, sistema, talonario)
         + QStringLiteral(" AND NOT EXISTS (SELECT * FROM V_MV_CTROL_CPTE WHERE TC = ") + tipo4(tipo)
         + QStringLiteral(" AND SUCURSAL = ") + texto(sucursal) + QStringLiteral(" AND NUMERO = ") + texto(nro)
         + QStringLiteral(" AND LETRA = ") + texto(letra) + u')';
}

QString BorraControl(const QString& tipo, const QString& sucursal, const QString& nro, const QString& letra)
{
    return QStringLiteral("DELETE FROM V_MV_CTROL_CPTE WHERE TC = ") + tipo4(tipo) + QStringLiteral(" AND SUCURSAL = ")
         + texto(sucursal) + QStringLiteral(" AND NUMERO = ") + texto(nro) + QStringLiteral(" AND LETRA = ")
         + texto(letra);
}

QString AsientosDelComprobante(const QString& tipo, const QString& sucursal, const QString& nro,
                               const QString& letra, const QString& cuenta)
{
    QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE TC = ") + tipo4(tipo)
                + QStringLiteral(" AND SUCURSAL = ") + texto(sucursal) + QStringLiteral(" AND NUMERO = ") + texto(nro)
                + QStringLiteral(" AND LETRA = ") + texto(letra);
    if (!cuenta.isEmpty())
        sql += QStringLiteral(" AND CUENTA = ") + texto(cuenta);
    return sql;
}

QString UltimoAsiento(const QString& tipo, const QString& sucursal, const QString& letra)
{
    return QStringLiteral("SELECT MAX(NUMERO) AS ULTIMO From MV_ASIENTOS WHERE TC = ") + tipo4(tipo)
         + QStringLiteral(" AND SUCURSAL= ") + texto(sucursal) + QStringLiteral(" AND LETRA = ") + texto(letra);
}

QString CompraExistente(const QString& tipo, const QString& idComprobante)
{
    return QStringLiteral("SELECT * From C_MV_CPTE WHERE TC = ") + texto(tipo) + QStringLiteral(" AND IDCOMPROBANTE = ")
         + texto(idComprobante);
}

QString UltimaCompra(const QString& tipo, const QString& sucursal, const QString& letra)
{
    return QStringLiteral("SELECT MAX(NUMERO) AS ULTIMO From C_MV_CPTE WHERE TC = ") + texto(tipo)
         + QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE,1,4) = ") + texto(sucursal)
         + QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE,13,1) = ") + texto(letra);
}

QString IdentificadorEnStock(const QString& tipo, const QString& idComprobante)
{
    return QStringLiteral("SELECT TC,IDCOMPROBANTE From V_MV_STOCK WHERE TC = ") + tipo4(tipo)
         + QStringLiteral(" AND IDCOMPROBANTE = ") + texto(idComprobante);
}

QString UltimoIdentificadorEnStock(const QString& tipo, const QString& sucursal, const QString& letra)
{
    return QStringLiteral("SELECT MAX(IDCOMPROBANTE) AS ULTIMO From V_MV_STOCK WHERE TC = ") + tipo4(tipo)
         + QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE, 1, 4)= ") + texto(sucursal)
         + QStringLiteral(" AND SUBSTRING(IDCOMPROBANTE, 13, 1)= ") + texto(letra);
}

QString LotesDelArticulo(const QString& articulo, const QString& deposito)
{
    return QStringLiteral("SELECT * FROM STK_SERIES_Y_LOTES WHERE IdArticulo = ") + texto(codigo(articulo, 25))
         + QStringLiteral(" AND CANTIDAD > 0  AND IDDEPOSITO = ") + texto(codigo(depositoSinComillas(deposito), 4))
         + QStringLiteral(" and not nrolote is null ORDER BY NROLOTE");
}

QString InsumosDelArticulo(const QString& articulo)
{
    return QStringLiteral("SELECT * FROM V_MA_INSUMOS WHERE IDARTICULO = ") + texto(codigo(articulo, 25));
}

QString UnidadDelArticulo(const QString& articulo)
{
    return QStringLiteral("SELECT IDUNIDAD FROM V_MA_ARTICULOS WHERE IDARTICULO = ") + texto(codigo(articulo, 25));
}

QString Equivalencia(const QString& articulo, const QString& unidad, const QString& unidadEquivalente)
{
    return QStringLiteral("SELECT * FROM  S_TA_EQUIV WHERE IdArticulo = ") + texto(codigo(articulo, 25))
         + QStringLiteral(" AND IDUNIDAD = ") + texto(codigo(unidad, 4)) + QStringLiteral(" AND IDUNIDAD_EQUIV = ")
         + texto(codigo(unidadEquivalente, 4));
}

QString StockDelArticulo(const QString& deposito, const QString& articulo, const QString& unidad)
{
    const QString condicion = QStringLiteral(" FROM STK_SALDOS_UNIDADES WHERE IDARTICULO = ")
                            + texto(codigo(articulo, 25)) + QStringLiteral(" AND EQUIVALENCIA = ")
                            + texto(codigo(unidad, 4));
    if (deposito.trimmed().isEmpty())
        return QStringLiteral("SELECT SUM(STOCK) AS STOCK ") + condicion + u' ';
    return QStringLiteral("SELECT STOCK") + condicion + QStringLiteral(" AND IDDEPOSITO = ")
         + texto(codigo(deposito, 4));
}

}  // namespace sentencias
