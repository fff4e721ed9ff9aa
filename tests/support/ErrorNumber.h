#pragma once

#include "platform/RuntimeError.h"

#include <functional>

// The number of the error a call raises; 0 when it raises none.
inline int errorNumberOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const RuntimeError& e) {
        return e.number();
    }
    return 0;
}
