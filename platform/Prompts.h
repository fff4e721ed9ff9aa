#pragma once

#include <QString>

class QDialog;
class RuntimeError;

// Message-box styles and answers, with the numeric values the procedures
// compare against (the error dialog's 4 = retry and 5 = go on among them).
namespace prompt {
// Buttons.
constexpr int OkOnly = 0;
constexpr int OkCancel = 1;
constexpr int AbortRetryIgnore = 2;
constexpr int YesNoCancel = 3;
constexpr int YesNo = 4;
constexpr int RetryCancel = 5;
// Icons.
constexpr int Critical = 16;
constexpr int Question = 32;
constexpr int Exclamation = 48;
constexpr int Information = 64;
// Default button.
constexpr int DefaultButton1 = 0;
constexpr int DefaultButton2 = 256;
constexpr int DefaultButton3 = 512;
// Answers.
constexpr int Ok = 1;
constexpr int Cancel = 2;
constexpr int Abort = 3;
constexpr int Retry = 4;
constexpr int Ignore = 5;
constexpr int Yes = 6;
constexpr int No = 7;
// Answers of the error dialog.
constexpr int ErrorRetry = 4;
constexpr int ErrorGoOn = 5;
constexpr int ErrorLeave = 0;

constexpr int ButtonsMask = 0x0F;
constexpr int IconMask = 0xF0;
}  // namespace prompt

// The one seam for everything modal. Production shows Qt dialogs; tests
// install a scripted implementation that answers from a list and fails the
// test on any prompt it was not told to expect, so no test waits on a window.
// A program that runs without windows installs its own, which answers (and
// may record) every message, error and form itself: a request accepted
// unseen still tells the operator what it could not do.
class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box; style = buttons | icon | default button. Returns an Answer.
    virtual int messageBox(const QString& text, int style, const QString& title) = 0;

    // An input box. Returns the typed text; an empty text when cancelled.
    virtual QString inputBox(const QString& promptText, const QString& title, const QString& defaultText) = 0;

    // The framework's error dialog: shows the error and where it happened and
    // returns 4 (retry the failing step), 5 (go on with the next step) or any
    // other number (leave the procedure).
    virtual int errorDialog(const RuntimeError& error, const QString& origin) = 0;

    // Shows a form modally and returns when it is hidden or closed. The form's
    // own members carry the answer; the return value is the dialog's result.
    virtual int showModal(QDialog& form) = 0;
};

// The prompts in force; the Qt implementation unless another was installed.
Prompts& prompts();
// Installs an implementation (not owned); nullptr restores the Qt one.
void setPrompts(Prompts* p);

// Qt implementation: QMessageBox, QInputDialog and QDialog::exec, each over
// the window that asked (WindowPlacement's openingWindow); a box and an input
// box are at least as wide as their title needs (makeRoomForTitle).
class QtPrompts : public Prompts {
public:
    int messageBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& promptText, const QString& title, const QString& defaultText) override;
    int errorDialog(const RuntimeError& error, const QString& origin) override;
    int showModal(QDialog& form) override;
};
