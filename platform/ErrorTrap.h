#pragma once

#include "RuntimeError.h"

#include <QString>
#include <functional>
#include <initializer_list>
#include <vector>

// Runs a procedure's steps under the error convention of the system: when a
// step fails, the decider says whether to run that step again (retry), go on
// with the next step, or leave the procedure with what it holds so far.
class ErrorTrap {
public:
    enum class Resume { Retry, Next, Leave };
    using Decider = std::function<Resume(const RuntimeError&)>;
    using Step = std::function<void()>;

    explicit ErrorTrap(Decider decider);

    // The usual decider: the framework's error dialog with the procedure's
    // name; 4 retries, 5 goes on, anything else leaves.
    static ErrorTrap showing(const QString& origin);
    // As showing(), but an invalid procedure call (error 5: a focus move on
    // a control that cannot take it, a locked field or a form not on screen)
    // goes on with the next step without a word.
    static ErrorTrap showingExceptInvalidCalls(const QString& origin);
    // Skips every failing step silently.
    static ErrorTrap skipping();
    // Runs an event handler's body under showing(origin): an error reaches
    // the error dialog, never the event loop.
    static void runHandler(const char* origin, const Step& body);
    // Maps an error-dialog style answer (4, 5, other) to a resume decision.
    static Resume fromAnswer(int answer);

    // Runs the steps in order. Returns true when every step ran to its end
    // (possibly after retries or skips), false when the decider said leave.
    // A step may end the procedure early and successfully by calling leave().
    bool run(std::initializer_list<Step> steps) const;
    bool run(const std::vector<Step>& steps) const;

    // Decides for one error, as run() does; for procedures that need a trap
    // around a loop body or a single call.
    Resume decide(const RuntimeError& error) const { return m_decider(error); }

    // Thrown inside a step to end the procedure at once without an error
    // (the procedure's own "exit" in the middle of its steps).
    struct Exit {};
    [[noreturn]] static void leave() { throw Exit{}; }

private:
    Decider m_decider;
};
