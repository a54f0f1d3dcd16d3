#pragma once
// Rótulos de una figura que comparten la interpretación y la impresión: número y nombre del
// hexagrama, su segundo nombre y los nombres de los trigramas superior e inferior.

#include <array>
#include <string>

class QLabel;

namespace hexora {

void mostrarNombresHexagrama(const std::string& lineas, const std::array<QLabel*, 2>& TXTHEXAGRAMA,
                             const std::array<QLabel*, 2>& TXTTRIGRAMA);

} // namespace hexora
