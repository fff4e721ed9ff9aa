#include "platform/kumozen/KumozenProgreso.h"

#include "platform/WindowPlacement.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>
#include <algorithm>

KumozenProgreso::KumozenProgreso() = default;

KumozenProgreso::~KumozenProgreso()
{
    CierraProgreso();
}

bool KumozenProgreso::isOpen() const
{
    return m_open;
}

QWidget* KumozenProgreso::window() const
{
    return m_window;
}

void KumozenProgreso::AbreProgreso(const QString& titulo, int valor)
{
    m_caption = titulo;
    m_text.clear();
    m_extraText.clear();
    m_value = std::clamp(valor, 0, 100);
    m_open = true;
    show();
}

void KumozenProgreso::ActualizaProgreso(int valor, const QString& texto, const QString& textoExtra,
                                        const QString& titulo)
{
    if (!m_open)
        return;
    m_value = std::clamp(valor, 0, 100);
    m_text = texto;
    m_extraText = textoExtra;
    if (!titulo.isEmpty())
        m_caption = titulo;
    show();
}

void KumozenProgreso::CierraProgreso()
{
    m_open = false;
    if (m_window) {
        m_window->hide();
        delete m_window;
    }
}

void KumozenProgreso::show()
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    bool first = false;
    if (!m_window) {
        // A tool window without a close box, shown without activation so the
        // form that runs the task keeps its focus.
        auto* w = new QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                              | Qt::WindowDoesNotAcceptFocus);
        w->setObjectName(QStringLiteral("KumozenProgreso"));
        w->setAttribute(Qt::WA_ShowWithoutActivating);
        w->setMinimumWidth(380);
        auto* layout = new QVBoxLayout(w);
        m_captionLabel = new QLabel(w);
        QFont bold = m_captionLabel->font();
        bold.setBold(true);
        m_captionLabel->setFont(bold);
        m_textLabel = new QLabel(w);
        m_extraLabel = new QLabel(w);
        m_bar = new QProgressBar(w);
        m_bar->setRange(0, 100);
        layout->addWidget(m_captionLabel);
        layout->addWidget(m_textLabel);
        layout->addWidget(m_extraLabel);
        layout->addWidget(m_bar);
        m_window = w;
        m_over = openingWindow();
        first = true;
        // Kept above the window it belongs to by the window manager too.
        if (m_over && m_over->windowHandle()) {
            w->winId();
            w->windowHandle()->setTransientParent(m_over->windowHandle());
        }
    }
    m_window->setWindowTitle(m_caption);
    m_captionLabel->setText(m_caption);
    m_textLabel->setText(m_text);
    m_extraLabel->setText(m_extraText);
    m_bar->setValue(m_value);
    if (first) {
        m_window->adjustSize();
        centreOver(m_window, m_over);
    }
    m_window->show();
    // Paint now: the task that follows keeps the event loop busy. A window
    // just shown is mapped by the display a moment later; until then it
    // could not paint, and would stay blank for the whole task.
    QElapsedTimer waited;
    waited.start();
    do {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    } while (first && !(m_window->windowHandle() && m_window->windowHandle()->isExposed()) && waited.elapsed() < 300);
    m_window->repaint();
}
