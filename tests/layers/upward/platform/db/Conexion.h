#pragma once
#include "../Texto.h"
#include "generado.h"
