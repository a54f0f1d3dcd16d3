#pragma once
// Los bucles largos de la lógica dejan correr los eventos pendientes de la interfaz con
// este gancho. La plataforma lo fija; en las pruebas queda vacío.

#include <functional>

namespace hexora {

void fijarProcesadorEventos(std::function<void()> procesador);
void procesarEventosPendientes();

} // namespace hexora
