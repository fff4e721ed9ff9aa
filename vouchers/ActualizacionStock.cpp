// The stock update of a voucher: preparation, passes, lines and their items.
#include "vouchers/ActualizacionStock.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "core/Objetos.h"
#include "platform/FlexGrid.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/ListasSerieLote.h"
#include "vouchers/LiteralesComprobante.h"
#include "vouchers/NumeroCelda.h"

#include <QStringList>
#include <algorithm>
#include <limits>

namespace {

const QString kDelGrid = QStringLiteral("ELDELGRID");

bool esSi(const QString& valor)
{
    return lang::sameText(valor.trimmed(), u"SI");
}

// Only spaces are blanks in the lists: a tab or any other character is part
// of the lot.
bool enBlanco(const QString& valor)
{
    return lang::trimBlanks(valor).isEmpty();
}

// A lot or serial number as the rows store it: without its blanks at either
// end and right-justified to 25, or blank.
QString codigoSerieLote(const QString& valor)
{
    const QString t = lang::trimBlanks(valor).toString();
    return t.isEmpty() ? QString() : ObjUtilidades().AlineaDerecha(t, 25);
}

}  // namespace

ActualizacionStock::ActualizacionStock(const ClsCmnCptes& reglas, double PorcentajeIVA, const FlexGrid& MSFlexGrid2,
                                       const QString& TC, const QString& SucNroLetra, const QString& IdComplemento,
                                       const QString& Fecha, const ArgumentosStock& Argumentos)
    : m_reglas(reglas),
      m_piva(PorcentajeIVA),
      m_grilla(MSFlexGrid2),
      m_tc(TC.trimmed()),
      m_tcDelLlamador(TC),
      m_sucNroLetra(SucNroLetra),
      m_idComplemento(IdComplemento),
      m_fecha(Fecha),
      m_argumentos(Argumentos)
{
}

QString ActualizacionStock::celda(int fila, int columna) const
{
    return m_grilla.TextMatrix(fila, columna);
}

void ActualizacionStock::Prepara()
{
    const ArgumentosStock& a = m_argumentos;
    m_produccion = lang::sameText(m_tc, u"OP");
    m_signo = a.SignoRemota != 0 ? a.SignoRemota : m_reglas.ObtieneSignoComprobante(m_tc, false);
    // Transfers and production orders sign their passes themselves; any
    // other voucher would write rows of quantity 0.
    if (m_signo == 0 && !a.EsTransferencia && !m_produccion)
        throw TipoSinSigno{};
    m_compras = lang::sameText(
        lang::text(ObjDB().DatosTabla(QStringLiteral("V_TA_CPTE"), m_tc, QStringLiteral("SISTEMA"))).trimmed(),
        u"COMPRAS");
    m_confirmaUDEquiv = esSi(Cfg(QStringLiteral("ConfirmaUDEquiv")));

    m_lit.tc = LiteralCodigo(m_tc, 4);
    m_lit.idComprobante = LiteralTexto(m_sucNroLetra);
    if (!m_compras)
        m_lit.idComplemento = LiteralNumeroTexto(m_idComplemento, QStringLiteral("El complemento del comprobante"));
    m_lit.fecha = LiteralFecha(m_fecha);
    // The cash desk is a number, written bare as it always was; any other
    // text goes in quoted rather than as part of the statement.
    const QString caja = Caja.trimmed();
    if (!caja.isEmpty())
        m_lit.idCaja = lang::isNumber(caja) ? ObjUtilidades().AlineaDerecha(caja, 4) : LiteralCodigo(caja, 4);

    // A value handed back by an earlier call (a literal) counts as the value
    // it stands for.
    const auto codigoOPorDefecto = [](const QString& valor, const char* clave) {
        const QString codigo = ValorDeLiteral(valor);
        return LiteralCodigo(codigo.isEmpty() ? Cfg(QString::fromLatin1(clave)) : codigo, 4);
    };
    m_lit.idDeposito = codigoOPorDefecto(a.IdDeposito, "DepositoDefault");
    m_lit.idMotivoStock = codigoOPorDefecto(a.IdMotivoStock, "MotivoStockDefault");
    const QString destino = ValorDeLiteral(a.IdDepositoDestino);
    m_lit.idDepositoDestino = destino.isEmpty() ? QStringLiteral("NULL") : LiteralCodigo(destino, 4);
    if (m_produccion)
        m_lit.idDepositoDestino = m_lit.idDeposito;
    m_sinDeposito = ValorDeLiteral(m_lit.idDeposito).trimmed().isEmpty();
    m_sinDestino = ValorDeLiteral(m_lit.idDepositoDestino).trimmed().isEmpty();

    const QString tcOrigen = ValorDeLiteral(a.TCOrigen);
    m_tipoOrigenDeGrilla = lang::sameText(tcOrigen, kDelGrid);
    if (!m_tipoOrigenDeGrilla)
        m_lit.tcOrigen = tcOrigen.isEmpty() ? QStringLiteral("NULL") : LiteralCodigo(tcOrigen, 4);
    const QString comprobanteOrigen = ValorDeLiteral(a.ComprobanteOrigen);
    m_comprobanteOrigenDeGrilla = lang::sameText(comprobanteOrigen, kDelGrid);
    if (!m_comprobanteOrigenDeGrilla)
        m_lit.comprobanteOrigen = comprobanteOrigen.isEmpty() ? QStringLiteral("NULL") : LiteralTexto(comprobanteOrigen);

    if (!lang::sameText(a.Cuenta.trimmed(), u"PorDefault")) {
        const QString cuenta = ValorDeLiteral(a.Cuenta);
        m_lit.cuenta = cuenta.isEmpty() ? QStringLiteral("NULL") : LiteralTexto(cuenta);
    }
    if (!lang::sameText(a.IdTecnico.trimmed(), u"NULL"))
        m_lit.idTecnico = LiteralTexto(ObjUtilidades().AlineaDerecha(a.IdTecnico, 4));
}

bool ActualizacionStock::lineaVale(int fila) const
{
    return !ImporteCelda(celda(fila, ColArticulos::Cant)).isZero()
        && !celda(fila, ColArticulos::Codigo).trimmed().isEmpty();
}

void ActualizacionStock::leeArticulos()
{
    // Read once for the whole voucher, a few hundred codes a statement:
    // a look-up per line would cost more than the rows it writes.
    constexpr std::size_t kPorLectura = 200;
    std::vector<QString> codigos;
    std::set<QString> vistos;
    for (int fila = 1; fila < m_grilla.Rows(); ++fila) {
        const QString codigo = celda(fila, ColArticulos::Codigo).trimmed();
        if (lineaVale(fila) && vistos.insert(codigo.toUpper()).second)
            codigos.push_back(codigo);
    }
    DB_Dll& db = ObjDB();
    db::Recordset rs;
    for (std::size_t desde = 0; desde < codigos.size(); desde += kPorLectura) {
        QStringList lista;
        for (std::size_t i = desde; i < std::min(codigos.size(), desde + kPorLectura); ++i)
            lista << LiteralCodigo(codigos[i], 25);
        const QString en = QStringLiteral(" WHERE IDARTICULO IN (") + lista.join(u',') + u')';
        if (m_lit.cuenta.isEmpty()) {
            db.AbrirRecordset(QStringLiteral("SELECT IDARTICULO, CUENTAPROVEEDOR FROM V_MA_ARTICULOS") + en, rs);
            for (; !rs.Eof(); rs.MoveNext()) {
                const QString cuenta = lang::text(rs.value(1)).trimmed();
                m_cuentas[lang::text(rs.value(0)).trimmed().toUpper()] =
                    cuenta.isEmpty() ? QStringLiteral("NULL") : LiteralTexto(cuenta);
            }
            db.CierraRecordset(rs);
        }
        db.AbrirRecordset(QStringLiteral("SELECT DISTINCT IDARTICULO FROM V_MA_INSUMOS") + en, rs);
        for (; !rs.Eof(); rs.MoveNext())
            m_conInsumos.insert(lang::text(rs.value(0)).trimmed().toUpper());
        db.CierraRecordset(rs);
    }
}

void ActualizacionStock::Ejecuta(const Escritura& escribe, const Ejecucion& ejecutaYa)
{
    leeArticulos();
    recibeOrdenDeCompra(escribe);

    m_secuencia = 0;
    if (m_produccion) {
        // The order's rows continue after those it already has.
        db::Recordset rs;
        rs.Open(QStringLiteral("SELECT MAX(SECUENCIA) AS MAX_SECUENCIA FROM V_MV_STOCK WHERE TC = ") + m_lit.tc
                    + QStringLiteral(" AND IDCOMPROBANTE = ") + m_lit.idComprobante,
                ObjDB().gCnn());
        const double maximo =
            rs.Eof() ? 0 : ObjUtilidades().TextoADoble(lang::text(ObjUtilidades().ValorNoNulo(rs.value(0))));
        rs.Close();
        if (maximo > std::numeric_limits<std::int32_t>::max() - 1)
            throw RuntimeError::overflow();
        // Kept as it always numbered: each row raises the counter before it
        // is written, so stored rows are followed at their maximum plus two.
        m_secuencia = static_cast<std::int32_t>(maximo);
        if (m_secuencia != 0)
            ++m_secuencia;
    }

    int signo = m_signo;
    const int pasadas = m_argumentos.EsTransferencia || m_produccion ? 2 : 1;
    for (int p = 1; p <= pasadas; ++p) {
        if (m_produccion)
            signo = p == 1 ? 1 : -1;
        else if (m_argumentos.EsTransferencia)
            signo = p == 1 ? -1 : 1;
        pasada(p, signo, escribe);
    }
    descargaInsumos(signo, escribe, ejecutaYa);
}

void ActualizacionStock::recibeOrdenDeCompra(const Escritura& escribe) const
{
    const QString oblig = Cfg(QStringLiteral("IR_Oblig")).trimmed();
    const bool obligatoria = !oblig.isEmpty() && !lang::sameText(oblig, u"NO");
    // The origin type is compared as a code, before it became a literal: as a
    // literal it never reads "OC", and no order would get its receipt date.
    // An origin taken line by line from the grid names no one order.
    const bool compraRecibida = lang::sameText(m_tc, u"FCC") || lang::sameText(m_tc, u"RMC");
    if (!compraRecibida || obligatoria || m_tipoOrigenDeGrilla || m_comprobanteOrigenDeGrilla
        || !lang::sameText(ValorDeLiteral(m_argumentos.TCOrigen), u"OC"))
        return;
    const QString orden = QStringLiteral(" where TC=") + m_lit.tcOrigen + QStringLiteral(" and IDCOMPROBANTE=")
                        + m_lit.comprobanteOrigen;
    escribe(QStringLiteral("if exists(select * from c_mv_cpte") + orden + QStringLiteral(" and fecharecepcion is null) ")
            + QStringLiteral(" UPDATE c_mv_cpte set FechaRecepcion=") + m_lit.fecha + orden);
}

void ActualizacionStock::pasada(int numero, int signo, const Escritura& escribe)
{
    for (int fila = 1; fila < m_grilla.Rows(); ++fila) {
        if (!lineaVale(fila))
            continue;
        // A production order brings its produced lines in first, then takes
        // the others out.
        if (m_produccion && (celda(fila, ColArticulos::AuxCantidadInsumo).trimmed() == u"-1") != (numero == 1))
            continue;
        linea(fila, numero, signo, escribe);
    }
}

void ActualizacionStock::siguienteSecuencia(std::int32_t& secuencia) const
{
    if (secuencia == std::numeric_limits<std::int32_t>::max())
        throw RuntimeError::overflow();
    ++secuencia;
}

void ActualizacionStock::linea(int fila, int numero, int signo, const Escritura& escribe)
{
    const bool talle = EsVerdadero(celda(fila, ColArticulos::AuxPideTalle).trimmed());
    const QString lotes = celda(fila, ColArticulos::AuxNroLote);
    std::int32_t pares = 0;
    if (signo > 0)
        pares = talle ? Cuenta_Series_Lotes(lotes, QString())
                      : Cuenta_Series_Lotes(celda(fila, ColArticulos::AuxNroSerie), lotes);
    else if (signo < 0)
        pares = Cuenta_Series_Lotes(lotes, QString());
    const double cantidad = ImporteCelda(celda(fila, ColArticulos::Cant)).toDouble();

    // An incoming line with several lots or serial numbers holds one item per
    // unit; a size line and an outgoing line one per item of their lists.
    for (std::int32_t j = 1;; ++j) {
        siguienteSecuencia(m_secuencia);
        const Item it = item(fila, signo, j);
        if (it.cantidad != 0)
            escribe(filaStock(fila, numero, signo, it, pares));
        if (signo == 0 || pares <= 1)
            break;
        if (signo > 0 && !talle ? j >= cantidad : j >= pares)
            break;
    }
}

ActualizacionStock::Item ActualizacionStock::item(int fila, int signo, int j) const
{
    const std::int16_t posicion = lang::toInt16(j);
    const auto lista = [&](int columna) { return ExtraeSerieLote(celda(fila, columna), posicion); };
    const double cantidadLinea = NumeroCelda(celda(fila, ColArticulos::Cant));
    const bool talle = EsVerdadero(celda(fila, ColArticulos::AuxPideTalle).trimmed());
    Item it;
    it.cantidad = cantidadLinea;
    if (signo > 0) {
        // The flag as written: only an empty cell reads as "0".
        const QString perecedero = celda(fila, ColArticulos::Auxesperecedero);
        if (EsVerdadero(perecedero.isEmpty() ? QStringLiteral("0") : perecedero)) {
            // Kept as stored: a perishable line's lot cell is its lot.
            it.lote = celda(fila, ColArticulos::AuxNroLote);
            it.serie = lista(ColArticulos::AuxNroSerie);
        } else if (talle) {
            const QString talleItem = lista(ColArticulos::AuxNroLote);
            QString resto;
            SeparaLoteSerie(talleItem, it.lote, resto);
            if (enBlanco(talleItem))
                it.serie = lista(ColArticulos::AuxNroSerie);
            else
                it.cantidad = NumeroCelda(lista(ColArticulos::AuxNroSerie));
        } else {
            it.lote = lista(ColArticulos::AuxNroLote);
            if (enBlanco(it.lote) && !enBlanco(m_argumentos.LoteFijo))
                it.lote = m_argumentos.LoteFijo;
            it.serie = lista(ColArticulos::AuxNroSerie);
        }
    } else if (signo < 0) {
        const QString salida = lista(ColArticulos::AuxNroLote);
        if (talle) {
            it.lote = salida;
            it.cantidad = NumeroCelda(lista(ColArticulos::AuxNroSerie));
        } else if (!enBlanco(salida)) {
            SeparaLoteSerie(salida, it.lote, it.serie);
            it.cantidad = NumeroCelda(lista(ColArticulos::AuxNroSerie));
        }
    }
    it.lote = codigoSerieLote(it.lote);
    it.serie = codigoSerieLote(it.serie);
    return it;
}

void ActualizacionStock::DevuelveLiterales(ArgumentosStock& Argumentos) const
{
    Argumentos.IdDeposito = m_lit.idDeposito;
    Argumentos.IdDepositoDestino = m_lit.idDepositoDestino;
    Argumentos.IdMotivoStock = m_lit.idMotivoStock;
    if (!m_tipoOrigenDeGrilla)
        Argumentos.TCOrigen = m_lit.tcOrigen;
    else if (!m_ultimoTcOrigen.isEmpty())
        Argumentos.TCOrigen = m_ultimoTcOrigen;
    if (!m_comprobanteOrigenDeGrilla)
        Argumentos.ComprobanteOrigen = m_lit.comprobanteOrigen;
    else if (!m_ultimoComprobanteOrigen.isEmpty())
        Argumentos.ComprobanteOrigen = m_ultimoComprobanteOrigen;
}
