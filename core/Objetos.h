#pragma once

#include "platform/kumozen/KumozenArchivoIni.h"
#include "platform/kumozen/KumozenCampos.h"
#include "platform/kumozen/KumozenProgreso.h"
#include "platform/kumozen/KumozenReportes.h"
#include "platform/kumozen/KumozenSistema.h"
#include "platform/kumozen/KumozenUtilidades.h"

// The core's shared instances of the framework library, each created on its
// first use and released by FinalizaSistema. The data-access object is ObjDB()
// (core/DB_Dll.h).
KumozenUtilidades& ObjUtilidades();
KumozenSistema& ObjSistema();
KumozenArchivoIni& ObjArchivoIni();
KumozenReportes& ObjReportes();
KumozenCampos& ObjCampos();
KumozenProgreso& ObjProgreso();

// Releases the library instances in the shutdown order; the next use of an
// accessor creates a fresh instance.
void LiberaObjetos();
