#pragma once
// Figuras que se forman línea a línea en Hexagrama, de abajo arriba, y las figuras de la
// lista de los 64 tal como las da TablaHexagramas.

#include <string>

namespace hexora {

// Líneas que lleva Hexagrama (la primera es la de abajo).
int numeroLineas();

// Añade la línea (valor "6" a "9") encima de las que hay; devuelve su lugar, 0 el de
// abajo, o -1 si la figura ya tiene seis.
int agregarLinea(char valor);

// Quita la línea de arriba; devuelve el lugar que queda libre o -1 si no había ninguna.
int borrarUltimaLinea();

// Fila r (1 a 64) de TablaHexagramas: su cadena de líneas (trigrama de abajo primero), su
// entrada en la lista ("1 - Ch'ien") y su segundo nombre.
std::string lineasDeFila(int fila);
std::string entradaDeLista(int fila);
std::string segundoNombreDeFila(int fila);

} // namespace hexora
