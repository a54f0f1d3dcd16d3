#include "Progreso.h"

#include "core/Texto.h"

#include <cmath>

namespace hexora {

void avanzarProgreso(Progreso& progreso, double aleatorio) {
    const int paso = static_cast<int>(std::nearbyint(100.0 / 8)); // 12
    progreso.anchoTwips += paso * 71;
    long long n = valorEntero(progreso.titulo) + paso;
    n += static_cast<long long>(std::floor(2 * aleatorio));
    // Con posición de signo: un espacio delante de los números no negativos.
    std::string texto = (n >= 0 ? " " : "") + std::to_string(n) + "% ";
    if (valorEntero(texto) > 100)
        texto = "100";
    progreso.titulo = texto;
}

} // namespace hexora
