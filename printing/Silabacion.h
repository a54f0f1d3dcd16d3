#pragma once
// Silabación española para partir palabras a final de línea: los patrones de guiones del
// sistema (paquete hyphen-es) leídos con libhyphen, los mismos que usan los procesadores
// de texto libres.

#include <filesystem>
#include <string_view>
#include <vector>

namespace hexora {

// Dónde deja partir una palabra (Windows-1252, sin espacios) la silabación española: el
// elemento k dice si se puede partir entre los caracteres k y k + 1. Solo se parte entre
// dos letras; lo que no sea letra al principio o al final (signos, comillas) no cuenta para
// la sílaba. Sin patrones de guiones, ningún punto.
std::vector<bool> cortesSilabacion(std::string_view palabra);

// ¿Se han podido leer los patrones?
bool haySilabacion();

// Punto de sustitución para las pruebas: otro archivo de patrones (vacío: el del sistema).
void fijarPatronesSilabacion(const std::filesystem::path& ruta);

// ¿Es una letra de Windows-1252 (con las acentuadas, la eñe y la diéresis)?
bool esLetra(char c);

} // namespace hexora
