// The lot dialogs' load and first-in first-out proposal for one outgoing
// line, over an article with 100, 1,000 and 10,000 lots of 3 units each in
// one depot, asked for all of them, so that the proposal takes every lot
// whole: the lot-and-series dialog through PideSerieLote_Salidas accepted
// unseen and shown, and the lot-and-position dialog (one position per lot)
// through PidePosicionLote, which always shows it. Shown, the dialog lays
// itself out and paints before its accept button is pressed.
//
// Timed: the request from the moment it asks for its dialog to the moment
// it has released it (members, load, proposal, accept, lists read back). The
// window itself is built before, untimed, and its cost is printed apart: it
// is the same for any article.
//
// Floor: the statements the dialog sent, already in SQLite's dialect and
// prepared once (the layer keeps the queries it ran), stepped through every
// row, with the columns the dialog reads handed on as Qt values (text read as
// UTF-8, as the layer reads it), on the same handle. Targets: the request
// within 2 times its floor at every size, and its time per lot the same at
// 1,000 and 10,000 lots.
#include "bench/BenchSupport.h"
#include "bench/PisoSentencias.h"
#include "core/DB_Dll.h"
#include "db/EmbeddedDatabase.h"
#include "platform/FlexGrid.h"
#include "platform/db/Connection.h"
#include "platform/db/SqliteBackend.h"
#include "platform/db/SqliteDialect.h"
#include "voucher_dialogs/FrmCargaLotesySeries.h"
#include "voucher_dialogs/FrmLoteyPosicion.h"
#include "vouchers/ClsCmnCptes.h"
#include "vouchers/ColumnasGrillas.h"
#include "vouchers/EnlaceDialogosComprobante.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

constexpr int kLotes[] = {100, 1000, 10000};
constexpr double kPorLote = 3;
enum Dialogo { SeriesSinMostrar, SeriesMostrado, PosicionesMostrado };
const char* const kNombres[] = {"lots and series, unseen", "lots and series, shown", "lots and positions, shown"};

// Shows a dialog, lets it lay itself out and paint, and presses its accept
// button, as an operator taking the proposal at once.
class AceptaAlMostrar : public SinVentanas {
public:
    int showModal(QDialog& f) override
    {
        f.show();
        QCoreApplication::processEvents();
        auto* aceptar = f.findChild<QPushButton*>(QStringLiteral("CmdAceptar"));
        if (!aceptar) {
            std::fprintf(stderr, "no accept button in %s\n", qPrintable(f.objectName()));
            std::abort();
        }
        aceptar->click();
        return f.result();
    }
};

// Hands the requests the dialog built beforehand.
class DialogosHechos : public EnlaceDialogosComprobante {
public:
    std::unique_ptr<::FrmCargaLotesySeries> series;
    std::unique_ptr<::FrmLoteyPosicion> posiciones;

    std::unique_ptr<DialogoCargaLotesySeries> FrmCargaLotesySeries() override { return std::move(series); }
    std::unique_ptr<DialogoLoteyPosicion> FrmLoteyPosicion() override { return std::move(posiciones); }
    std::unique_ptr<DialogoConsComprobantes> FrmConsComprobantes() override { return nullptr; }
    std::unique_ptr<DialogoTalle> FrmTalle() override { return nullptr; }
};

QString baseDeDatos(QTemporaryDir& dir, int lotes)
{
    const QString path = dir.filePath(QStringLiteral("lotes%1.db").arg(lotes));
    EmbeddedDatabase::create(path, false);
    EmbeddedDatabase::execute(path, QStringLiteral(R"(
        INSERT INTO V_MA_ARTICULOS (IDARTICULO, DESCRIPCION, IDUNIDAD) VALUES ('                   ART001', 'Yerba', '  UN');
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
        INSERT INTO STK_SERIES_Y_LOTES (IdArticulo, IDDEPOSITO, NroLote, NroSerie, CANTIDAD)
            SELECT '                   ART001', '   1', printf('L%05d', i), NULL, %2 FROM n;
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
        INSERT INTO MA_POSICIONES (IdDeposito, IdPosicion, ORDENINGRESO) SELECT '   1', printf('P%05d', i), i FROM n;
        WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1)
        INSERT INTO AC_SALDOSLAYOUT (IdDeposito, IdPosicion, IdArticulo, NroLote, IdUnidadBase, Saldo)
            SELECT '   1', printf('P%05d', i), '                   ART001', printf('L%05d', i), '  UN', %2 FROM n;
    )").arg(lotes).arg(kPorLote));
    return path;
}

void CargaYPropuesta(benchmark::State& state)
{
    static QTemporaryDir dir;
    static std::map<int, QString> bases;
    const int lotes = static_cast<int>(state.range(0));
    const auto dialogo = static_cast<Dialogo>(state.range(1));
    QString& path = bases[lotes];
    if (path.isEmpty())
        path = baseDeDatos(dir, lotes);

    releaseObjDB();
    resetPeak();
    auto propia = std::make_unique<Contador>();
    Contador& cn = *propia;
    cn.Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=(sqlite);Database =%1;UId=ana;Pwd=;").arg(path));
    ObjDB().setConnection(std::move(propia));
    ObjDB().gOpenFlag = true;
    sqlite3* handle = static_cast<db::SqliteBackend*>(cn.backend())->handle();

    DialogosHechos hechos;
    RegistraEnlaceDialogosComprobante(&hechos);
    const ClsCmnCptes cls;
    // The voucher's articles grid: the line being asked for, with no lots yet.
    FlexGrid articulos;
    articulos.setCols(ColArticulos::Columnas);
    articulos.setRows(2);
    articulos.setTextMatrix(1, ColArticulos::Codigo, QStringLiteral("ART001"));

    const double pedido = kPorLote * lotes;
    QString resultado;
    const auto pide = [&] {
        if (dialogo == PosicionesMostrado) {
            QString lotesNvo;
            cls.PidePosicionLote(QStringLiteral("ART001"), QStringLiteral("UN"), pedido, QStringLiteral("1"), QString(),
                                 QString(), resultado, lotesNvo, true, true);
            return;
        }
        double cantidad = pedido;
        QString deposito = QStringLiteral("1");
        QString cantidades;
        cls.PideSerieLote_Salidas(articulos, QStringLiteral("ART001"), QStringLiteral("Yerba"), cantidad, QString(),
                                  QString(), resultado, cantidades, true, false, false, deposito,
                                  dialogo == SeriesMostrado);
    };
    QElapsedTimer t;
    const auto construye = [&] {
        t.start();
        if (dialogo == PosicionesMostrado)
            hechos.posiciones = std::make_unique<FrmLoteyPosicion>();
        else
            hechos.series = std::make_unique<FrmCargaLotesySeries>();
        return t.nsecsElapsed();
    };

    // A first request, untimed, gives the statements the floor runs.
    construye();
    cn.leidas.clear();
    pide();
    const db::SqliteDialect dialecto(cn.backend()->literalCollation());
    const QStringList columnas = dialogo == PosicionesMostrado
                                   ? QStringList()
                                   : QStringList{QStringLiteral("NroLote"), QStringLiteral("NroSerie"),
                                                 QStringLiteral("Cantidad")};
    std::vector<Sentencia> sentencias;
    for (const QString& s : cn.leidas)
        for (const auto& st : dialecto.translate(s))
            if (st.kind == db::SqliteStatement::Kind::Sql)
                sentencias.push_back(prepara(handle, st.text, columnas));

    qint64 construccion = 0;
    qint64 pedidos = 0;
    qint64 suelo = 0;
    for (auto _ : state) {
        construccion += construye();
        resultado.clear();
        t.start();
        pide();
        const qint64 este = t.nsecsElapsed();
        if (resultado.isEmpty())
            state.SkipWithError("nothing was taken");
        pedidos += este;
        state.SetIterationTime(static_cast<double>(este) / 1e9);
        suelo += piso(sentencias);
    }
    for (const Sentencia& s : sentencias)
        sqlite3_finalize(s.st);
    RegistraEnlaceDialogosComprobante(nullptr);
    const double n = static_cast<double>(state.iterations());
    state.counters["statements"] = static_cast<double>(sentencias.size());
    state.counters["build_ms"] = static_cast<double>(construccion) / n / 1e6;
    state.counters["request_ms"] = static_cast<double>(pedidos) / n / 1e6;
    state.counters["floor_ms"] = static_cast<double>(suelo) / n / 1e6;
    state.counters["us_per_lot"] = static_cast<double>(pedidos) / n / 1e3 / lotes;
    state.counters["request_over_floor"] = suelo > 0 ? static_cast<double>(pedidos) / static_cast<double>(suelo) : 0;
    state.counters["peak_MB"] = peakMB();
    releaseObjDB();
}

void registra()
{
    static AceptaAlMostrar acepta;
    setPrompts(&acepta);
    for (int lotes : kLotes)
        for (int dialogo : {SeriesSinMostrar, SeriesMostrado, PosicionesMostrado})
            benchmark::RegisterBenchmark("CargaYPropuesta", CargaYPropuesta)
                ->Args({lotes, dialogo})
                ->ArgNames({"lots", "dialog"})
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
}

}  // namespace

int main(int argc, char** argv)
{
    return CorreSinVentanas(argc, argv, registra, [](ResultReporter& resultados) {
        std::printf("\n%-26s %6s %10s %10s %6s %8s %8s %8s\n", "dialog", "lots", "request ms", "floor ms", "ratio",
                    "us/lot", "build ms", "peak MB");
        double peor = 0;
        for (int dialogo : {SeriesSinMostrar, SeriesMostrado, PosicionesMostrado}) {
            double porLote[std::size(kLotes)] = {};
            for (std::size_t i = 0; i < std::size(kLotes); ++i) {
                const auto& r = resultados["CargaYPropuesta/lots:" + std::to_string(kLotes[i])
                                           + "/dialog:" + std::to_string(dialogo)];
                if (r.counter("request_ms") <= 0)
                    continue;
                porLote[i] = r.counter("us_per_lot");
                peor = std::max(peor, r.counter("request_over_floor"));
                std::printf("%-26s %6d %10.3f %10.3f %6.2f %8.2f %8.3f %8.1f\n", kNombres[dialogo], kLotes[i],
                            r.counter("request_ms"), r.counter("floor_ms"), r.counter("request_over_floor"),
                            porLote[i], r.counter("build_ms"), r.counter("peak_MB"));
            }
            if (porLote[1] > 0 && porLote[2] > 0)
                std::printf("%-26s time per lot at 10,000 over 1,000: %.2f (linear: about 1)\n", kNombres[dialogo],
                            porLote[2] / porLote[1]);
        }
        std::printf("worst request / floor: %.2f (target 2 or less at every size)\n", peor);
    });
}
