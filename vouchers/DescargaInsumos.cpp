// The inputs of produced articles leave stock as a voucher of their own, type
// "PE", branch 0001, letter X: one row per lot each input is taken from.
#include "vouchers/ActualizacionStock.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Listas.h"
#include "core/Objetos.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "rules/Stock.h"
#include "rules/Stuff.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/LiteralesComprobante.h"
#include "vouchers/NumeroCelda.h"

namespace {

const QString kPE = QStringLiteral("PE");
const QString kSistemaPE = QStringLiteral("STOCK");

ActualizacionStock::Rechazo sinTalonario()
{
    return {QStringLiteral("No se grabó el stock del comprobante: no hay un talonario del comprobante PE que numere "
                           "la descarga de insumos de sus artículos.")};
}

}  // namespace

void ActualizacionStock::descargaInsumos(int signo, const Escritura& escribe, const Ejecucion& ejecutaYa)
{
    // Kept as stored settings have it: "SI" is the one value that skips it.
    if (lang::sameText(Cfg(QStringLiteral("DescargaInsumosProduccion")), u"SI"))
        return;
    m_secuenciaPE = 0;
    for (int fila = 1; fila < m_grilla.Rows(); ++fila) {
        const QString articulo = celda(fila, ColArticulos::Codigo).trimmed();
        if (!lineaVale(fila) || !m_conInsumos.count(articulo.toUpper())
            || !IdArticuloTieneInsumos(articulo, ArrInsumos, 0))
            continue;
        const double cantidad = ImporteCelda(celda(fila, ColArticulos::Cant)).toDouble();
        // An empty cell reads as set, as the flag always has.
        const bool porcentaje = EsVerdadero(celda(fila, ColArticulos::Aux_InsumosPorPorcentaje).trimmed());
        const std::vector<ItemCantidad> insumos = ArrInsumos;
        for (const ItemCantidad& insumo : insumos) {
            const QString codigo = LimpiaCadena(insumo.CodigoItem);
            if (codigo.isEmpty())
                continue;
            const double necesaria = porcentaje ? cantidad * insumo.CantidadItem / 100 : cantidad * insumo.CantidadItem;
            // Taken from the voucher's depot in lot order; what the lots do
            // not cover goes out without lot.
            std::vector<ItemCantidad> lotes;
            ArticuloTieneLotes(codigo, m_lit.idDeposito, lotes, necesaria);
            const QString unidad = LimpiaCadena(insumo.UnidadItem);
            for (const ItemCantidad& lote : lotes) {
                if (m_idPE.isEmpty())
                    tomaNumeroPE(ejecutaYa);
                escribe(filaInsumo(fila, signo, codigo, unidad, LimpiaCadena(lote.CodigoItem), lote.CantidadItem));
            }
        }
    }
    // Recorded already when the number was claimed; a batch carries the
    // statement too, harmless when it runs: it never lowers the number.
    if (m_secuenciaPE > 0 && m_argumentos.GeneraSentenciaSQL && !m_numeracionPE.trimmed().isEmpty())
        escribe(m_numeracionPE);
}

void ActualizacionStock::tomaNumeroPE(const Ejecucion& ejecutaYa)
{
    // The talonario's PE rows are locked before the number is read, in the
    // table the number lives in: on a server whose reads take no lock, two
    // stations would both read the same next number. The embedded database's
    // transaction holds its write lock already.
    const QString tc = LiteralCodigo(kPE, 4);
    const QString sinCambio = QStringLiteral(" SET fechahora_modificacion = fechahora_modificacion WHERE CODIGO = ") + tc;
    if (ejecutaYa(QStringLiteral(" UPDATE V_TA_CPTE") + sinCambio) <= 0
        && ejecutaYa(QStringLiteral(" UPDATE TA_Comprobantes") + sinCambio + QStringLiteral(" AND SISTEMA = ")
                     + LiteralTexto(kSistemaPE))
               <= 0)
        throw sinTalonario();
    QString sucursal = QStringLiteral("0001");
    QString letra = QStringLiteral("X");
    m_idPE = lang::text(AsignarNumeroComprobante(kPE, sucursal, letra));
    if (m_idPE.size() != 13)
        throw RuntimeError::invalidCall(
            QStringLiteral("no se obtuvo el número del comprobante de descarga de insumos (PE)"));
    // The next number to use.
    sucursal = m_idPE.left(4);
    letra = m_idPE.mid(12, 1);
    const QString siguiente = QString::number(m_idPE.mid(4, 8).toLongLong() + 1);
    ActualizaNumeroComprobante(kPE, kSistemaPE, sucursal, siguiente, letra, true, m_numeracionPE, false);
    // A number no talonario records is held by nothing: rows executed at
    // once would hold it only on a server whose reads wait for them, and a
    // batch waiting for its caller not at all.
    if (m_numeracionPE.trimmed().isEmpty())
        throw sinTalonario();
    ejecutaYa(m_numeracionPE);
}

QString ActualizacionStock::filaInsumo(int fila, int signo, const QString& insumo, const QString& unidad,
                                       const QString& lote, double cantidad)
{
    siguienteSecuencia(m_secuenciaPE);

    DB_Dll& db = ObjDB();
    const auto deArticulo = [&](const char* columna, const char* clave) {
        return lang::text(ObjUtilidades().ValorNoNulo(db.DatosTabla(QStringLiteral("V_MA_ARTICULOS"), insumo,
                                                                    QString::fromLatin1(columna),
                                                                    QString::fromLatin1(clave))))
            .trimmed();
    };
    std::vector<ParCampoValor> campos;
    const auto campo = [&](const char* nombre, const QString& valor) {
        campos.push_back({QString::fromLatin1(nombre), valor});
    };
    campo("TC", LiteralCodigo(kPE, 4));
    campo("IdComprobante", LiteralTexto(m_idPE));
    if (!m_lit.idComplemento.isEmpty())
        campo("IdComplemento", m_lit.idComplemento);
    campo("Secuencia", QString::number(m_secuenciaPE));
    campo("Fecha", m_lit.fecha);
    campo("IdDeposito", depositoDeFila(fila, 0));
    campo("IdArticulo", LiteralCodigo(insumo, 25));
    campo("Descripcion", LiteralTexto(ObjUtilidades().QuitaCaracteres(deArticulo("DESCRIPCION", "IDARTICULO"),
                                                                      QStringLiteral("'"))));
    // Right-justified to 25 like the lots of every other stock row.
    if (!lote.isEmpty())
        campo("NroLote", LiteralCodigo(lote, 25));
    campo("IdUnidad", unidad.isEmpty() ? QStringLiteral("NULL") : LiteralCodigo(unidad, 4));
    campo("Cantidad", LiteralNumero(cantidad * signo));
    QString cuenta = m_lit.cuenta;
    if (cuenta.isEmpty()) {
        const QString propia = deArticulo("CuentaProveedor", "IDARTICULO");
        cuenta = propia.isEmpty() ? QStringLiteral("NULL") : LiteralTexto(propia);
    }
    campo("CuentaProveedor", cuenta);
    campo("IdMotivoStock", m_lit.idMotivoStock);
    campo("PrecioVenta", LiteralNumero(0));
    campo("Costo", LiteralNumero(ObjUtilidades().TextoAMoneda(deArticulo("Costo", "idarticulo")).toDouble()));
    campo("Tc_Origen", LiteralTexto(m_tcDelLlamador));
    campo("IdComprobante_Origen", LiteralTexto(m_sucNroLetra));
    campo("ControladoPor", LiteralTexto(celda(fila, ColArticulos::Codigo).trimmed()));

    QString sentencia = QStringLiteral("INSERT INTO V_MV_STOCK");
    ArmaInsert(sentencia, campos, true);
    return sentencia;
}
