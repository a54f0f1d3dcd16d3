#pragma once
// Utilidades de texto de la lógica: recorte de espacios y valor numérico inicial.
// El texto es siempre Windows-1252, un byte por carácter.

#include <string>
#include <string_view>

namespace hexora {

std::string_view recortarDerecha(std::string_view s);
std::string_view recortarIzquierda(std::string_view s);
std::string_view recortar(std::string_view s);

// Valor del número con que empieza un texto: salta espacios, admite un signo y lee
// dígitos hasta el primero que no lo sea; sin dígitos vale 0. Satura en vez de desbordar.
long long valorEntero(std::string_view s);

// Como valorEntero, pero admite además una parte decimal tras un punto.
double valorDecimal(std::string_view s);

} // namespace hexora
