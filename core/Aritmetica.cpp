#include "Aritmetica.h"

#include "Tablas.h"
#include "Texto.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace hexora {

namespace {

// Fila de TablaHexagramas que corresponde a la figura, o 0. Se comparan las 64 filas y
// gana la última que coincida.
std::size_t buscarFila(std::string_view lineas) {
    std::string clave;
    for (std::size_t k = 0; k < 6 && k < lineas.size(); ++k) {
        const char c = lineas[k];
        clave += c == '6' ? '8' : c == '9' ? '7' : c;
    }
    std::size_t encontrada = 0;
    for (std::size_t fila = 1; fila < TablaHexagramas.size(); ++fila) {
        if (clave == TablaHexagramas[fila][3] + TablaHexagramas[fila][2])
            encontrada = fila;
    }
    return encontrada;
}

} // namespace

short NumeroHexagrama(std::string_view lineas) {
    const auto fila = buscarFila(lineas);
    if (fila == 0)
        return 0;
    // Redondeo al entero más próximo, los medios al par.
    const double valor = std::nearbyint(valorDecimal(TablaHexagramas[fila][1]));
    if (valor < std::numeric_limits<std::int16_t>::min() ||
        valor > std::numeric_limits<std::int16_t>::max())
        return 0;
    return static_cast<short>(valor);
}

std::string PosicionHexagrama(std::string_view lineas) {
    return TablaHexagramas[buscarFila(lineas)][6];
}

std::string NombreTrigrama(std::string_view codigo) {
    std::string nombre;
    for (std::size_t fila = 1; fila < TablaTrigramas.size(); ++fila) {
        nombre = TablaTrigramas[fila][1] + ", " + TablaTrigramas[fila][2];
        for (std::size_t campo = 3; campo <= 10; ++campo) {
            if (TablaTrigramas[fila][campo] == codigo)
                return nombre;
        }
    }
    return nombre;
}

} // namespace hexora
