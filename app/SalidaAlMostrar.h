#pragma once

// Benchmark hook, for the start-up benchmark only: with the environment
// variable APP_BENCH_SALIR_AL_MOSTRAR set, the program writes to stderr the
// moment (CLOCK_MONOTONIC, in nanoseconds) its window was first shown and
// painted, as "MOSTRADA <ns>", and closes that window, which ends it. Without
// the variable nothing changes. The benchmark's bare Qt floor program uses the
// same hook, so both are timed to the same point.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>

namespace salida_al_mostrar {

class Vigia : public QObject {
public:
    explicit Vigia(QWidget* ventana) : QObject(ventana), m_ventana(ventana) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        // The window is painted while its first exposure is handled; the
        // call queued here runs after that.
        if (evento->type() == QEvent::Expose && !m_visto && static_cast<QWindow*>(objeto)->isExposed()) {
            m_visto = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    timespec t{};
                    clock_gettime(CLOCK_MONOTONIC, &t);
                    std::fprintf(stderr, "MOSTRADA %lld\n",
                                 static_cast<long long>(t.tv_sec) * 1000000000LL + static_cast<long long>(t.tv_nsec));
                    std::fflush(stderr);
                    m_ventana->close();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    QWidget* m_ventana;
    bool m_visto = false;
};

// Call right after the window's show().
inline void instala(QWidget* ventana)
{
    if (!qEnvironmentVariableIsSet("APP_BENCH_SALIR_AL_MOSTRAR") || !ventana->windowHandle())
        return;
    ventana->windowHandle()->installEventFilter(new Vigia(ventana));
}

}  // namespace salida_al_mostrar
