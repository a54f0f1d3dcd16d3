#pragma once
// Lo que el usuario ha de saber de una grabación o un borrado que sí se han hecho: que el
// archivo ha cambiado de carpeta o que el sistema no ha confirmado que el cambio esté en el
// disco. Lo comparten la pantalla de grabar y la de recuperar.

#include "archive/ArchivoConsultas.h"

#include <QString>

namespace hexora {

// hecho: "La consulta se ha guardado", "La consulta se ha eliminado"...
void avisarDelCambio(const CambioArchivo& cambio, const QString& hecho);

} // namespace hexora
