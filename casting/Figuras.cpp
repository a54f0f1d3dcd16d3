#include "Figuras.h"

#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "core/Texto.h"

namespace hexora {

int numeroLineas() { return static_cast<int>(Hexagrama.recortado().size()); }

int agregarLinea(char valor) {
    const int lugar = numeroLineas();
    if (lugar >= 6)
        return -1;
    Hexagrama = std::string(Hexagrama.recortado()) + valor;
    return lugar;
}

int borrarUltimaLinea() {
    const int n = numeroLineas();
    if (n == 0)
        return -1;
    Hexagrama = Hexagrama.recortado().substr(0, static_cast<std::size_t>(n - 1));
    return n - 1;
}

std::string lineasDeFila(int fila) {
    const auto& f = TablaHexagramas.at(static_cast<std::size_t>(fila));
    return std::string(recortar(f[3])) + std::string(recortar(f[2]));
}

std::string entradaDeLista(int fila) {
    const auto& f = TablaHexagramas.at(static_cast<std::size_t>(fila));
    return f[1] + " - " + f[4];
}

std::string segundoNombreDeFila(int fila) {
    return std::string(recortar(TablaHexagramas.at(static_cast<std::size_t>(fila))[5]));
}

} // namespace hexora
