#pragma once
// Tablas de referencia de trigramas y hexagramas, leídas al arrancar de "trigr.chi" y
// "hexagr.chi". Fila y campo 0 existen pero quedan vacíos.

#include <array>
#include <string>

namespace hexora {

using FilaTrigrama = std::array<std::string, 11>;
using FilaHexagrama = std::array<std::string, 7>;

extern std::array<FilaTrigrama, 9> TablaTrigramas;
extern std::array<FilaHexagrama, 65> TablaHexagramas;

// Fila de TablaHexagramas del número de un hexagrama (el que da NumeroHexagrama); la 0,
// vacía, si el número no es el de ninguna fila, como el de una tabla dañada.
const FilaHexagrama& filaHexagrama(long numero);

// Lee las dos tablas de la carpeta del programa. Si un archivo falta, no se puede leer o
// se acaba antes de tiempo lanza ErrorArchivo y deja las tablas como estaban.
void CargarTablas();

// Comprueba, tras CargarTablas, lo que un archivo dañado convertiría más tarde en un título
// en blanco o en el texto de otro hexagrama: cada fila de "hexagr.chi" lleva su propio número
// y una posición de texto que, dentro de "BINARIO.dat", señala el comienzo de un texto
// ("*D"). Lanza ErrorArchivo con el nombre del archivo culpable.
void ComprobarTablas();

// Vacía las dos tablas (estado de arranque; lo usan las pruebas).
void vaciarTablas();

} // namespace hexora
