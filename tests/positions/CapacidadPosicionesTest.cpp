// No position past its capacity, as the balance view counts what lies in it:
// lines in any unit over depots of generated positions, equivalences and
// capacities, saved through the real save.
#include "positions/DatosPosicionesSql.h"
#include "positions/GrabacionTransferencia.h"
#include "positions/PosicionEntradas.h"

#include "core/DB_Dll.h"
#include "platform/Prompts.h"
#include "platform/Value.h"
#include "tests/support/QtPrinting.h"
#include "tests/support/ScriptedPrompts.h"
#include "tests/support/TestDatabase.h"

#include <gtest/gtest.h>
#include <random>

namespace {

const QDate kHoy(2024, 12, 10);

// A quantity of up to four decimals between 0 and `hasta`.
QString cantidadAlAzar(std::mt19937& azar, int hasta)
{
    const std::int64_t raw = std::uniform_int_distribution<std::int64_t>(1, std::int64_t(hasta) * 10000)(azar);
    return Currency::fromRaw(raw).toString();
}

// Depots of generated positions: each with articles kept in one unit and
// equivalent to others by coefficients that are not whole numbers as often as
// they are, positions in those units with capacities of up to four decimals,
// and stock received in any of an article's units.
QString depositosGenerados(int depositos, unsigned semilla)
{
    std::mt19937 azar(semilla);
    const QStringList unidades{"UN", "CJ", "LT", "KG", "PAL", "M3", "BL", "DZ"};
    const std::vector<double> coeficientes{24, 12, 6, 3, 2.5, 1.5, 0.5, 0.25, 0.3333, 7, 0.0833, 40};
    const auto elige = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(azar); };
    QString sql = QStringLiteral("INSERT INTO ta_usuarios (nombre, UNegocio) VALUES ('ana', '   1');\n");
    for (int d = 1; d <= depositos; ++d) {
        const QString deposito = QString::number(d).rightJustified(4);
        sql += QStringLiteral("INSERT INTO V_TA_Deposito (IdDeposito, Descripcion) VALUES ('%1', 'D%2');\n")
                   .arg(deposito)
                   .arg(d);
        QStringList unidadesDeposito;
        const int articulos = 1 + elige(3);
        for (int a = 1; a <= articulos; ++a) {
            const QString articulo = QStringLiteral("D%1A%2").arg(d).arg(a).rightJustified(25);
            const QString propia = unidades[elige(int(unidades.size()))];
            sql += QStringLiteral("INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('%1', 'ART', "
                                  "'%2');\n")
                       .arg(articulo, propia.rightJustified(4));
            sql += QStringLiteral("INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) VALUES "
                                  "('%1', '%2', '%2', 1);\n")
                       .arg(articulo, propia.rightJustified(4));
            QStringList suyas{propia};
            for (int e = 0, otras = 1 + elige(3); e < otras; ++e) {
                const QString otra = unidades[elige(int(unidades.size()))];
                if (suyas.contains(otra))
                    continue;
                suyas << otra;
                // Either way round: one box is 24 litres, or one litre is 1/24 box.
                const bool directa = elige(2) == 0;
                sql += QStringLiteral("INSERT INTO S_TA_EQUIV (IdArticulo, IDUNIDAD, IDUNIDAD_EQUIV, Coeficiente) "
                                      "VALUES ('%1', '%2', '%3', %4);\n")
                           .arg(articulo, (directa ? propia : otra).rightJustified(4),
                                (directa ? otra : propia).rightJustified(4),
                                lang::numberText(coeficientes[std::size_t(elige(int(coeficientes.size())))]));
            }
            for (int r = 0, recibos = 1 + elige(3); r < recibos; ++r)
                sql += QStringLiteral("INSERT INTO V_MV_STOCK_DRAVELO (FECHA, TC, SUCURSAL, NUMERO, LETRA, IDARTICULO, "
                                      "IDUNIDADBASE, CANTIDAD, NROLOTE, IDDEPOSITO) VALUES ('2024-12-02T08:00:00', "
                                      "'IR', '0001', '00000123', 'X', '%1', '%2', %3, %4, '%5');\n")
                           .arg(articulo, suyas[elige(int(suyas.size()))].rightJustified(4),
                                cantidadAlAzar(azar, 150), elige(3) == 0 ? QStringLiteral("'L1'") : QStringLiteral("NULL"),
                                deposito);
            unidadesDeposito += suyas;
        }
        for (int p = 1, posiciones = 3 + elige(4); p <= posiciones; ++p)
            sql += QStringLiteral("INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, Descripcion, ORDENINGRESO, IdUnidad, "
                                  "HABILITADO, CAPACIDAD) VALUES ('%1', 'P%2', 'Rack', %3, '%4', 1, %5);\n")
                       .arg(deposito)
                       .arg(p)
                       .arg(elige(10))
                       .arg(unidadesDeposito[elige(int(unidadesDeposito.size()))].rightJustified(4),
                            cantidadAlAzar(azar, 60));
    }
    return sql;
}

// The depot's lines without position as the start-up form lists them.
std::vector<LineaTransferencia> lineasSinPosicion(const QString& deposito)
{
    std::vector<LineaTransferencia> lineas;
    db::Recordset rs;
    ObjDB().AbrirRecordset(QStringLiteral("SELECT IdArticulo, Descripcion, NroLote, idUnidadARTICULO, Cantidad FROM "
                                          "Stk_Dravelo_Sin_Asignar WHERE idDeposito = '%1' ORDER BY id")
                               .arg(deposito.rightJustified(4)),
                           rs);
    for (; !rs.Eof(); rs.MoveNext())
        lineas.push_back({lang::text(rs.value(0)), lang::text(rs.value(1)), lang::text(rs.value(2)),
                          lang::text(rs.value(3)), lang::text(rs.value(4)), {}, {}, {}});
    ObjDB().CierraRecordset(rs);
    return lineas;
}

}  // namespace

// Over 160 generated depots (16 files of 10, so that each balance view stays
// small), every line goes the automatic proposal's road twice: the position
// dialog measures and fills the positions, unseen, and the line is saved with
// what it placed. The balance view then counts what lies in each position:
// none is past its capacity, and the save never refused what the dialog
// offered.
TEST(CapacidadPosiciones, GeneratedDepotsFilledThroughTheSaveStayWithinCapacity)
{
    constexpr int kArchivos = 16;
    constexpr int kDepositos = 10;
    int grabadas = 0;
    int conSaldo = 0;
    int llenas = 0;
    QStringList rechazadas;
    QStringList pasadas;
    for (int archivo = 0; archivo < kArchivos; ++archivo) {
        TestDatabase t(depositosGenerados(kDepositos, 20241210u + unsigned(archivo)));
        ComprobanteTransferencia comprobante{QStringLiteral("0001"), QStringLiteral("00000001"), QStringLiteral("X")};
        bool numerado = false;
        for (int vuelta = 0; vuelta < 2; ++vuelta) {
            for (int d = 1; d <= kDepositos; ++d) {
                const QString deposito = QString::number(d);
                for (LineaTransferencia linea : lineasSinPosicion(deposito)) {
                    DatosPosicionesSql lecturas;
                    GrillaMemoria celdas;
                    PosicionEntradas dialogo(lecturas, celdas);
                    dialogo.eIdDeposito = deposito;
                    dialogo.eIdArticulo = linea.IdArticulo;
                    dialogo.eUnidadArticulo = linea.IdUnidad;
                    dialogo.eCantidadPedida = lang::leadingNumber(linea.Transferir);
                    dialogo.ePermiteModificarCantidadesParaAbajo = true;
                    dialogo.eProposicionAutomatica = true;
                    dialogo.CargaYAcepta();
                    if (dialogo.eCantidadPedida <= 0)
                        continue;
                    linea.Transferir = lang::numberText(dialogo.eCantidadPedida);
                    linea.Posiciones = dialogo.Posiciones;
                    linea.Cantidades = dialogo.Cantidades;
                    bool hayError = false;
                    ScopedPrompts sinAvisos;
                    const LineaGrabada g = GrabaLineaTransferencia(
                        ObjDB(), {comprobante, deposito}, numerado ? NumeracionLinea::Fijada : NumeracionLinea::Nueva,
                        linea, QStringLiteral("ana"), kHoy, hayError, AvisoOtroPuesto::Calla);
                    if (!g.grabada) {
                        rechazadas << QStringLiteral("%1-%2/%3 %4 %5")
                                          .arg(archivo)
                                          .arg(deposito, linea.IdArticulo.trimmed() + u'/' + linea.IdUnidad.trimmed(),
                                               linea.Posiciones, linea.Cantidades);
                        continue;
                    }
                    ++grabadas;
                    comprobante = g.comprobante;
                    numerado = true;
                }
            }
        }

        // Each position's balance, counted by the view in the position's unit.
        db::Recordset rs;
        ObjDB().AbrirRecordset(
            QStringLiteral("SELECT p.IdDeposito, p.IdPosicion, p.CAPACIDAD, (SELECT SUM(s.SaldoPosicion) FROM "
                           "AC_SALDOSLAYOUT s WHERE s.IdDeposito = p.IdDeposito AND s.IdPosicion = p.IdPosicion) FROM "
                           "MA_POSICIONES p"),
            rs);
        for (; !rs.Eof(); rs.MoveNext()) {
            const Currency capacidad = Currency::fromVariant(rs.value(2));
            const Currency saldo = Currency::fromVariant(rs.value(3));
            if (saldo > Currency())
                ++conSaldo;
            if (saldo > capacidad)
                pasadas << QStringLiteral("%1-%2/%3: %4 of %5")
                               .arg(archivo)
                               .arg(lang::text(rs.value(0)).trimmed(), lang::text(rs.value(1)), saldo.toString(),
                                    capacidad.toString());
            else if (capacidad - saldo < Currency::fromRaw(100))
                ++llenas;
        }
        ObjDB().CierraRecordset(rs);
    }
    EXPECT_EQ(rechazadas, QStringList());
    EXPECT_EQ(pasadas, QStringList());
    // The depots do reach the edge: most positions that took stock are full.
    EXPECT_GT(llenas, 300) << conSaldo << " positions hold stock, " << grabadas << " lines saved";
}
