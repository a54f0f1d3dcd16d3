#pragma once
// Rótulos de una figura que comparten las pantallas: número y nombre del hexagrama, su
// segundo nombre, los nombres de los trigramas superior e inferior, y cómo se dice cada
// línea a quien no ve su imagen.

#include <QString>

#include <array>
#include <string>

class QLabel;

namespace hexora {

void mostrarNombresHexagrama(const std::string& lineas, const std::array<QLabel*, 2>& TXTHEXAGRAMA,
                             const std::array<QLabel*, 2>& TXTTRIGRAMA);

// Valor de una línea ("6" a "9") en palabras, igual en todas las pantallas: "yin viejo (6)",
// "yang joven (7)", "yin joven (8)", "yang viejo (9)"; vacío para cualquier otro carácter.
QString nombreValorLinea(char valor);

// Nombre accesible de la línea del lugar dado (0 abajo): "Línea 3: yin viejo (6)", o solo
// "Línea 3" si el carácter no es una línea.
QString nombreAccesibleLinea(int lugar, char valor);

} // namespace hexora
