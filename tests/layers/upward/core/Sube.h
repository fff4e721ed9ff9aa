#pragma once
#include "positions/Linea.h"
