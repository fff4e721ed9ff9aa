#pragma once

#include <QPointer>
#include <QString>

class QLabel;
class QProgressBar;
class QWidget;

// The framework's progress window: a small window without buttons that stays
// up while a long task runs on the user-interface thread. It is never modal
// and never takes the focus from the form that opened it, so opening,
// updating and closing it return at once. Opening and updating let the
// window paint: pending events run then, except the operator's input. It
// opens centred over the window that opened it, whole on the screen.
class KumozenProgreso {
public:
    KumozenProgreso();
    ~KumozenProgreso();
    KumozenProgreso(const KumozenProgreso&) = delete;
    KumozenProgreso& operator=(const KumozenProgreso&) = delete;

    // Shows the window with `titulo` as its title and caption and the bar at
    // `valor` percent; an open window is reused.
    void AbreProgreso(const QString& titulo, int valor = 0);
    // Sets the bar, the text and the extra text; a non-empty `titulo`
    // replaces the caption. Does nothing while the window is closed.
    void ActualizaProgreso(int valor, const QString& texto, const QString& textoExtra = {},
                           const QString& titulo = {});
    // Hides and releases the window; closing a closed window does nothing.
    void CierraProgreso();

    // What the window shows, for the code that drives it and for tests.
    bool isOpen() const;
    QString caption() const { return m_caption; }
    QString text() const { return m_text; }
    QString extraText() const { return m_extraText; }
    int value() const { return m_value; }
    QWidget* window() const;

private:
    void show();

    QString m_caption;
    QString m_text;
    QString m_extraText;
    int m_value = 0;
    bool m_open = false;
    QPointer<QWidget> m_window;
    // The window it is centred over, the one that opened the task.
    QPointer<QWidget> m_over;
    QLabel* m_captionLabel = nullptr;
    QLabel* m_textLabel = nullptr;
    QLabel* m_extraLabel = nullptr;
    QProgressBar* m_bar = nullptr;
};
