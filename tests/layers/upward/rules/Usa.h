#pragma once
#include "tests/Algo.h"
#include "core/Sube.h"
