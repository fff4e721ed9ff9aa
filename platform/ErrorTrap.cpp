#include "ErrorTrap.h"

#include "Prompts.h"

ErrorTrap::ErrorTrap(Decider decider) : m_decider(std::move(decider)) {}

ErrorTrap ErrorTrap::showing(const QString& origin)
{
    return ErrorTrap([origin](const RuntimeError& e) { return fromAnswer(prompts().errorDialog(e, origin)); });
}

ErrorTrap ErrorTrap::showingExceptInvalidCalls(const QString& origin)
{
    return ErrorTrap([origin](const RuntimeError& e) {
        if (e.number() == errnum::InvalidProcedureCall)
            return Resume::Next;
        return fromAnswer(prompts().errorDialog(e, origin));
    });
}

ErrorTrap ErrorTrap::skipping()
{
    return ErrorTrap([](const RuntimeError&) { return Resume::Next; });
}

void ErrorTrap::runHandler(const char* origin, const Step& body)
{
    showing(QString::fromLatin1(origin)).run({body});
}

ErrorTrap::Resume ErrorTrap::fromAnswer(int answer)
{
    if (answer == prompt::ErrorRetry)
        return Resume::Retry;
    if (answer == prompt::ErrorGoOn)
        return Resume::Next;
    return Resume::Leave;
}

bool ErrorTrap::run(std::initializer_list<Step> steps) const
{
    return run(std::vector<Step>(steps));
}

bool ErrorTrap::run(const std::vector<Step>& steps) const
{
    for (std::size_t i = 0; i < steps.size();) {
        try {
            steps[i]();
            ++i;
        } catch (const Exit&) {
            return true;
        } catch (const RuntimeError& e) {
            switch (m_decider(e)) {
            case Resume::Retry: break;
            case Resume::Next: ++i; break;
            case Resume::Leave: return false;
            }
        } catch (const std::exception& e) {
            const RuntimeError wrapped(errnum::ProviderFailure, QString::fromLocal8Bit(e.what()));
            switch (m_decider(wrapped)) {
            case Resume::Retry: break;
            case Resume::Next: ++i; break;
            case Resume::Leave: return false;
            }
        }
    }
    return true;
}
