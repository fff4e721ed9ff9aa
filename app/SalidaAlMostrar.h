#pragma once

// What start-up does once its window has first been painted, and the
// benchmark hook that tells that moment: with the environment variable
// APP_BENCH_SALIR_AL_MOSTRAR set, the program writes to stderr the moment
// (CLOCK_MONOTONIC, in nanoseconds) its window was first shown and painted,
// as "MOSTRADA <ns>", and closes that window, which ends it. Without the
// variable nothing changes. The benchmark's bare Qt floor program uses the
// same hook, so both are timed to the same point.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>

namespace salida_al_mostrar {

class Vigia : public QObject {
public:
    Vigia(QWidget* ventana, std::function<void()> hecho) : QObject(ventana), m_hecho(std::move(hecho)) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        // The window is painted while its first exposure is handled; the
        // call queued here runs after that.
        if (evento->type() == QEvent::Expose && static_cast<QWindow*>(objeto)->isExposed()) {
            objeto->removeEventFilter(this);
            QMetaObject::invokeMethod(this, [this] { m_hecho(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> m_hecho;
};

// Runs `hecho` once the window's first exposure, and so its first paint, has
// been handled; at once for a window that has no native window. Call right
// after the window's show().
inline void trasPrimerDibujo(QWidget* ventana, std::function<void()> hecho)
{
    if (QWindow* w = ventana->windowHandle())
        w->installEventFilter(new Vigia(ventana, std::move(hecho)));
    else
        hecho();
}

// Call right after the window's show().
inline void instala(QWidget* ventana)
{
    if (!qEnvironmentVariableIsSet("APP_BENCH_SALIR_AL_MOSTRAR") || !ventana->windowHandle())
        return;
    trasPrimerDibujo(ventana, [ventana] {
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        std::fprintf(stderr, "MOSTRADA %lld\n",
                     static_cast<long long>(t.tv_sec) * 1000000000LL + static_cast<long long>(t.tv_nsec));
        std::fflush(stderr);
        ventana->close();
    });
}

}  // namespace salida_al_mostrar
