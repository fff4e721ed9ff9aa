#pragma once

// What the benchmarks share: the resident peak of the process, a reporter
// that keeps each run's results for the tables printed at the end, a prompt
// seam that ends the run on anything modal, and a main that runs them
// headless.

#include "platform/Prompts.h"
#include "platform/RuntimeError.h"
#include "platform/db/Connection.h"
#include "platform/db/ConnectionBackend.h"
#include "platform/db/RowSet.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

// Resets the resident peak, so that each benchmark's peak is its own.
inline void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// A size of /proc/self/status ("VmHWM:", "VmRSS:"), in MB.
inline double statusMB(const char* field)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(static_cast<qsizetype>(qstrlen(field))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// The resident peak since the last reset, in MB.
inline double peakMB()
{
    return statusMB("VmHWM:");
}

// The resident size now, in MB.
inline double residentMB()
{
    return statusMB("VmRSS:");
}

// Keeps each run's time per iteration and its counters, by the benchmark's
// name and arguments ("GridPage/rows:100000/order:0/page:0"); with
// repetitions, the median stands for the run.
class ResultReporter : public benchmark::ConsoleReporter {
public:
    struct Result {
        double time = 0;
        std::map<std::string, double> counters;
        double counter(const std::string& name) const
        {
            const auto it = counters.find(name);
            return it == counters.end() ? 0 : it->second;
        }
    };

    const Result& operator[](const std::string& name) { return m_results[name]; }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs) {
            if (r.run_type != Run::RT_Iteration && r.aggregate_name != "median")
                continue;
            Result& result = m_results[r.run_name.function_name + (r.run_name.args.empty() ? "" : "/") + r.run_name.args];
            result.time = r.GetAdjustedRealTime();
            for (const auto& [name, counter] : r.counters)
                result.counters[name] = counter.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }

private:
    std::map<std::string, Result> m_results;
};

// The shared connection, recording each statement it reads.
class Contador : public db::Connection {
public:
    QStringList leidas;

protected:
    std::unique_ptr<db::RowSet> openRows(const QString& source) override
    {
        leidas << source;
        return db::Connection::openRows(source);
    }
    // A statement not read through a cursor comes to openRows next.
    std::unique_ptr<db::RowCursor> openCursor(const QString& source) override
    {
        std::unique_ptr<db::RowCursor> cursor = db::Connection::openCursor(source);
        if (cursor)
            leidas << source;
        return cursor;
    }
};

// Nothing modal may come up while a benchmark runs: it is told and the run
// ends.
class SinVentanas : public Prompts {
    [[noreturn]] static void aborta(const QString& que)
    {
        std::fprintf(stderr, "unexpected prompt: %s\n", qPrintable(que));
        std::abort();
    }

public:
    int messageBox(const QString& text, int, const QString&) override { aborta(text); }
    QString inputBox(const QString& p, const QString&, const QString&) override { aborta(p); }
    int errorDialog(const RuntimeError& e, const QString& o) override { aborta(o + QStringLiteral(": ") + e.description()); }
    int showModal(QDialog& f) override { aborta(f.objectName()); }
};

// Runs the benchmarks of the program, off screen when there is no display,
// with SinVentanas in force: `prepara` first (the application exists then),
// `resume` last, with the results of every run.
inline int CorreSinVentanas(int argc, char** argv, const std::function<void()>& prepara = {},
                            const std::function<void(ResultReporter&)>& resume = {})
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SinVentanas sinVentanas;
    setPrompts(&sinVentanas);
    if (prepara)
        prepara();
    benchmark::Initialize(&argc, argv);
    ResultReporter resultados;
    benchmark::RunSpecifiedBenchmarks(&resultados);
    if (resume)
        resume(resultados);
    benchmark::Shutdown();
    setPrompts(nullptr);
    return 0;
}
