#pragma once

#include "platform/ErrorTrap.h"

#include <QString>

// The error convention of the procedures that pass over an invalid call
// without a word (a focus move on a control that cannot take it: a locked
// field, or the form not on screen) and show any other error with `origen`.
ErrorTrap TrampaLlamadaInvalida(const QString& origen);
