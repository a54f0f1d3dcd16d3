#pragma once
// Aritmética de la barra de progreso de la presentación: ocho pasos de 12 (100 / 8 con
// los medios al par), 852 twips de ancho cada uno y un punto más o menos al azar.

#include <string>

namespace hexora {

struct Progreso {
    double anchoTwips = 375; // la barra empieza con 375 twips
    std::string titulo = "0%";
};

// Un paso; aleatorio es un número uniforme en [0, 1).
void avanzarProgreso(Progreso& progreso, double aleatorio);

} // namespace hexora
