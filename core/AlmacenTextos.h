#pragma once
// Textos de interpretación: el bloque de un hexagrama se carga de "BINARIO.dat" en
// BufferTexto y de ahí se extrae cada sección ("D", "C", "I", "L1" a "L6").

#include "TextoFijo.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace hexora {

constexpr std::size_t kLongitudRegistro = 80;
constexpr std::size_t kEntradasBuffer = 100;

// Entradas 0 a 100; la 0 no se usa. Una carga termina con una entrada "**".
extern std::array<TextoFijo<kLongitudRegistro>, kEntradasBuffer + 1> BufferTexto;

// Carga el bloque del hexagrama de la figura (seis caracteres de "6" a "9"). Conserva las
// secciones generales y las de las líneas mutantes, y llama a informar con el número de
// cada línea que conserva, en orden. Lanza ErrorArchivo si falta el archivo, si se acaba
// antes del terminador, si el bloque no cabe en el buffer o si una cabecera nombra una
// línea fuera de 1 a 6; en esos casos el buffer queda cerrado con "**" en la última
// entrada escrita, sin pasar nunca de la 100.
void CargarBuffer(std::string_view lineas, const std::function<void(int)>& informar = {});

struct Seccion {
    std::string texto;          // secciones generales, o el texto de la línea
    std::string interpretacion; // solo las líneas: desde "INTERPRETACIÓN"
};

// Texto de una sección del buffer; vacío si el buffer no la tiene. No cambia nada.
Seccion ExtraerSeccion(std::string_view codigo);

} // namespace hexora
