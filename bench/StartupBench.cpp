// Start-up of the program, from the process's start to its first window
// shown and painted, on the embedded demo database, and the process's
// resident peak, against its floor: a bare Qt program that shows a main
// window of the same size with a table of the same size and rows. Start-up
// is a property of a process: each run is a fresh child (posix_spawn), off
// screen, timed to the moment the child's benchmark hook reports its window
// painted (APP_BENCH_SALIR_AL_MOSTRAR, see app/SalidaAlMostrar.h), and its
// peak is the child's own (wait4, ru_maxrss). Program and floor runs
// alternate, so that both meet the same load; each figure is the median of
// the iteration's runs. Target: 1.5 times the floor at most, in time and in
// peak.
#include "db/EmbeddedDatabase.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Medida {
    double ms = 0;
    double picoMB = 0;
};

QTemporaryDir* directorio = nullptr;
std::string parametros;
// The medians of the last run, for the table printed at the end.
Medida finalPrograma, finalPiso;

long long ahora()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

// Runs `programa` once with the hook on and returns the time to its window
// painted and its resident peak; a run that reports no window fails.
bool corre(const char* programa, const std::vector<std::string>& argumentos, Medida& m)
{
    std::vector<std::string> entorno;
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0 && std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0)
            entorno.emplace_back(*e);
    entorno.emplace_back("APP_BENCH_SALIR_AL_MOSTRAR=1");
    entorno.emplace_back("QT_QPA_PLATFORM=offscreen");
    // The window placement the program keeps goes to the run's own folder.
    entorno.emplace_back("XDG_CONFIG_HOME=" + directorio->filePath(QStringLiteral("config")).toStdString());
    std::vector<char*> env;
    for (std::string& e : entorno)
        env.push_back(e.data());
    env.push_back(nullptr);
    std::vector<std::string> args{programa};
    args.insert(args.end(), argumentos.begin(), argumentos.end());
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int tubo[2];
    if (pipe(tubo) != 0)
        return false;
    posix_spawn_file_actions_t acciones;
    posix_spawn_file_actions_init(&acciones);
    posix_spawn_file_actions_addopen(&acciones, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&acciones, tubo[1], 2);
    posix_spawn_file_actions_addclose(&acciones, tubo[0]);
    posix_spawn_file_actions_addclose(&acciones, tubo[1]);
    pid_t pid = 0;
    const long long inicio = ahora();
    const int error = posix_spawn(&pid, programa, &acciones, nullptr, argv.data(), env.data());
    posix_spawn_file_actions_destroy(&acciones);
    close(tubo[1]);
    if (error != 0) {
        close(tubo[0]);
        return false;
    }
    std::string salida;
    char buffer[4096];
    for (ssize_t n; (n = read(tubo[0], buffer, sizeof buffer)) != 0;) {
        if (n < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        salida.append(buffer, static_cast<std::size_t>(n));
    }
    close(tubo[0]);
    int estado = 0;
    rusage uso{};
    while (wait4(pid, &estado, 0, &uso) < 0 && errno == EINTR) {
    }
    const std::size_t marca = salida.find("MOSTRADA ");
    if (marca == std::string::npos || !WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        std::fprintf(stderr, "%s: no window reported\n%s\n", programa, salida.c_str());
        return false;
    }
    m.ms = static_cast<double>(std::atoll(salida.c_str() + marca + 9) - inicio) / 1e6;
    m.picoMB = static_cast<double>(uso.ru_maxrss) / 1024.0;
    return true;
}

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

void Arranque(benchmark::State& state)
{
    std::vector<double> tPrograma, tPiso, pPrograma, pPiso;
    bool primeroPrograma = true;
    for (auto _ : state) {
        Medida programa, piso;
        bool bien = true;
        // The order alternates, so neither always runs just after the other.
        for (int vez = 0; vez < 2; ++vez)
            bien = bien && ((vez == 0) == primeroPrograma ? corre(STARTUP_PROGRAM, {parametros}, programa)
                                                          : corre(STARTUP_FLOOR, {}, piso));
        primeroPrograma = !primeroPrograma;
        if (!bien) {
            state.SkipWithError("a run did not show its window");
            return;
        }
        state.SetIterationTime(programa.ms / 1e3);
        tPrograma.push_back(programa.ms);
        tPiso.push_back(piso.ms);
        pPrograma.push_back(programa.picoMB);
        pPiso.push_back(piso.picoMB);
    }
    finalPrograma = {mediana(tPrograma), mediana(pPrograma)};
    finalPiso = {mediana(tPiso), mediana(pPiso)};
    state.counters["program_ms"] = mediana(tPrograma);
    state.counters["floor_ms"] = mediana(tPiso);
    state.counters["time_ratio"] = mediana(tPrograma) / mediana(tPiso);
    state.counters["program_peak_MB"] = mediana(pPrograma);
    state.counters["floor_peak_MB"] = mediana(pPiso);
    state.counters["peak_ratio"] = mediana(pPrograma) / mediana(pPiso);
}

BENCHMARK(Arranque)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(41);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    directorio = &dir;
    const QString base = dir.filePath(QStringLiteral("demo.db"));
    EmbeddedDatabase::create(base, true);
    parametros = "@Server=(sqlite);@DbName=" + base.toStdString() + ";@Usuario=ana;@Password=;@DEPOSITO=1;";
    // One untimed run of each, so that both find their files in the page
    // cache and the program its saved window placement.
    Medida m;
    if (!corre(STARTUP_PROGRAM, {parametros}, m) || !corre(STARTUP_FLOOR, {}, m))
        return 1;

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (finalPiso.ms > 0 && finalPiso.picoMB > 0) {
        std::printf("\n%-8s %10s %10s %6s %14s %12s %6s\n", "", "program ms", "floor ms", "ratio", "program peak", "floor peak",
                    "ratio");
        std::printf("%-8s %10.1f %10.1f %6.2f %11.1f MB %9.1f MB %6.2f\n", "start-up", finalPrograma.ms, finalPiso.ms,
                    finalPrograma.ms / finalPiso.ms, finalPrograma.picoMB, finalPiso.picoMB,
                    finalPrograma.picoMB / finalPiso.picoMB);
        std::printf("targets: 1.5 or less in time and in peak\n");
    }
    return 0;
}
