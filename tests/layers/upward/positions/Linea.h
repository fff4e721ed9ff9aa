#pragma once
#include "Celda.h"
#include "core/Sube.h"
#include <QString>
