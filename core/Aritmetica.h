#pragma once
// Búsquedas de figuras en las tablas de referencia: número y posición del texto de un
// hexagrama a partir de su cadena de líneas, y nombre de un trigrama.

#include <string>
#include <string_view>

namespace hexora {

short NumeroHexagrama(std::string_view lineas);
std::string PosicionHexagrama(std::string_view lineas);
std::string NombreTrigrama(std::string_view codigo);

// Índice de la imagen de una línea: el valor menos 6.
inline int indiceImagenLinea(char valor) { return valor - '6'; }

inline bool esLineaMutante(char valor) { return valor == '6' || valor == '9'; }

} // namespace hexora
