#pragma once
// Registra cada pantalla del programa con la función que la crea.

namespace hexora {
void registrarPantallas();
}
