// The put-away road as the clerk feels it, on the program's own start-up
// form, shown and painted off screen, over the demo database plus 1,000,
// 100,000 and 1,000,000 receipt lines waiting for a position in depot 1 (and
// the demo alone, for the start-up's reference), with 1,000 positions of the
// lines' family holding 20 balance rows each (bench/BaseEnEspera.h). Each
// step is timed from the operator's action to the window painted with its
// outcome:
//   start-up        Form_Load (connection, the first-row probe of the lines,
//                   the voucher number, the header) to the window's first
//                   paint;
//   Cargar          the button's click to the grid's first page painted (the
//                   grid probes its query, counts the lines for the page list
//                   and reads the page);
//   next page, last page, previous page (from the last)
//                   the grid's button to the page painted;
//   position dialog the transfer cell of the page's first line confirmed
//                   with the line's whole quantity to the position dialog
//                   shown and painted with its candidate positions, balances
//                   and proposal; the dialog is then cancelled, so nothing
//                   is saved.
// The road runs in a process of its own for each size (this program run
// again), so that each size's resident peak is its own: a first road on a
// copy of the demo database, untimed, then the timed roads on a copy of the
// size's database, each on a fresh form and connection; each figure is the
// median of the roads. The size's database is made through the tables the
// program writes, and kept between runs. The table at the end gives each
// step's time and its ratio to the figure at 1,000 lines.
//
// Targets: Cargar and a page turn at 1,000,000 lines at most 3 times their
// cost at 1,000; start-up at most 1.2 times the demo's; a resident peak that
// does not grow with the lines.
#include "bench/BaseEnEspera.h"
#include "bench/BenchSupport.h"

#include "app/SalidaAlMostrar.h"
#include "core/DB_Dll.h"
#include "grid/VrDbGrid.h"
#include "lookup/EnlaceObjConsultas.h"
#include "platform/FlexGrid.h"
#include "platform/Host.h"
#include "platform/Prompts.h"
#include "platform/StandardIcons.h"
#include "platform/TextBox.h"
#include "platform/Translations.h"
#include "positions/frmDRAVELO_ASIGNAR_UBICACION.h"
#include "positions/frmPosicionEntradas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

constexpr int kTamanos[] = {0, 1000, 100000, 1000000};
constexpr int kBase = 1000;
constexpr int kFilasPagina = 15;

enum Paso { Arranque, Cargar, Siguiente, Ultima, Anterior, Dialogo, Pasos };
const char* const kClaves[Pasos] = {"startup", "cargar", "next", "last", "previous", "dialog"};
const char* const kNombres[Pasos] = {"start-up", "Cargar, first page", "next page",
                                     "last page", "previous page", "position dialog"};

// The timed roads of a size: few where a road takes minutes.
int vueltas(int lineas)
{
    if (lineas >= 1000000)
        return 2;
    if (lineas >= 100000)
        return 5;
    return 15;
}

[[noreturn]] void falla(const QString& que)
{
    std::fprintf(stderr, "road: %s\n", qPrintable(que));
    std::fflush(stderr);
    std::_Exit(2);
}

// ---- one size's roads, in a process of their own ---------------------------

// Counts the paints of a widget.
class Pintadas : public QObject {
public:
    explicit Pintadas(QWidget* w) { w->installEventFilter(this); }
    int veces = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint)
            ++veces;
        return false;
    }
};

// Runs the events until `hecho` holds; a wait that outlasts `plazoMs` after
// the action returned is a road that did not paint.
void esperaHasta(const std::function<bool()>& hecho, const QString& que, int plazoMs = 20000)
{
    QElapsedTimer plazo;
    plazo.start();
    while (!hecho()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (plazo.elapsed() > plazoMs)
            falla(que + QStringLiteral(": nothing was painted"));
    }
}

// The position dialog shown as the operator sees it: the moment it is
// painted is the step's end; then it is cancelled. Any other prompt ends the
// run, as in every benchmark.
class DialogoVisto : public SinVentanas {
public:
    QElapsedTimer* reloj = nullptr;
    qint64 pintadoNs = -1;
    int candidatas = 0;

    int showModal(QDialog& d) override
    {
        auto* dialogo = qobject_cast<frmPosicionEntradas*>(&d);
        if (!dialogo || !reloj)
            return SinVentanas::showModal(d);
        bool pintado = false;
        d.show();
        salida_al_mostrar::trasPrimerDibujo(&d, [&pintado] { pintado = true; });
        esperaHasta([&] { return pintado; }, QStringLiteral("the position dialog"));
        pintadoNs = reloj->nsecsElapsed();
        candidatas = dialogo->MSFlexGrid1->Rows() - 1;
        dialogo->CmdCancelar_Click();
        return d.result();
    }
};

QPushButton* boton(VrDbGrid& grid, const char* nombre)
{
    auto* b = grid.findChild<QPushButton*>(QLatin1String(nombre));
    if (!b)
        falla(QStringLiteral("the grid has no button ") + QLatin1String(nombre));
    return b;
}

// One road on the database the host's command line names; the time of
// each step in ns.
std::vector<qint64> recorre(DialogoVisto& prompts, int lineasEsperadas)
{
    std::vector<qint64> t(Pasos, 0);
    releaseObjDB();
    auto f = std::make_unique<frmDRAVELO_ASIGNAR_UBICACION>();
    VrDbGrid& grilla = *f->VrDbGrid1;
    FlexGrid& celdas = *grilla.MsFlexGrid;
    QElapsedTimer reloj;

    reloj.start();
    f->Form_Load();
    f->show();
    bool mostrada = false;
    salida_al_mostrar::trasPrimerDibujo(f.get(), [&mostrada] { mostrada = true; });
    esperaHasta([&] { return mostrada; }, QStringLiteral("start-up"));
    t[Arranque] = reloj.nsecsElapsed();
    if (f->Campo(QStringLiteral("IdDeposito"))->text().trimmed() != QLatin1String("1"))
        falla(QStringLiteral("start-up did not take depot 1"));

    Pintadas pintadas(celdas.view()->viewport());
    const auto paso = [&](Paso p, QAbstractButton* b, int pagina) {
        const int antes = pintadas.veces;
        reloj.restart();
        b->click();
        esperaHasta([&] { return pintadas.veces > antes; }, QString::fromLatin1(kNombres[p]));
        t[p] = reloj.nsecsElapsed();
        if (grilla.PaginaActual() != pagina)
            falla(QStringLiteral("%1 shows page %2, not %3")
                      .arg(QLatin1String(kNombres[p]))
                      .arg(grilla.PaginaActual())
                      .arg(pagina));
    };
    paso(Cargar, f->cmdFiltrar, 1);
    const int paginas = (lineasEsperadas + kFilasPagina - 1) / kFilasPagina;
    if (grilla.UltimaPagina() != paginas)
        falla(QStringLiteral("the grid lists %1 pages, not %2").arg(grilla.UltimaPagina()).arg(paginas));
    paso(Siguiente, boton(grilla, "cmdSiguiente"), 2);
    paso(Ultima, boton(grilla, "cmdUltimo"), paginas);
    paso(Anterior, boton(grilla, "cmdAnterior"), paginas - 1);

    // The page's first line, its whole quantity typed into the transfer
    // cell and confirmed.
    celdas.setRow(1);
    celdas.setCol(8);
    TextBox& editor = *grilla.txtEdit;
    f->TextPropiedades(editor, 8);
    editor.setText(celdas.TextMatrix(1, 7));
    prompts.reloj = &reloj;
    prompts.pintadoNs = -1;
    bool avanza = true;
    reloj.restart();
    f->CampoValida(editor, avanza);
    prompts.reloj = nullptr;
    if (prompts.pintadoNs < 0 || prompts.candidatas <= 0)
        falla(QStringLiteral("the position dialog was not shown with its positions"));
    t[Dialogo] = prompts.pintadoNs;

    f.reset();
    releaseObjDB();
    return t;
}

// The off-screen platform tells of every window raised that it cannot
// raise it: the roads raise one each time.
QtMessageHandler g_mensajes = nullptr;
void callaLoQueNoSeEleva(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
{
    if (texto.startsWith(QLatin1String("This plugin does not support")))
        return;
    if (g_mensajes)
        g_mensajes(tipo, contexto, texto);
    else
        std::fprintf(stderr, "%s\n", qPrintable(texto));
}

int caminoDeUnTamano(int argc, char** argv)
{
    g_mensajes = qInstallMessageHandler(callaLoQueNoSeEleva);
    const QString base = qEnvironmentVariable("APP_BENCH_CAMINO_BASE");
    const int lineas = qEnvironmentVariableIntValue("APP_BENCH_CAMINO_LINEAS");
    const int veces = qEnvironmentVariableIntValue("APP_BENCH_CAMINO_VUELTAS");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("AsignacionPosiciones"));
    QApplication::setApplicationDisplayName(QStringLiteral("Asignacion de Posiciones"));
    installQtSpanish();
    icons::shareTheStylesIcons();
    RegistraObjConsultas();
    DialogoVisto prompts;
    setPrompts(&prompts);
    QTemporaryDir programa;
    FixedHost maquina;
    maquina.folder = programa.path();
    setHost(&maquina);
    const auto parametros = [](const QString& archivo) {
        return QStringLiteral("@Server=(sqlite);@DbName=%1;@Usuario=ana;@Password=;@DEPOSITO=1;").arg(archivo);
    };

    // A first road, on the demo, untimed: what the first form of a process
    // pays once (fonts, styles, icons) is not counted against any size.
    const QString demo = programa.filePath(QStringLiteral("demo.db"));
    EmbeddedDatabase::create(demo, true);
    maquina.parameters = parametros(demo);
    recorre(prompts, espera::kLineasDemo);

    maquina.parameters = parametros(base);
    std::vector<std::vector<qint64>> tiempos;
    for (int v = 0; v < veces; ++v)
        tiempos.push_back(recorre(prompts, espera::kLineasDemo + lineas));
    for (const auto& t : tiempos)
        for (int p = 0; p < Pasos; ++p)
            std::printf("PASO %s %.6f\n", kClaves[p], static_cast<double>(t[static_cast<std::size_t>(p)]) / 1e6);
    std::printf("PICO %.3f\n", peakMB());
    std::fflush(stdout);
    setPrompts(nullptr);
    setHost(nullptr);
    return 0;
}

// ---- the benchmark: each size's roads run and read back -------------------

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

void Camino(benchmark::State& state)
{
    const int lineas = static_cast<int>(state.range(0));
    QTemporaryDir dir;
    // The road writes (the access log): it runs on a copy.
    const QString copia = dir.filePath(QStringLiteral("camino.db"));
    if (!QFile::copy(espera::baseDelCamino(lineas), copia)) {
        state.SkipWithError("the database could not be copied");
        return;
    }
    for (auto _ : state) {
        QElapsedTimer total;
        total.start();
        QProcess hijo;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("APP_BENCH_CAMINO_BASE"), copia);
        entorno.insert(QStringLiteral("APP_BENCH_CAMINO_LINEAS"), QString::number(lineas));
        entorno.insert(QStringLiteral("APP_BENCH_CAMINO_VUELTAS"), QString::number(vueltas(lineas)));
        entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        hijo.setProcessEnvironment(entorno);
        hijo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        hijo.start(QCoreApplication::applicationFilePath(), {});
        if (!hijo.waitForFinished(-1) || hijo.exitStatus() != QProcess::NormalExit || hijo.exitCode() != 0) {
            state.SkipWithError("the road failed");
            return;
        }
        std::map<std::string, std::vector<double>> pasos;
        double pico = 0;
        for (const QByteArray& linea : hijo.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> partes = linea.split(' ');
            if (partes.size() == 3 && partes[0] == "PASO")
                pasos[partes[1].toStdString()].push_back(partes[2].toDouble());
            else if (partes.size() == 2 && partes[0] == "PICO")
                pico = partes[1].toDouble();
        }
        double camino = 0;
        for (int p = 0; p < Pasos; ++p) {
            const double ms = mediana(pasos[kClaves[p]]);
            state.counters[std::string(kClaves[p]) + "_ms"] = ms;
            camino += ms;
        }
        state.counters["roads"] = static_cast<double>(pasos[kClaves[0]].size());
        state.counters["peak_MB"] = pico;
        state.counters["run_s"] = static_cast<double>(total.elapsed()) / 1000.0;
        state.SetIterationTime(camino / 1e3);
    }
}

void registra()
{
    for (int lineas : kTamanos)
        benchmark::RegisterBenchmark("Camino", Camino)
            ->Arg(lineas)
            ->ArgName("lines")
            ->Iterations(1)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
}

void resume(ResultReporter& resultados)
{
    const auto de = [&](int lineas) -> const ResultReporter::Result& {
        return resultados["Camino/lines:" + std::to_string(lineas)];
    };
    const ResultReporter::Result& base = de(kBase);
    std::printf("\n%-20s", "step (ms)");
    for (int lineas : kTamanos)
        std::printf(" %12s %7s", lineas == 0 ? "demo" : std::to_string(lineas).c_str(), lineas == kBase ? "" : "x1,000");
    std::printf("\n");
    for (int p = 0; p < Pasos; ++p) {
        const std::string clave = std::string(kClaves[p]) + "_ms";
        std::printf("%-20s", kNombres[p]);
        for (int lineas : kTamanos) {
            const double ms = de(lineas).counter(clave);
            const double referencia = base.counter(clave);
            if (ms <= 0)
                std::printf(" %12s %7s", "-", "");
            else if (lineas != kBase && referencia > 0)
                std::printf(" %12.1f %7.2f", ms, ms / referencia);
            else
                std::printf(" %12.1f %7s", ms, "");
        }
        std::printf("\n");
    }
    std::printf("%-20s", "resident peak (MB)");
    for (int lineas : kTamanos)
        std::printf(" %12.1f %7s", de(lineas).counter("peak_MB"), "");
    std::printf("\n%-20s", "roads timed");
    for (int lineas : kTamanos)
        std::printf(" %12.0f %7s", de(lineas).counter("roads"), "");
    std::printf("\n%-20s", "run (s)");
    for (int lineas : kTamanos)
        std::printf(" %12.1f %7s", de(lineas).counter("run_s"), "");
    const double demo = de(0).counter("startup_ms");
    const double millon = de(1000000).counter("startup_ms");
    if (demo > 0 && millon > 0)
        std::printf("\nstart-up at 1,000,000 lines over the demo's: %.2f", millon / demo);
    std::printf("\ntargets: Cargar and a page turn at 1,000,000 lines 3 times their 1,000-line figure at most; start-up "
                "1.2 times the demo's at most; the peak flat\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("APP_BENCH_CAMINO_BASE"))
        return caminoDeUnTamano(argc, argv);
    return CorreSinVentanas(argc, argv, registra, resume);
}
