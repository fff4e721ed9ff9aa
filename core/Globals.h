#pragma once

#include <QString>
#include <cstdint>

// State of the core that start-up and the configuration load write and the
// whole program reads, held for the whole run.

// Station and parameters read at start-up.
extern QString ClaveEstacion;        // "COMPUTER|USER", upper case
extern int FlatToolbars;             // station setting for the toolbars' look
extern QString ParametroAdicional;
extern QString Menu;
extern QString UsuarioLogeado;       // the connected user once connected
extern QString Caja;                 // "1" unless the parameters name one
extern QString CadenaDSN;
extern QString RutaAplicacion;       // the program's folder, with a trailing separator
extern std::int32_t IdControlAcceso; // this run's row of CONTROL_ACCESO; 0 when there is none
extern QString RutaMascaraConsultas; // the lookup-definition file "consultas.vtl" (RutaArchivoPrograma)

// Configuration loaded from TA_CONFIGURACION at start-up.
extern QString TablaConfiguracion;
extern bool MostrarStockenConsultas;
extern QString TituloClientes;
extern QString TituloProveedores;
extern QString RutaDocTareas;        // the tasks document "VRDOCTareas.vtl" (RutaArchivoPrograma)
extern bool ExigeClaveConsultaLikeArticulos;
extern bool UsaConsultaLike;
extern QString CantidadDecimales;
extern bool UsaMultilesMonedas;
extern bool UsaFacturaProforma;
extern bool UsaCCosto;
extern QString UnidadNegocio;        // 4 characters, right-justified
extern QString UnidadMedidaM3;
extern QString UnidadMedidaBL;
extern QString UnidadMedidaKG;
extern std::int16_t Periodo;
extern bool ValidaCodigoBarra;
extern std::int32_t ColorFondo;      // 0x00BBGGRR
extern std::int32_t ColorLetra;      // 0x00BBGGRR
extern bool ModuloOrdenDeTrabajo;
