#pragma once
// Sin sesión de escritorio (root en una consola, un servicio) no hay XDG_RUNTIME_DIR: Qt
// avisaría cada vez que la pide y usaría una de reserva suya para el bloqueo de instancia.
// Antes de crear la aplicación se fija una privada del usuario, <temporal>/runtime-<uid>
// con modo 0700, la misma en cada arranque para que la segunda copia vea el bloqueo.

#include <filesystem>
#include <string>

namespace hexora {

// Fija XDG_RUNTIME_DIR si falta. Devuelve la causa si no pudo (vacía si la sesión ya la
// daba o quedó fijada); entonces no toca el entorno.
std::string fijarCarpetaEjecucion(const std::filesystem::path& temporal);
// Igual, en la carpeta temporal del sistema (TMPDIR o /tmp).
std::string fijarCarpetaEjecucion();

} // namespace hexora
