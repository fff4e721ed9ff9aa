// The lines without position and the balances by position that the embedded
// database keeps as the movements are written, against the grouping of the
// movements they stand for, after every step of a random sequence: receipts,
// lines saved through the start-up form's save, reopened lines saved again,
// deleted and annulled vouchers, movements changed by other programs,
// equivalences, positions, articles and opening balances changed, a station
// killed in the middle of its saves, and several stations saving at once.
// Codes come in every spelling the server takes for one (case, trailing
// blanks), lots also missing or empty. The sequence follows a seed: the
// seeds below, or the one in APP_SEMILLA_SALDOS; a failure names its seed
// and step.
#include "positions/GrabacionTransferencia.h"
#include "positions/ReaperturaTransferencia.h"

#include "core/DB_Dll.h"
#include "core/Transacciones.h"
#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/Value.h"
#include "platform/db/NativeErrors.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/TestDatabase.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <signal.h>
#include <sqlite3.h>

namespace {

// The lines without position as the view that grouped the movements gave
// them.
const char* kLineasAgrupadas = R"(
SELECT m.IDARTICULO AS IdArticulo, a.DESCRIPCION AS Descripcion, IFNULL(m.NROLOTE, '') AS NroLote,
       m.IDDEPOSITO AS idDeposito, NULL AS idPosicion, m.IDUNIDADBASE AS idUnidadARTICULO,
       ROUND(SUM(m.CANTIDAD), 4) AS Cantidad, 0 AS CantidadATransferir, '' AS Cantidades, '' AS Posiciones,
       MIN(m.ID) AS id
FROM V_MV_STOCK_DRAVELO m
LEFT JOIN V_MA_ARTICULOS a ON a.IDARTICULO = m.IDARTICULO
WHERE m.IDPOSICION IS NULL AND m.ANULADO = 0 AND m.TC IN ('IR', 'TRP')
GROUP BY m.IDDEPOSITO, m.IDARTICULO, IFNULL(m.NROLOTE, '') COLLATE NOCASE, m.IDUNIDADBASE)";

// The lines without position per receiving voucher as the view that took
// the transfers from the receipts in order, over every movement, gave them.
const char* kLineasPorRecepcionAgrupadas = R"(
WITH recibido AS (
    SELECT r.ID, r.TC, r.SUCURSAL, r.NUMERO, r.LETRA, r.IDARTICULO, IFNULL(r.NROLOTE, '') COLLATE NOCASE AS lote,
           r.IDDEPOSITO, r.IDUNIDADBASE, r.CANTIDAD,
           SUM(r.CANTIDAD) OVER (PARTITION BY r.IDDEPOSITO, r.IDARTICULO, IFNULL(r.NROLOTE, '') COLLATE NOCASE, r.IDUNIDADBASE
                                 ORDER BY r.FECHA, r.ID ROWS UNBOUNDED PRECEDING) - r.CANTIDAD AS antes
    FROM V_MV_STOCK_DRAVELO r
    WHERE r.TC = 'IR' AND r.IDPOSICION IS NULL AND r.ANULADO = 0 AND r.CANTIDAD > 0
),
movido AS (
    SELECT IDDEPOSITO, IDARTICULO, IFNULL(NROLOTE, '') COLLATE NOCASE AS lote, IDUNIDADBASE, -SUM(CANTIDAD) AS cantidad
    FROM V_MV_STOCK_DRAVELO
    WHERE TC = 'TRP' AND IDPOSICION IS NULL AND ANULADO = 0
    GROUP BY IDDEPOSITO, IDARTICULO, IFNULL(NROLOTE, '') COLLATE NOCASE, IDUNIDADBASE
)
SELECT r.IDARTICULO AS IdArticulo, a.DESCRIPCION AS Descripcion, r.lote AS NroLote, r.IDDEPOSITO AS idDeposito,
       NULL AS idPosicion, r.IDUNIDADBASE AS idUnidadARTICULO,
       ROUND(r.CANTIDAD - MIN(MAX(IFNULL(m.cantidad, 0) - r.antes, 0), r.CANTIDAD), 4) AS Cantidad,
       0 AS CantidadATransferir, '' AS Cantidades, '' AS Posiciones, r.ID AS id, r.TC AS tc,
       r.SUCURSAL || r.NUMERO || r.LETRA AS idcomprobante
FROM recibido r
LEFT JOIN movido m ON m.IDDEPOSITO = r.IDDEPOSITO AND m.IDARTICULO = r.IDARTICULO AND m.lote = r.lote
                  AND m.IDUNIDADBASE = r.IDUNIDADBASE
LEFT JOIN V_MA_ARTICULOS a ON a.IDARTICULO = r.IDARTICULO)";

// The balances as the view that grouped the movements gave them, with two
// changes: the depot's rows take a lot in either case as one lot (as the
// lines without position do; the view took them apart, a fault), and each
// group names its first movement (MIN), which makes its codes the ones that
// movement wrote: what the view showed, now said. An eighth column holds the
// balance in the position's unit before rounding.
const char* kSaldosAgrupados = R"(
SELECT IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, SaldoPosicion, NULL
FROM AC_SALDOSINICIALES
UNION ALL
SELECT IDDEPOSITO, IDPOSICION, IDARTICULO, NROLOTE, IDUNIDADBASE, Saldo, SaldoPosicion, SinRedondeo FROM (
    SELECT m.IDDEPOSITO, m.IDPOSICION, m.IDARTICULO, m.NROLOTE, m.IDUNIDADBASE,
           ROUND(SUM(m.CANTIDAD), 4) AS Saldo, ROUND(SUM(m.CANTIDAD * m.factor), 4) AS SaldoPosicion,
           SUM(m.CANTIDAD * m.factor) AS SinRedondeo, MIN(m.ID)
    FROM (SELECT m.*, CASE
              WHEN TRIM(m.IDUNIDADBASE) = TRIM(IFNULL(p.IdUnidad, '')) COLLATE NOCASE THEN 1
              ELSE COALESCE(
                  (SELECT MAX(e.Coeficiente) FROM S_TA_EQUIV e
                   WHERE e.IdArticulo = m.IDARTICULO AND e.Coeficiente <> 0
                     AND TRIM(e.IDUNIDAD) = TRIM(m.IDUNIDADBASE) COLLATE NOCASE
                     AND TRIM(e.IDUNIDAD_EQUIV) = TRIM(p.IdUnidad) COLLATE NOCASE),
                  (SELECT 1.0 / MAX(e.Coeficiente) FROM S_TA_EQUIV e
                   WHERE e.IdArticulo = m.IDARTICULO AND e.Coeficiente <> 0
                     AND TRIM(e.IDUNIDAD) = TRIM(p.IdUnidad) COLLATE NOCASE
                     AND TRIM(e.IDUNIDAD_EQUIV) = TRIM(m.IDUNIDADBASE) COLLATE NOCASE),
                  0) END AS factor
          FROM V_MV_STOCK_DRAVELO m
          LEFT JOIN MA_POSICIONES p ON p.IdDeposito = m.IDDEPOSITO AND p.IdPosicion = m.IDPOSICION
          WHERE m.IDPOSICION IS NOT NULL AND m.ANULADO = 0 AND m.TC = 'TRP') m
    GROUP BY m.IDDEPOSITO, m.IDPOSICION, m.IDARTICULO, m.NROLOTE, m.IDUNIDADBASE)
UNION ALL
SELECT IDDEPOSITO, NULL, IDARTICULO, lote, IDUNIDADBASE, Saldo, NULL, NULL FROM (
    SELECT m.IDDEPOSITO, m.IDARTICULO, IFNULL(m.NROLOTE, '') AS lote, m.IDUNIDADBASE,
           ROUND(SUM(m.CANTIDAD), 4) AS Saldo, MIN(m.ID)
    FROM V_MV_STOCK_DRAVELO m
    WHERE m.IDPOSICION IS NULL AND m.ANULADO = 0 AND m.TC IN ('IR', 'TRP')
    GROUP BY m.IDDEPOSITO, m.IDARTICULO, IFNULL(m.NROLOTE, '') COLLATE NOCASE, m.IDUNIDADBASE
    HAVING ROUND(SUM(m.CANTIDAD), 4) > 0))";

// A value as SQLite holds it: its type and its exact text.
struct Celda {
    int tipo = SQLITE_NULL;
    QString texto;
    double numero = 0;
    bool operator==(const Celda&) const = default;
};
using Fila = std::vector<Celda>;

QString aTexto(const Fila& f, std::size_t columnas)
{
    QStringList partes;
    for (std::size_t c = 0; c < columnas; ++c)
        partes << QStringLiteral("%1:%2").arg(f[c].tipo).arg(f[c].texto);
    return partes.join(u'|');
}

// Every row of a query on the file, read straight through SQLite, in one order.
std::vector<Fila> filasDe(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_busy_timeout(db, 10000);
    std::vector<Fila> filas;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK)
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql;
    while (st && sqlite3_step(st) == SQLITE_ROW) {
        Fila f;
        for (int c = 0; c < sqlite3_column_count(st); ++c) {
            Celda celda;
            celda.tipo = sqlite3_column_type(st, c);
            celda.numero = sqlite3_column_double(st, c);
            celda.texto = celda.tipo == SQLITE_FLOAT
                              ? QString::number(celda.numero, 'g', 17)
                              : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c)));
            f.push_back(celda);
        }
        filas.push_back(f);
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return filas;
}

// The rows of an object against the grouping's, row for row. The balance in
// a position's unit (column `posicion`) may differ by its last decimal where
// the sum before rounding lies half-way: the grouping's order of adding then
// decides which way it rounds.
void comparaFilas(const QString& path, const char* objeto, const char* agrupado, int posicion = -1)
{
    std::vector<Fila> leidas = filasDe(path, objeto);
    std::vector<Fila> esperadas = filasDe(path, agrupado);
    if (leidas.empty() && esperadas.empty())
        return;
    // The grouping's eighth column, when there is one, is no column of the object.
    const std::size_t columnas = (leidas.empty() ? esperadas : leidas).front().size() - (posicion >= 0 ? 1 : 0);
    const auto orden = [&](const Fila& a, const Fila& b) { return aTexto(a, columnas) < aTexto(b, columnas); };
    std::sort(leidas.begin(), leidas.end(), orden);
    std::sort(esperadas.begin(), esperadas.end(), orden);
    ASSERT_EQ(leidas.size(), esperadas.size()) << objeto;
    for (std::size_t i = 0; i < leidas.size(); ++i) {
        for (std::size_t c = 0; c < columnas; ++c) {
            const Celda& a = leidas[i][c];
            const Celda& e = esperadas[i][c];
            if (a == e)
                continue;
            if (static_cast<int>(c) == posicion && a.tipo == SQLITE_FLOAT && e.tipo == SQLITE_FLOAT) {
                const double diezmilesimos = esperadas[i][columnas].numero * 10000;
                const bool aMitad = std::abs(diezmilesimos - std::floor(diezmilesimos) - 0.5) < 1e-6;
                if (aMitad && std::abs(a.numero - e.numero) < 1.0001e-4)
                    continue;
            }
            ADD_FAILURE() << objeto << "\n  read:     " << aTexto(leidas[i], columnas).toStdString()
                          << "\n  grouping: " << aTexto(esperadas[i], columnas).toStdString();
            return;
        }
    }
}

void comparaConLaAgrupacion(const QString& path)
{
    comparaFilas(path, "SELECT * FROM Stk_Dravelo_Sin_Asignar", kLineasAgrupadas);
    comparaFilas(path, "SELECT * FROM Stk_Dravelo_Sin_asignar_ir", kLineasPorRecepcionAgrupadas);
    comparaFilas(path, "SELECT *, NULL FROM AC_SALDOSLAYOUT", kSaldosAgrupados, 6);
}

// The operator of the in-process station: a refusal of the save is answered
// and counted; a failed batch, or any other error, fails the test.
class Operador : public Prompts {
public:
    int rechazos = 0;
    int messageBox(const QString& text, int, const QString& title) override
    {
        if (text.startsWith(QStringLiteral("La linea no se grabo")) && title != QStringLiteral("Aviso al Operador!")) {
            ++rechazos;
            return prompt::Ok;
        }
        ADD_FAILURE() << "message: " << text.toStdString();
        return prompt::Ok;
    }
    QString inputBox(const QString& p, const QString&, const QString&) override
    {
        ADD_FAILURE() << "input box: " << p.toStdString();
        return {};
    }
    int errorDialog(const RuntimeError& e, const QString&) override
    {
        if (e.number() == db::serverError::Locked)
            return prompt::ErrorRetry;
        ADD_FAILURE() << "error: " << e.description().toStdString();
        return prompt::ErrorLeave;
    }
    int showModal(QDialog&) override
    {
        ADD_FAILURE() << "a form";
        return 0;
    }
};

// Codes in the spellings the server takes for one.
const QStringList kArticulos{QStringLiteral("A1"), QStringLiteral("a1"), QStringLiteral("A1 "), QStringLiteral("A2"),
                             QStringLiteral("A3"), QStringLiteral("b3"), QStringLiteral("B3"), QStringLiteral("A5")};
const QStringList kLotes{QString(), QStringLiteral(""), QStringLiteral("L1"), QStringLiteral("l1"),
                         QStringLiteral("L1 "), QStringLiteral("L2"), QStringLiteral("  ")};
const QStringList kUnidades{QStringLiteral("  UN"), QStringLiteral("  un"), QStringLiteral("  UN "),
                            QStringLiteral("  CJ")};
const QStringList kDepositos{QStringLiteral("   1"), QStringLiteral("   1 "), QStringLiteral("   2")};
const QStringList kPosiciones{QStringLiteral("P1"), QStringLiteral("p1"), QStringLiteral("P1 "), QStringLiteral("P2"),
                              QStringLiteral("P3"), QStringLiteral("P4"), QStringLiteral("P5"), QStringLiteral("Q9")};
const QStringList kUnidadesPosicion{QStringLiteral("  UN"), QStringLiteral("  CJ"), QStringLiteral("  KG"),
                                    QStringLiteral("  un "), QString()};
// The positions the stations spread their lines over.
const QString kPosicionesEstacion = QStringLiteral("|K01|K02|K03|K04|K05|K06|K07|K08|K09|K10|K11|K12|K13|K14|K15|");

QString sqlTexto(const QString& t)
{
    return t.isNull() ? QStringLiteral("NULL") : u'\'' + QString(t).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// Articles right-justified to 25, as the programs write them.
QString articulo(const QString& codigo)
{
    return codigo.trimmed().rightJustified(25) + codigo.mid(codigo.trimmed().size());
}

QString escalar(const QString& path, const QString& sql)
{
    const std::vector<Fila> filas = filasDe(path, sql.toUtf8().constData());
    return filas.empty() || filas.front().empty() ? QString() : filas.front().front().texto;
}

// One random sequence, on its own database.
class Secuencia {
public:
    explicit Secuencia(unsigned semilla) : m_azar(semilla) {}

    void corre(int pasos)
    {
        TestDatabase t(QStringLiteral(R"(
            INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES
                ('                       A1', 'TORNILLO', '  UN'), ('                       A2', 'TUERCA', '  UN'),
                ('                       A3', 'ARANDELA', '  UN'), ('                       B3', 'BULON', '  CJ');
            INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES
                ('                       A1', '  CJ', '  UN', 12), ('                       A2', '  UN', '  CJ', 0.5),
                ('                       A3', '  UN', '  UN', 1);
            INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdUnidad, HABILITADO, CAPACIDAD) VALUES
                ('   1', 'P1', '  UN', 1, 1e9), ('   1', 'P2', '  CJ', 1, 1e9), ('   1', 'P3', '  KG', 1, 1e9),
                ('   1', 'P4', NULL, 1, 1e9), ('   1', 'P5', '  UN', 0, 1e9), ('   2', 'P1', '  UN', 1, 1e9);
            WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 15)
            INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdUnidad, HABILITADO, CAPACIDAD)
            SELECT '   1', printf('K%02d', i), '  UN', 1, 1e9 FROM n;)"));
        m_base = &t;
        Operador operador;
        setPrompts(&operador);
        for (m_paso = 1; m_paso <= pasos && !::testing::Test::HasFailure(); ++m_paso) {
            const QString paso = unPaso();
            SCOPED_TRACE(QStringLiteral("step %1: %2").arg(m_paso).arg(paso).toStdString());
            comparaConLaAgrupacion(t.path());
        }
        setPrompts(nullptr);
        EXPECT_EQ(escalar(t.path(), QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
        EXPECT_GT(m_grabadas, 0) << "no line was saved through the form's save";
        m_base = nullptr;
    }

private:
    int numero(int desde, int hasta) { return std::uniform_int_distribution<int>(desde, hasta)(m_azar); }
    template <typename T>
    const T& uno(const QList<T>& lista)
    {
        return lista.at(numero(0, static_cast<int>(lista.size()) - 1));
    }
    // A quantity with up to four decimals, mostly whole.
    QString cantidad(int hasta = 40)
    {
        switch (numero(0, 3)) {
        case 0: return QString::number(numero(1, 9999) / 10000.0, 'f', 4);
        case 1: return QString::number(numero(-hasta, hasta * 100) / 100.0, 'f', 2);
        default: return QString::number(numero(1, hasta));
        }
    }
    void ejecuta(const QString& sql) { m_base->execute(sql); }
    // A receipt's date: mostly a time stamp of few days, so that receipts of
    // one day are many; now and then none, or a day as a station writes it.
    QString fecha()
    {
        switch (numero(0, 7)) {
        case 0: return QStringLiteral("NULL");
        case 1: return QStringLiteral("'%1/12/2024'").arg(numero(10, 14));
        default: return QStringLiteral("'2024-12-%1T08:00:00'").arg(numero(10, 14));
        }
    }
    // A row of `tabla` that meets `condicion`, chosen by the seed: its
    // `columna`, as an SQL expression (NULL when there is none).
    QString alAzar(const QString& tabla, const QString& columna = QStringLiteral("rowid"),
                   const QString& condicion = QStringLiteral("1"))
    {
        return QStringLiteral("(SELECT %2 FROM %1 WHERE %3 ORDER BY rowid LIMIT 1 OFFSET %4 % MAX(1, (SELECT COUNT(*) "
                              "FROM %1 WHERE %3)))")
            .arg(tabla, columna, condicion, QString::number(numero(0, 1 << 20)));
    }
    QString unoDe(const QString& tabla, const QString& columna, const QString& condicion = QStringLiteral("1"))
    {
        return escalar(m_base->path(), QStringLiteral("SELECT ") + alAzar(tabla, columna, condicion));
    }

    QString unPaso()
    {
        const int cual = numero(0, 99);
        if (cual < 12)
            return recibe();
        if (cual < 30)
            return grabaLinea();
        if (cual < 38)
            return regrabaReabierta();
        if (cual < 42)
            return numero(0, 1) ? borraComprobante() : borraMovimiento();
        if (cual < 46)
            return anulaComprobante();
        if (cual < 54)
            return numero(0, 2) ? cambiaMovimiento() : borraMovimiento();
        if (cual < 60)
            return otroProgramaTransfiere();
        if (cual < 65)
            return cambiaEquivalencia();
        if (cual < 70)
            return cambiaPosicion();
        if (cual < 74)
            return cambiaArticulo();
        if (cual < 86)
            return cambiaSaldoInicial();
        if (cual < 89)
            return estacionesALaVez();
        if (cual < 92)
            return estacionInterrumpida();
        return recibe();
    }

    QString recibe()
    {
        QString sql;
        const int filas = numero(1, 3);
        ++m_recepcion;
        for (int i = 0; i < filas; ++i) {
            // Now and then an explicit id older than the group's first
            // movement, a receipt with a position, or an annulled one.
            const QString id = numero(0, 9) == 0 ? QString::number(numero(1, 400)) : QStringLiteral("NULL");
            sql += QStringLiteral("INSERT OR IGNORE INTO V_MV_STOCK_DRAVELO (ID, FECHA, TC, SUCURSAL, NUMERO, "
                                  "LETRA, IDARTICULO, IDUNIDADBASE, CANTIDAD, NROLOTE, IDDEPOSITO, IDPOSICION, "
                                  "USUARIO, ANULADO) VALUES (%1, %2, '%3', '0001', '%4', 'X', %5, "
                                  "%6, %7, %8, %9, %10, 'pedro', %11);\n")
                       .arg(id, fecha(), numero(0, 5) == 0 ? "ir " : "IR",
                            QString::number(m_recepcion).rightJustified(8, u'0'), sqlTexto(articulo(uno(kArticulos))),
                            sqlTexto(uno(kUnidades)), cantidad(), sqlTexto(uno(kLotes)), sqlTexto(uno(kDepositos)))
                       .arg(numero(0, 12) == 0 ? sqlTexto(uno(kPosiciones)) : QStringLiteral("NULL"),
                            numero(0, 12) == 0 ? QStringLiteral("1") : QStringLiteral("0"));
        }
        ejecuta(sql);
        return QStringLiteral("receipt ") + QString::number(m_recepcion);
    }

    // A line the list shows with stock, as the form's grid holds it.
    std::optional<LineaTransferencia> lineaConStock(const QString& deposito)
    {
        std::vector<LineaTransferencia> lineas;
        db::Recordset rs;
        ObjDB().AbrirRecordset(QStringLiteral("SELECT IdArticulo, Descripcion, NroLote, idUnidadARTICULO, Cantidad, id "
                                              "FROM Stk_Dravelo_Sin_Asignar WHERE iddeposito = '%1' AND Cantidad > 0 "
                                              "ORDER BY id")
                                   .arg(deposito.rightJustified(4)),
                               rs);
        for (; !rs.Eof(); rs.MoveNext())
            lineas.push_back({lang::text(rs.value(0)), lang::text(rs.value(1)), lang::text(rs.value(2)),
                              lang::text(rs.value(3)), lang::text(rs.value(4)), {}, {}, lang::text(rs.value(5))});
        ObjDB().CierraRecordset(rs);
        if (lineas.empty())
            return std::nullopt;
        return lineas[static_cast<std::size_t>(numero(0, static_cast<int>(lineas.size()) - 1))];
    }

    // `total` ten-thousandths spread over one to three positions.
    void reparte(LineaTransferencia& l, qint64 total)
    {
        const QStringList posiciones{QStringLiteral("P1"), QStringLiteral("P2"), QStringLiteral("P3"),
                                     QStringLiteral("P4"), QStringLiteral("p1"), QStringLiteral("K01")};
        const int partes = static_cast<int>(std::min<qint64>(numero(1, 3), total));
        l.Posiciones = l.Cantidades = QStringLiteral("|");
        qint64 queda = total;
        QStringList usadas;
        for (int i = 0; i < partes; ++i) {
            QString p;
            do
                p = uno(posiciones);
            while (usadas.contains(p, Qt::CaseInsensitive));
            usadas << p;
            const qint64 esta = i == partes - 1 ? queda : numero(1, static_cast<int>(queda - (partes - 1 - i)));
            queda -= esta;
            l.Posiciones += p + u'|';
            l.Cantidades += QString::number(static_cast<double>(esta) / 10000, 'f', 4) + u'|';
        }
        l.Transferir = QString::number(static_cast<double>(total) / 10000, 'f', 4);
    }

    QString grabaLinea()
    {
        const QString deposito = numero(0, 3) == 0 ? QStringLiteral("2") : QStringLiteral("1");
        std::optional<LineaTransferencia> l = lineaConStock(deposito);
        if (!l)
            return recibe();
        const qint64 hay = std::llround(lang::number(l->Transferir) * 10000);
        reparte(*l, numero(0, 2) == 0 ? hay : std::max<qint64>(1, hay * numero(1, 9) / 10));
        const bool nuevo = m_comprobante.Numero.isEmpty() || numero(0, 2) == 0;
        bool hayError = false;
        const LineaGrabada g = GrabaLineaTransferencia(ObjDB(), {m_comprobante, deposito},
                                                       nuevo ? NumeracionLinea::Nueva : NumeracionLinea::Fijada, *l,
                                                       QStringLiteral("ana"), QDate(2024, 12, 10), hayError,
                                                       AvisoOtroPuesto::Calla);
        if (g.grabada) {
            m_comprobante = g.comprobante;
            ++m_grabadas;
        }
        return QStringLiteral("line of %1 saved into %2").arg(l->IdArticulo.trimmed(), g.comprobante.Numero);
    }

    QString regrabaReabierta()
    {
        const QString numeroTrp = unoDe(QStringLiteral("V_MV_STOCK_DRAVELO"), QStringLiteral("NUMERO"),
                                        QStringLiteral("TC = 'TRP' AND SUCURSAL = '0001' AND LETRA = 'X'"));
        if (numeroTrp.isEmpty())
            return grabaLinea();
        const ComprobanteTransferencia comprobante{QStringLiteral("0001"), numeroTrp, QStringLiteral("X")};
        const std::vector<LineaReabierta> lineas = LeeLineasReabiertas(ObjDB(), comprobante);
        if (lineas.empty())
            return QStringLiteral("voucher %1 without positioned lines").arg(numeroTrp);
        bool fallo = false;
        std::int32_t nroError = 0;
        EjecutaTransaccion(ObjDB(), SentenciasReapertura(ObjDB(), comprobante, lineas), fallo, nroError, false);
        EXPECT_FALSE(fallo);
        const LineaReabierta& r = lineas[static_cast<std::size_t>(numero(0, static_cast<int>(lineas.size()) - 1))];
        LineaTransferencia l{r.IdArticulo, r.Descripcion, r.NroLote, r.IdUnidadBase, {}, {}, {}, {}, r.Cantidades,
                             r.Posiciones};
        const qint64 total = std::llround(r.Cantidad.toDouble() * 10000);
        if (total <= 0)
            return QStringLiteral("voucher %1: a line of nothing to place").arg(numeroTrp);
        reparte(l, total);
        const QString deposito =
            escalar(m_base->path(), QStringLiteral("SELECT TRIM(IDDEPOSITO) FROM V_MV_STOCK_DRAVELO WHERE TC = 'TRP' "
                                                   "AND NUMERO = '%1' ORDER BY ID LIMIT 1")
                                        .arg(numeroTrp));
        bool hayError = false;
        GrabaLineaTransferencia(ObjDB(), {comprobante, deposito}, NumeracionLinea::Reabierta, l, QStringLiteral("ana"),
                                QDate(2024, 12, 11), hayError, AvisoOtroPuesto::Calla);
        return QStringLiteral("line of %1 in voucher %2 reopened and saved").arg(r.IdArticulo.trimmed(), numeroTrp);
    }

    // One voucher's movements, as another program names them.
    QString comprobanteAlAzar()
    {
        return unoDe(QStringLiteral("V_MV_STOCK_DRAVELO"),
                     QStringLiteral("'TC = ' || quote(TC) || ' AND NUMERO = ' || quote(NUMERO)"));
    }

    QString borraComprobante()
    {
        const QString cual = comprobanteAlAzar();
        if (cual.isEmpty())
            return recibe();
        ejecuta(QStringLiteral("DELETE FROM V_MV_STOCK_DRAVELO WHERE %1;").arg(cual));
        return QStringLiteral("voucher deleted: ") + cual;
    }

    QString borraMovimiento()
    {
        const QString id = unoDe(QStringLiteral("V_MV_STOCK_DRAVELO"), QStringLiteral("ID"));
        if (id.isEmpty())
            return recibe();
        ejecuta(QStringLiteral("DELETE FROM V_MV_STOCK_DRAVELO WHERE ID = %1;").arg(id));
        return QStringLiteral("movement %1 deleted").arg(id);
    }

    QString anulaComprobante()
    {
        const QString cual = comprobanteAlAzar();
        if (cual.isEmpty())
            return recibe();
        ejecuta(QStringLiteral("UPDATE V_MV_STOCK_DRAVELO SET ANULADO = 1 - ANULADO WHERE %1;").arg(cual));
        return QStringLiteral("voucher annulled or restored: ") + cual;
    }

    QString cambiaMovimiento()
    {
        const QString id = unoDe(QStringLiteral("V_MV_STOCK_DRAVELO"), QStringLiteral("ID"));
        if (id.isEmpty())
            return recibe();
        QString cambio;
        switch (numero(0, 8)) {
        case 0: cambio = QStringLiteral("CANTIDAD = ") + cantidad(); break;
        case 1: cambio = QStringLiteral("CANTIDAD = NULL"); break;
        case 2: cambio = QStringLiteral("NROLOTE = ") + sqlTexto(uno(kLotes)); break;
        case 3: cambio = QStringLiteral("IDARTICULO = ") + sqlTexto(articulo(uno(kArticulos))); break;
        case 4:
            cambio = QStringLiteral("IDPOSICION = ")
                + (numero(0, 1) ? sqlTexto(uno(kPosiciones)) : QStringLiteral("NULL"));
            break;
        case 5: cambio = QStringLiteral("TC = ") + sqlTexto(uno(QStringList{"IR", "TRP", "trp", "RM"})); break;
        case 6: cambio = QStringLiteral("IDDEPOSITO = ") + sqlTexto(uno(kDepositos)); break;
        case 7: cambio = QStringLiteral("IDUNIDADBASE = ") + sqlTexto(uno(kUnidades)); break;
        default: cambio = QStringLiteral("ID = ID + 100000"); break;
        }
        ejecuta(QStringLiteral("UPDATE OR IGNORE V_MV_STOCK_DRAVELO SET %1 WHERE ID = %2;").arg(cambio, id));
        return QStringLiteral("movement %1 changed: %2").arg(id, cambio);
    }

    // Transfer rows another program wrote: into any position, known or not,
    // and out of "no position".
    QString otroProgramaTransfiere()
    {
        const QString art = sqlTexto(articulo(uno(kArticulos)));
        const QString lote = sqlTexto(uno(kLotes));
        const QString unidad = sqlTexto(uno(kUnidades));
        const QString cant = cantidad();
        ejecuta(QStringLiteral("INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, "
                               "IDUNIDADBASE, CANTIDAD, NROLOTE, IDDEPOSITO, IDPOSICION, USUARIO) VALUES "
                               "('2024-12-20T00:00:00', 'TRP', '0009', '00000001', 'Z', %1, %2, -(%3), %4, '   1', "
                               "NULL, 'otro'), ('2024-12-20T00:00:00', 'TRP', '0009', '00000001', 'Z', %1, %2, %3, "
                               "%4, '   1', %5, 'otro');")
                    .arg(art, unidad, cant, lote, sqlTexto(uno(kPosiciones))));
        return QStringLiteral("another program placed ") + cant;
    }

    QString cambiaEquivalencia()
    {
        switch (numero(0, 2)) {
        case 0:
            ejecuta(QStringLiteral("INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES "
                                   "(%1, %2, %3, %4);")
                        .arg(sqlTexto(articulo(uno(kArticulos))), sqlTexto(uno(kUnidadesPosicion.mid(0, 4))),
                             sqlTexto(uno(kUnidadesPosicion.mid(0, 4))), uno(QStringList{"12", "0.5", "3", "0", "6"})));
            return QStringLiteral("equivalence added");
        case 1:
            ejecuta(QStringLiteral("DELETE FROM S_TA_EQUIV WHERE rowid = %1;")
                        .arg(alAzar(QStringLiteral("S_TA_EQUIV"))));
            return QStringLiteral("equivalence removed");
        default:
            ejecuta(QStringLiteral("UPDATE S_TA_EQUIV SET Coeficiente = %1 WHERE rowid = %2;")
                        .arg(uno(QStringList{"12", "2", "0.25", "7"}), alAzar(QStringLiteral("S_TA_EQUIV"))));
            return QStringLiteral("equivalence changed");
        }
    }

    // A code that differs from another only in its trailing blanks would be
    // refused by the server; here its trim would be, and leave it stored
    // untrimmed: such codes are not written.
    QString cambiaPosicion()
    {
        const QString cual = QStringLiteral("rowid = ") + alAzar(QStringLiteral("MA_POSICIONES"), QStringLiteral("rowid"),
                                                                   QStringLiteral("IdPosicion NOT LIKE 'K%'"));
        const QString deposito = sqlTexto(uno(kDepositos));
        const QString posicion = sqlTexto(uno(kPosiciones));
        const QString libre = QStringLiteral("NOT EXISTS (SELECT 1 FROM MA_POSICIONES o WHERE o.IdDeposito = RTRIM(%1) "
                                             "AND o.IdPosicion = RTRIM(%2))");
        switch (numero(0, 3)) {
        case 0:
            ejecuta(QStringLiteral("INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, IdUnidad, HABILITADO, CAPACIDAD) "
                                   "SELECT %1, %2, %3, 1, 1e9 WHERE %4;")
                        .arg(deposito, posicion, sqlTexto(uno(kUnidadesPosicion)), libre.arg(deposito, posicion)));
            return QStringLiteral("position added");
        case 1:
            ejecuta(QStringLiteral("DELETE FROM MA_POSICIONES WHERE %1;").arg(cual));
            return QStringLiteral("position removed");
        case 2:
            ejecuta(QStringLiteral("UPDATE MA_POSICIONES SET IdUnidad = %1 WHERE %2;")
                        .arg(sqlTexto(uno(kUnidadesPosicion)), cual));
            return QStringLiteral("position's unit changed");
        default:
            ejecuta(QStringLiteral("UPDATE MA_POSICIONES SET IdPosicion = %1 WHERE %2 AND %3;")
                        .arg(posicion, cual, libre.arg(QStringLiteral("MA_POSICIONES.IdDeposito"), posicion)));
            return QStringLiteral("position renamed");
        }
    }

    QString cambiaArticulo()
    {
        const QString cual = QStringLiteral("rowid = ") + alAzar(QStringLiteral("V_MA_ARTICULOS"));
        switch (numero(0, 3)) {
        case 0:
            ejecuta(QStringLiteral("INSERT OR IGNORE INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES "
                                   "(%1, 'NUEVO %2', '  UN');")
                        .arg(sqlTexto(articulo(uno(kArticulos))), QString::number(m_paso)));
            return QStringLiteral("article added");
        case 1:
            ejecuta(QStringLiteral("DELETE FROM V_MA_ARTICULOS WHERE %1;").arg(cual));
            return QStringLiteral("article removed");
        case 2:
            ejecuta(QStringLiteral("UPDATE V_MA_ARTICULOS SET DESCRIPCION = 'L''ARTICULO %1' WHERE %2;")
                        .arg(m_paso)
                        .arg(cual));
            return QStringLiteral("description changed");
        default:
            ejecuta(QStringLiteral("UPDATE OR IGNORE V_MA_ARTICULOS SET IDARTICULO = LOWER(IDARTICULO) || ' ' "
                                   "WHERE %1;")
                        .arg(cual));
            return QStringLiteral("article code respelled");
        }
    }

    QString cambiaSaldoInicial()
    {
        const QString cual = QStringLiteral("rowid = ") + alAzar(QStringLiteral("AC_SALDOSINICIALES"));
        switch (numero(0, 3)) {
        case 0: {
            // Half of them under the same codes, so that rows alike but for
            // their balances are many: a change or a removal of one of them
            // must reach its own copy.
            const bool mismos = numero(0, 1);
            ejecuta(QStringLiteral("INSERT INTO %1 (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo, "
                                   "SaldoPosicion) VALUES (%2, %3, %4, %5, %6, %7, %8);")
                        .arg(numero(0, 1) ? QStringLiteral("AC_SALDOSLAYOUT") : QStringLiteral("AC_SALDOSINICIALES"),
                             sqlTexto(mismos ? kDepositos[0] : uno(kDepositos)),
                             mismos || numero(0, 4) ? sqlTexto(mismos ? kPosiciones[0] : uno(kPosiciones))
                                                    : QStringLiteral("NULL"),
                             sqlTexto(articulo(mismos ? kArticulos[0] : uno(kArticulos))),
                             sqlTexto(mismos ? kLotes[2] : uno(kLotes)), sqlTexto(mismos ? kUnidades[0] : uno(kUnidades)),
                             mismos || numero(0, 1) ? cantidad() : QStringLiteral("6"),
                             numero(0, 3) ? QStringLiteral("6") : QStringLiteral("NULL")));
            return QStringLiteral("opening balance added");
        }
        case 1:
            ejecuta(QStringLiteral("DELETE FROM AC_SALDOSINICIALES WHERE %1;").arg(cual));
            return QStringLiteral("opening balance removed");
        case 2:
            ejecuta(QStringLiteral("UPDATE AC_SALDOSINICIALES SET Saldo = %1, SaldoPosicion = Saldo WHERE %2;")
                        .arg(cantidad(), cual));
            return QStringLiteral("opening balance changed");
        default:
            ejecuta(QStringLiteral("UPDATE AC_SALDOSINICIALES SET IdPosicion = %1, NroLote = %2 WHERE %3;")
                        .arg(sqlTexto(uno(kPosiciones)), sqlTexto(uno(kLotes)), cual));
            return QStringLiteral("opening balance moved");
        }
    }

    std::unique_ptr<QProcess> estacion(int lineas, const QString& marca)
    {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QStringLiteral(ESTACION_ASIGNACION),
                 {m_base->path(), QString::number(m_azar()), QString::number(lineas), kPosicionesEstacion, marca});
        EXPECT_TRUE(p->waitForStarted(10000));
        return p;
    }

    static bool espera(const QStringList& marcas)
    {
        for (int vez = 0; vez < 400; ++vez) {
            if (std::all_of(marcas.begin(), marcas.end(), [](const QString& m) { return QFile::exists(m); }))
                return true;
            QThread::msleep(25);
        }
        return false;
    }

    // Stations that save their lines side by side, each from its own process:
    // all wait on a lock held here until every one is ready.
    QString estacionesALaVez()
    {
        sqlite3* bloqueo = nullptr;
        sqlite3_open(m_base->path().toUtf8().constData(), &bloqueo);
        EXPECT_EQ(sqlite3_exec(bloqueo, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        QTemporaryDir marcas;
        const int cuantas = numero(2, 3);
        std::vector<std::unique_ptr<QProcess>> estaciones;
        QStringList listas;
        for (int i = 0; i < cuantas; ++i) {
            listas << marcas.filePath(QString::number(i));
            estaciones.push_back(estacion(numero(2, 6), listas.back()));
        }
        espera(listas);
        QThread::msleep(100);
        EXPECT_EQ(sqlite3_exec(bloqueo, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(bloqueo);
        for (auto& p : estaciones) {
            EXPECT_TRUE(p->waitForFinished(120000));
            EXPECT_EQ(p->exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(p->exitCode(), 0) << p->readAll().toStdString();
        }
        return QStringLiteral("%1 stations saved lines at once").arg(cuantas);
    }

    // A station killed while it saves line after line, each spread over
    // fifteen positions: most of its time goes in its transactions.
    QString estacionInterrumpida()
    {
        if (!lineaConStock(QStringLiteral("1")))
            recibe();
        QTemporaryDir marcas;
        const QString marca = marcas.filePath(QStringLiteral("0"));
        std::unique_ptr<QProcess> p = estacion(0, marca);
        if (espera({marca}))
            QThread::msleep(static_cast<unsigned long>(numero(5, 120)));
        ::kill(static_cast<pid_t>(p->processId()), SIGKILL);
        EXPECT_TRUE(p->waitForFinished(30000));
        const QByteArray dicho = p->readAll();
        const bool enMedio = dicho.endsWith('<');
        ++m_matadas;
        m_interrumpidas += enMedio ? 1 : 0;
        return QStringLiteral("a station killed %1 (%2 saves)")
            .arg(enMedio ? QStringLiteral("in the middle of a save") : QStringLiteral("between saves"))
            .arg(dicho.count('>'));
    }

    std::mt19937 m_azar;
    TestDatabase* m_base = nullptr;
    int m_paso = 0;
    int m_recepcion = 100;
    int m_grabadas = 0;
    ComprobanteTransferencia m_comprobante;

public:
    // Stations killed, and of them killed in the middle of a save.
    int m_matadas = 0;
    int m_interrumpidas = 0;
};

std::vector<unsigned> semillas()
{
    const QByteArray propia = qgetenv("APP_SEMILLA_SALDOS");
    if (!propia.isEmpty())
        return {propia.toUInt()};
    return {1, 2, 3, 4};
}

class SaldosMantenidos : public ::testing::TestWithParam<unsigned> {};

}  // namespace

TEST_P(SaldosMantenidos, AreWhatTheGroupingOfTheMovementsGivesAfterEveryStep)
{
    SCOPED_TRACE(QStringLiteral("seed %1 (APP_SEMILLA_SALDOS=%1 runs it alone)").arg(GetParam()).toStdString());
    Secuencia secuencia(GetParam());
    secuencia.corre(150);
    if (secuencia.m_matadas > 0) {
        EXPECT_GT(secuencia.m_interrumpidas, 0) << "no station was killed in the middle of a save";
    }
}

INSTANTIATE_TEST_SUITE_P(Semillas, SaldosMantenidos, ::testing::ValuesIn(semillas()));
