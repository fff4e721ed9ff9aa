#pragma once

// Registers the lookup facade ObjConsultas() to receive, at start-up, the
// connection string and the lookup-definition file (core/EnlaceConsultas.h).
// The program calls it once before IniciaSistema.
void RegistraObjConsultas();
