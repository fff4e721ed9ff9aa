#pragma once

// Modal windows shown as the program shows them, for the tests that look at
// the windows themselves (their parent, their flags, their layout).
#include "platform/Prompts.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>

// The Qt prompts in force for the lifetime of the object, in place of the
// test's script.
class PromptsReales : public QtPrompts {
public:
    PromptsReales() : m_anteriores(&prompts()) { setPrompts(this); }
    ~PromptsReales() override { setPrompts(m_anteriores); }
    PromptsReales(const PromptsReales&) = delete;
    PromptsReales& operator=(const PromptsReales&) = delete;

private:
    Prompts* m_anteriores;
};

// Plays the operator on the modal windows that open while it lives, from the
// event loop each one runs: the first gets `accion`, and any window still open
// after it is rejected, so that no test ever waits on one.
class AlAbrirseUnModal {
public:
    explicit AlAbrirseUnModal(std::function<void(QDialog&)> accion) : m_accion(std::move(accion))
    {
        QObject::connect(&m_reloj, &QTimer::timeout, [this] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!d || d == m_ultimo)
                return;
            m_ultimo = d;
            if (m_abiertos++ == 0)
                m_accion(*d);
            if (m_ultimo && m_ultimo->isVisible())
                m_ultimo->reject();
        });
        m_reloj.start(10);
    }
    // How many modal windows opened.
    int abiertos() const { return m_abiertos; }

private:
    std::function<void(QDialog&)> m_accion;
    QTimer m_reloj;
    QPointer<QDialog> m_ultimo;
    int m_abiertos = 0;
};
