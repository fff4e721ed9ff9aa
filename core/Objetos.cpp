#include "Objetos.h"

#include "DB_Dll.h"

#include <memory>

namespace {
std::unique_ptr<KumozenUtilidades> g_utilidades;
std::unique_ptr<KumozenSistema> g_sistema;
std::unique_ptr<KumozenArchivoIni> g_archivoIni;

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

void LiberaObjetos()
{
    g_archivoIni.reset();
    g_utilidades.reset();
    releaseObjDB();
    g_sistema.reset();
}
