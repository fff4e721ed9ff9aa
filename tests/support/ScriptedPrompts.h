#pragma once

#include "platform/Prompts.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class QDialog;

// Answers prompts from a script. Each expectation names the kind of prompt and
// optionally a part of its text (or the form's object name); an unexpected
// prompt fails the current test and gets a leaving answer, so nothing blocks.
// Install with ScopedPrompts in a test; TestMain installs an empty script.
class ScriptedPrompts : public Prompts {
public:
    enum class Kind { MessageBox, InputBox, ErrorDialog, Modal };

    struct Shown {
        Kind kind;
        QString title;
        QString text;   // message text, prompt, error description or form name
        int style = 0;  // message-box style
        int errorNumber = 0;
        QString origin; // error dialog: the procedure's name
    };

    // Expect a message box whose text contains `contains` (empty: any) and answer it;
    // `meanwhile` runs while the box is up.
    ScriptedPrompts& answerMessage(int answer, const QString& contains = {}, std::function<void()> meanwhile = {});
    ScriptedPrompts& answerInput(const QString& text, const QString& contains = {});
    // Expect the error dialog (origin contains `origin` when given) and answer 4, 5 or other;
    // `meanwhile` runs while the dialog is up (another station finishing its work, say).
    ScriptedPrompts& answerError(int answer, const QString& origin = {}, std::function<void()> meanwhile = {});
    // Expect a modal form by object name; the action plays the operator on it
    // (fills its controls, clicks its buttons) and returns the dialog result.
    ScriptedPrompts& onModal(const QString& formName, std::function<int(QDialog&)> action);

    // Everything shown so far, in order.
    const std::vector<Shown>& shown() const { return m_shown; }
    QStringList messages() const;
    // Expectations not consumed yet.
    int pending() const { return static_cast<int>(m_script.size()); }
    void clear();

    int messageBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& promptText, const QString& title, const QString& defaultText) override;
    int errorDialog(const RuntimeError& error, const QString& origin) override;
    int showModal(QDialog& form) override;

private:
    struct Expectation {
        Kind kind;
        QString match;
        int answer = 0;
        QString text;
        std::function<int(QDialog&)> action;
        std::function<void()> meanwhile;
    };
    bool take(Kind kind, const QString& haystack, Expectation& out, const QString& detail = {});

    std::deque<Expectation> m_script;
    std::vector<Shown> m_shown;
};

// Installs a script for the lifetime of a test and checks at the end that
// every expected prompt was shown.
class ScopedPrompts : public ScriptedPrompts {
public:
    ScopedPrompts();
    ~ScopedPrompts() override;

private:
    Prompts* m_previous;
};
