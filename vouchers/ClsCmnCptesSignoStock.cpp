// The sign of a voucher type and an article's stock balance.
#include "vouchers/ClsCmnCptes.h"

#include "core/Configuracion.h"
#include "core/DB_Dll.h"
#include "core/Objetos.h"
#include "platform/ErrorTrap.h"
#include "platform/Prompts.h"
#include "platform/Value.h"
#include "rules/Stock.h"

#include <QStringList>

namespace {

// Types that move stock in and out when their row says neither.
const QStringList kEntradas = {QStringLiteral("IR"),  QStringLiteral("AJP"), QStringLiteral("FCC"),
                               QStringLiteral("NDC"), QStringLiteral("FPC"), QStringLiteral("NC"),
                               QStringLiteral("RMC")};
const QStringList kSalidas = {QStringLiteral("VS"), QStringLiteral("AJN"), QStringLiteral("FC"),
                              QStringLiteral("ND"), QStringLiteral("FP"),  QStringLiteral("NCC"),
                              QStringLiteral("RM")};
// Credit notes subtract in the VAT book when their row has no sign; every
// other type adds.
const QStringList kRestanEnLibroIVA = {QStringLiteral("NC"), QStringLiteral("NCC")};

std::int16_t signoDeStock(const QVariant& es, const QString& tipo)
{
    const QString direccion = lang::text(es);
    if (lang::sameText(direccion, u"E"))
        return 1;
    if (lang::sameText(direccion, u"S"))
        return -1;
    if (kEntradas.contains(tipo, Qt::CaseInsensitive))
        return 1;
    if (kSalidas.contains(tipo, Qt::CaseInsensitive))
        return -1;
    return 0;
}

std::int16_t signoDeLibroIVA(const QVariant& signo, const QString& tipo)
{
    if (!lang::isNull(signo))
        return lang::toInt16(lang::number(signo));
    return kRestanEnLibroIVA.contains(tipo, Qt::CaseInsensitive) ? -1 : 1;
}

bool marcado(const QVariant& bandera)
{
    return lang::number(bandera) != 0;
}

}  // namespace

std::int16_t ClsCmnCptes::ObtieneSignoComprobante(const QString& TC, bool LibroIVA) const
{
    // The lists are matched with the trimmed code too, so that a code held
    // with blanks around it gets the sign its row gets.
    const QString tipo = TC.trimmed();
    DB_Dll& db = ObjDB();
    db::Recordset rs;
    std::int16_t signo = 0;
    ErrorTrap::showing(QStringLiteral("ObtieneSignoComprobante")).run({
        [&] {
            db.AbrirRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO=")
                                  + db.SQLValue(ObjUtilidades().AlineaDerecha(tipo, 4)),
                              rs);
        },
        [&] {
            if (rs.Eof()) {
                prompts().messageBox(
                    QStringLiteral("El Tipo de Comprobante informado no existe en la tabla de comprobantes"),
                    prompt::OkOnly | prompt::Critical, QStringLiteral("Aviso al operador!!!"));
                return;
            }
            signo = LibroIVA ? signoDeLibroIVA(rs.value(QStringLiteral("Signo")), tipo)
                             : signoDeStock(rs.value(QStringLiteral("ES")), tipo);
        },
        [&] { db.CierraRecordset(rs); },
    });
    return signo;
}

double ClsCmnCptes::ObtieneStock(const QString& IdArticulo, QString& IdDeposito, const QString& NroLote,
                                 const QString& NroSerie, const QString& IdPosicion, QString& IdUnidad) const
{
    const auto ignorado = [](const QString& valor) { return lang::sameText(valor, Ignorar); };
    const auto filtra = [&](const QString& valor) { return !ignorado(valor) && !valor.trimmed().isEmpty(); };
    KumozenUtilidades& util = ObjUtilidades();
    DB_Dll& db = ObjDB();
    const ErrorTrap trampa = ErrorTrap::showing(QStringLiteral("ObtieneStock"));
    double saldo = 0;

    if (ignorado(NroLote) && ignorado(NroSerie)) {
        trampa.run({
            [&] {
                if (ignorado(IdDeposito))
                    IdDeposito = util.AlineaDerecha(Cfg(QStringLiteral("DepositoDefault")).trimmed(), 4);
            },
            [&] {
                if (ignorado(IdUnidad))
                    IdUnidad = util.AlineaDerecha(
                        lang::text(db.DatosTabla(QStringLiteral("v_ma_articulos"), IdArticulo, QStringLiteral("IdUnidad"),
                                                 QStringLiteral("IdArticulo")))
                            .trimmed(),
                        4);
            },
            [&] { ControlStock(IdDeposito, IdArticulo, IdUnidad, saldo); },
        });
        return saldo;
    }

    const QString articulo = db.SQLValue(util.AlineaDerecha(IdArticulo.trimmed(), 25));
    db::Recordset rs;
    bool usaSerie = false;
    bool usaLote = false;
    QString sql;
    trampa.run({
        [&] {
            // The flags are read on the connection as it stands.
            rs.Open(QStringLiteral("SELECT USASERIE, USALOTE FROM V_MA_ARTICULOS WHERE IDARTICULO = ") + articulo
                        + u' ',
                    db.gCnn());
        },
        [&] {
            usaSerie = marcado(rs.value(QStringLiteral("USASERIE")));
            usaLote = marcado(rs.value(QStringLiteral("USALOTE")));
        },
        [&] {
            db.CierraRecordset(rs);
            sql = QStringLiteral(" SELECT SUM(CANTIDAD) AS SaldoStock FROM STK_SERIES_Y_LOTES  WHERE IDARTICULO = ")
                + articulo;
            const struct {
                const QString& valor;
                const char* columna;
                int ancho;
                bool recorta;
            } filtros[] = {
                {IdDeposito, "IdDeposito", 4, false},
                {NroLote, "NroLote", 25, true},
                {NroSerie, "NroSerie", 25, true},
                {IdPosicion, "IdPosicion", 15, true},
            };
            for (const auto& f : filtros)
                if (filtra(f.valor))
                    sql += QStringLiteral(" AND %1 = %2 ")
                               .arg(QLatin1String(f.columna),
                                    db.SQLValue(util.AlineaDerecha(f.recorta ? f.valor.trimmed() : f.valor, f.ancho)));
            if (usaSerie && !usaLote)
                sql += QStringLiteral(" AND NroLote is NULL ");
            else if (usaLote && !usaSerie)
                sql += QStringLiteral(" AND NroSerie is NULL ");
        },
        [&] { db.AbrirRecordset(sql, rs); },
        [&] { saldo = util.TextoADoble(lang::text(util.ValorNoNulo(rs.value(QStringLiteral("SaldoStock"))))); },
        [&] { db.CierraRecordset(rs); },
    });
    return saldo;
}

double ClsCmnCptes::ObtieneStock(const QString& IdArticulo, QString& IdDeposito, const QString& NroLote,
                                 const QString& NroSerie, const QString& IdPosicion) const
{
    QString unidad = Ignorar;
    return ObtieneStock(IdArticulo, IdDeposito, NroLote, NroSerie, IdPosicion, unidad);
}

double ClsCmnCptes::ObtieneStock(const QString& IdArticulo, const QString& IdDeposito, const QString& NroLote,
                                 const QString& NroSerie, const QString& IdPosicion) const
{
    QString deposito = IdDeposito;
    return ObtieneStock(IdArticulo, deposito, NroLote, NroSerie, IdPosicion);
}
