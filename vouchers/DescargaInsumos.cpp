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

}  // namespace

void ActualizacionStock::descargaInsumos(int signo, const Escritura& escribe, const Escritura& ejecutaYa)
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

void ActualizacionStock::tomaNumeroPE(const Escritura& ejecutaYa)
{
    // The talonario's PE rows are locked before the number is read: on a
    // server whose reads take no lock, two stations would both read the same
    // next number. The embedded database's transaction holds its write lock
    // already.
    ejecutaYa(QStringLiteral(" UPDATE V_TA_CPTE SET fechahora_modificacion = fechahora_modificacion WHERE CODIGO = ")
              + LiteralCodigo(kPE, 4));
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
    ActualizaNumeroComprobante(kPE, QStringLiteral("STOCK"), sucursal, siguiente, letra, true, m_numeracionPE, false);
    if (!m_numeracionPE.trimmed().isEmpty()) {
        ejecutaYa(m_numeracionPE);
        return;
    }
    // No talonario records it: rows executed at once hold the number under
    // the transaction's lock, but a batch waiting for its caller would not.
    if (m_argumentos.GeneraSentenciaSQL)
        throw Rechazo{QStringLiteral("No se armó el stock del comprobante: no hay un talonario del comprobante PE "
                                     "donde reservar el número de la descarga de insumos.")};
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
