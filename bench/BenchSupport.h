#pragma once

// What the benchmarks share: the resident peak of the process, a prompt seam
// that ends the run on anything modal, and a main that runs them headless.

#include "platform/Prompts.h"
#include "platform/RuntimeError.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QString>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

// Resets the resident peak, so that each benchmark's peak is its own.
inline void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

// The resident peak since the last reset, in MB.
inline double peakMB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

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
// with SinVentanas in force.
inline int CorreSinVentanas(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    SinVentanas sinVentanas;
    setPrompts(&sinVentanas);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    setPrompts(nullptr);
    return 0;
}
