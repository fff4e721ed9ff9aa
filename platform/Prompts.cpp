#include "Prompts.h"

#include "RuntimeError.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
Prompts* g_installed = nullptr;

QString applicationTitle()
{
    const QString name = QApplication::applicationDisplayName();
    return name.isEmpty() ? QApplication::applicationName() : name;
}

// A box or a form opens over the window that asked for it: as that window's
// child it stands centred over it, and a window manager treats it as that
// window's dialog (no minimise or maximise, kept above it).
//
// A form made without a parent takes the asking window as its parent while
// it is shown, and gets its own back afterwards, so that whoever owns the
// form still decides when it goes.
class OverAskingWindow {
public:
    explicit OverAskingWindow(QDialog& form) : m_form(form)
    {
        if (form.parentWidget())
            return;
        QWidget* asking = openingWindow();
        if (!asking || asking == &form)
            return;
        m_flags = form.windowFlags();
        form.setParent(asking, m_flags);
        m_reparented = true;
    }
    ~OverAskingWindow()
    {
        if (m_reparented)
            m_form.setParent(nullptr, m_flags);
    }
    OverAskingWindow(const OverAskingWindow&) = delete;
    OverAskingWindow& operator=(const OverAskingWindow&) = delete;

private:
    QDialog& m_form;
    Qt::WindowFlags m_flags;
    bool m_reparented = false;
};
}  // namespace

Prompts& prompts()
{
    static QtPrompts qtPrompts;
    return g_installed ? *g_installed : qtPrompts;
}

void setPrompts(Prompts* p)
{
    g_installed = p;
}

int QtPrompts::messageBox(const QString& text, int style, const QString& title)
{
    QMessageBox box(openingWindow());
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    box.setText(text);
    switch (style & prompt::IconMask) {
    case prompt::Critical: box.setIcon(QMessageBox::Critical); break;
    case prompt::Question: box.setIcon(QMessageBox::Question); break;
    case prompt::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case prompt::Information: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    struct Choice {
        QMessageBox::StandardButton button;
        int answer;
    };
    std::vector<Choice> choices;
    switch (style & prompt::ButtonsMask) {
    case prompt::OkCancel:
        choices = {{QMessageBox::Ok, prompt::Ok}, {QMessageBox::Cancel, prompt::Cancel}};
        break;
    case prompt::AbortRetryIgnore:
        choices = {{QMessageBox::Abort, prompt::Abort}, {QMessageBox::Retry, prompt::Retry}, {QMessageBox::Ignore, prompt::Ignore}};
        break;
    case prompt::YesNoCancel:
        choices = {{QMessageBox::Yes, prompt::Yes}, {QMessageBox::No, prompt::No}, {QMessageBox::Cancel, prompt::Cancel}};
        break;
    case prompt::YesNo:
        choices = {{QMessageBox::Yes, prompt::Yes}, {QMessageBox::No, prompt::No}};
        break;
    case prompt::RetryCancel:
        choices = {{QMessageBox::Retry, prompt::Retry}, {QMessageBox::Cancel, prompt::Cancel}};
        break;
    default:
        choices = {{QMessageBox::Ok, prompt::Ok}};
        break;
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices)
        buttons |= c.button;
    box.setStandardButtons(buttons);
    const int defaultIndex = (style & 0xF00) / prompt::DefaultButton2;
    if (defaultIndex >= 0 && defaultIndex < static_cast<int>(choices.size()))
        box.setDefaultButton(choices[static_cast<std::size_t>(defaultIndex)].button);
    makeRoomForTitle(box);
    const auto clicked = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const auto& c : choices)
        if (c.button == clicked)
            return c.answer;
    // Closed by its frame: the cancelling answer of the box.
    return choices.size() > 1 ? choices.back().answer : prompt::Ok;
}

QString QtPrompts::inputBox(const QString& promptText, const QString& title, const QString& defaultText)
{
    QInputDialog dialog(openingWindow());
    dialog.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    dialog.setLabelText(promptText);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(defaultText);
    makeRoomForTitle(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.textValue() : QString();
}

int QtPrompts::errorDialog(const RuntimeError& error, const QString& origin)
{
    QMessageBox box(openingWindow());
    box.setWindowTitle(applicationTitle());
    box.setIcon(QMessageBox::Critical);
    QString text = QStringLiteral("Error %1: %2").arg(error.number()).arg(error.description());
    if (!origin.isEmpty())
        text += QStringLiteral("\nEn: ") + origin;
    box.setText(text);
    QPushButton* retry = box.addButton(QStringLiteral("&Reintentar"), QMessageBox::AcceptRole);
    QPushButton* goOn = box.addButton(QStringLiteral("&Continuar"), QMessageBox::ActionRole);
    QPushButton* leave = box.addButton(QStringLiteral("&Salir"), QMessageBox::RejectRole);
    box.setDefaultButton(leave);
    box.setEscapeButton(leave);
    makeRoomForTitle(box);
    box.exec();
    if (box.clickedButton() == retry)
        return prompt::ErrorRetry;
    if (box.clickedButton() == goOn)
        return prompt::ErrorGoOn;
    return prompt::ErrorLeave;
}

int QtPrompts::showModal(QDialog& form)
{
    const OverAskingWindow over(form);
    return form.exec();
}
