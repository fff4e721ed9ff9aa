#include "TrampaLlamadaInvalida.h"

#include "platform/Prompts.h"

ErrorTrap TrampaLlamadaInvalida(const QString& origen)
{
    return ErrorTrap([origen](const RuntimeError& e) {
        if (e.number() == errnum::InvalidProcedureCall)
            return ErrorTrap::Resume::Next;
        return ErrorTrap::fromAnswer(prompts().errorDialog(e, origen));
    });
}
