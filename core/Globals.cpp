#include "Globals.h"

QString ClaveEstacion;
int FlatToolbars = 1;
QString ParametroAdicional;
QString Menu;
QString UsuarioLogeado;
QString Caja = QStringLiteral("1");
QString CadenaDSN;
QString RutaAplicacion;
std::int32_t IdControlAcceso = 0;
QString RutaMascaraConsultas;

QString TablaConfiguracion;
bool MostrarStockenConsultas = false;
QString TituloClientes;
QString TituloProveedores;
QString RutaDocTareas;
bool ExigeClaveConsultaLikeArticulos = false;
bool UsaConsultaLike = false;
QString CantidadDecimales;
bool UsaMultilesMonedas = false;
bool UsaFacturaProforma = false;
bool UsaCCosto = false;
QString UnidadNegocio;
QString UnidadMedidaM3;
QString UnidadMedidaBL;
QString UnidadMedidaKG;
std::int16_t Periodo = 0;
bool ValidaCodigoBarra = false;
std::int32_t ColorFondo = 16777215;
std::int32_t ColorLetra = 0;
bool ModuloOrdenDeTrabajo = true;
