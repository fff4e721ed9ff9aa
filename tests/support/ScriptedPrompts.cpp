#include "ScriptedPrompts.h"

#include "platform/RuntimeError.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace {
const char* kindName(ScriptedPrompts::Kind k)
{
    switch (k) {
    case ScriptedPrompts::Kind::MessageBox: return "message box";
    case ScriptedPrompts::Kind::InputBox: return "input box";
    case ScriptedPrompts::Kind::ErrorDialog: return "error dialog";
    case ScriptedPrompts::Kind::Modal: return "modal form";
    }
    return "prompt";
}
}  // namespace

ScriptedPrompts& ScriptedPrompts::answerMessage(int answer, const QString& contains, std::function<void()> meanwhile)
{
    m_script.push_back({Kind::MessageBox, contains, answer, {}, {}, std::move(meanwhile)});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::answerInput(const QString& text, const QString& contains)
{
    m_script.push_back({Kind::InputBox, contains, 0, text, {}, {}});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::answerError(int answer, const QString& origin, std::function<void()> meanwhile)
{
    m_script.push_back({Kind::ErrorDialog, origin, answer, {}, {}, std::move(meanwhile)});
    return *this;
}

ScriptedPrompts& ScriptedPrompts::onModal(const QString& formName, std::function<int(QDialog&)> action)
{
    m_script.push_back({Kind::Modal, formName, 0, {}, std::move(action), {}});
    return *this;
}

QStringList ScriptedPrompts::messages() const
{
    QStringList out;
    for (const auto& s : m_shown)
        if (s.kind == Kind::MessageBox)
            out << s.text;
    return out;
}

void ScriptedPrompts::clear()
{
    m_script.clear();
    m_shown.clear();
}

bool ScriptedPrompts::take(Kind kind, const QString& haystack, Expectation& out, const QString& detail)
{
    if (m_script.empty() || m_script.front().kind != kind ||
        (!m_script.front().match.isEmpty() && !haystack.contains(m_script.front().match, Qt::CaseInsensitive))) {
        const QString next = m_script.empty()
                                 ? QStringLiteral("nothing")
                                 : QStringLiteral("%1 \"%2\"").arg(QString::fromLatin1(kindName(m_script.front().kind)),
                                                                   m_script.front().match);
        ADD_FAILURE() << "unexpected " << kindName(kind) << ": \"" << haystack.toStdString() << "\" (script expected "
                      << next.toStdString() << ")" << detail.toStdString();
        return false;
    }
    out = std::move(m_script.front());
    m_script.pop_front();
    return true;
}

int ScriptedPrompts::messageBox(const QString& text, int style, const QString& title)
{
    m_shown.push_back({Kind::MessageBox, title, text, style, 0, {}});
    Expectation e;
    if (!take(Kind::MessageBox, text, e)) {
        // Leave by the box's cancelling answer.
        switch (style & prompt::ButtonsMask) {
        case prompt::YesNo: return prompt::No;
        case prompt::AbortRetryIgnore: return prompt::Abort;
        case prompt::OkOnly: return prompt::Ok;
        default: return prompt::Cancel;
        }
    }
    if (e.meanwhile)
        e.meanwhile();
    return e.answer;
}

QString ScriptedPrompts::inputBox(const QString& promptText, const QString& title, const QString&)
{
    m_shown.push_back({Kind::InputBox, title, promptText, 0, 0, {}});
    Expectation e;
    if (!take(Kind::InputBox, promptText, e))
        return QString();
    return e.text;
}

int ScriptedPrompts::errorDialog(const RuntimeError& error, const QString& origin)
{
    m_shown.push_back({Kind::ErrorDialog, {}, error.description(), 0, error.number(), origin});
    Expectation e;
    if (!take(Kind::ErrorDialog, origin, e,
              QStringLiteral(" for error %1: %2").arg(error.number()).arg(error.description())))
        return prompt::ErrorLeave;
    if (e.meanwhile)
        e.meanwhile();
    return e.answer;
}

int ScriptedPrompts::showModal(QDialog& form)
{
    m_shown.push_back({Kind::Modal, form.windowTitle(), form.objectName(), 0, 0, {}});
    Expectation e;
    if (!take(Kind::Modal, form.objectName(), e))
        return QDialog::Rejected;
    return e.action ? e.action(form) : QDialog::Rejected;
}

ScopedPrompts::ScopedPrompts() : m_previous(&prompts())
{
    setPrompts(this);
}

ScopedPrompts::~ScopedPrompts()
{
    EXPECT_EQ(pending(), 0) << "expected prompts that were never shown";
    setPrompts(m_previous);
}
