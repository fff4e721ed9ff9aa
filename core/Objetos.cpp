#include "Objetos.h"

#include "DB_Dll.h"

#include <memory>

namespace {
std::unique_ptr<KumozenUtilidades> g_utilidades;
std::unique_ptr<KumozenSistema> g_sistema;
std::unique_ptr<KumozenArchivoIni> g_archivoIni;
std::unique_ptr<KumozenReportes> g_reportes;
std::unique_ptr<KumozenCampos> g_campos;
std::unique_ptr<KumozenProgreso> g_progreso;

template <typename T>
T& instancia(std::unique_ptr<T>& slot)
{
    if (!slot)
        slot = std::make_unique<T>();
    return *slot;
}
}  // namespace

KumozenUtilidades& ObjUtilidades()
{
    return instancia(g_utilidades);
}

KumozenSistema& ObjSistema()
{
    return instancia(g_sistema);
}

KumozenArchivoIni& ObjArchivoIni()
{
    return instancia(g_archivoIni);
}

KumozenReportes& ObjReportes()
{
    return instancia(g_reportes);
}

KumozenCampos& ObjCampos()
{
    return instancia(g_campos);
}

KumozenProgreso& ObjProgreso()
{
    return instancia(g_progreso);
}

void LiberaObjetos()
{
    g_archivoIni.reset();
    g_utilidades.reset();
    g_progreso.reset();
    g_campos.reset();
    releaseObjDB();
    g_sistema.reset();
    g_reportes.reset();
}
