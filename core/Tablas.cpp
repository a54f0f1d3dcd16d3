#include "Tablas.h"

#include "Cp1252.h"
#include "ErrorArchivo.h"
#include "LectorArchivo.h"
#include "LectorCampos.h"

#include "Texto.h"

#include <cmath>
#include <memory>

namespace hexora {

std::array<FilaTrigrama, 9> TablaTrigramas;
std::array<FilaHexagrama, 65> TablaHexagramas;

namespace {

constexpr std::uint64_t kRegistroTextos = 80;

template <std::size_t Filas, std::size_t Campos>
void leerTabla(const char* nombre, std::array<std::array<std::string, Campos>, Filas>& tabla) {
    LectorCampos lector(leerArchivoCompleto(nombre));
    constexpr std::size_t esperados = (Filas - 1) * (Campos - 1);
    std::size_t leidos = 0;
    for (std::size_t fila = 1; fila < Filas; ++fila) {
        for (std::size_t campo = 1; campo < Campos; ++campo) {
            if (!lector.siguiente(tabla[fila][campo])) {
                throw ErrorArchivo(nombre, "está incompleto: tiene " + std::to_string(leidos) +
                                               " campos y se esperaban " +
                                               std::to_string(esperados) + ".");
            }
            ++leidos;
        }
    }
}

} // namespace

void CargarTablas() {
    // Se lee en tablas aparte para que un fallo no deje a medias las que están en uso.
    auto trigramas = std::make_unique<std::array<FilaTrigrama, 9>>();
    auto hexagramas = std::make_unique<std::array<FilaHexagrama, 65>>();
    leerTabla("trigr.chi", *trigramas);
    (*trigramas)[1][1] = "Ch'ien";
    leerTabla("hexagr.chi", *hexagramas);
    TablaTrigramas = std::move(*trigramas);
    TablaHexagramas = std::move(*hexagramas);
}

void ComprobarTablas() {
    const std::string hexagramas = "hexagr.chi";
    ArchivoPosicional textos("BINARIO.dat");
    for (std::size_t fila = 1; fila < TablaHexagramas.size(); ++fila) {
        const auto& h = TablaHexagramas[fila];
        const std::string donde = "la fila " + std::to_string(fila);
        if (std::nearbyint(valorDecimal(h[1])) != static_cast<double>(fila))
            throw ErrorArchivo(hexagramas, "está dañado: " + donde + " lleva el número \"" +
                                               cp1252AUtf8(h[1]) + "\" en lugar del " +
                                               std::to_string(fila) + ".");
        // El registro de la posición P no se lee: el texto empieza en el siguiente.
        const long long p = valorEntero(h[6]);
        char cabecera[2] = {};
        const bool dentro =
            p > 0 && static_cast<std::uint64_t>(p - 1) + 2 * kRegistroTextos <= textos.tamano();
        if (!dentro ||
            textos.leer(static_cast<std::uint64_t>(p - 1) + kRegistroTextos, cabecera, 2) != 2 ||
            cabecera[0] != '*' || cabecera[1] != 'D')
            throw ErrorArchivo(hexagramas, "está dañado: " + donde + " da la posición de texto \"" +
                                               cp1252AUtf8(h[6]) +
                                               "\", que no señala ningún texto de "
                                               "BINARIO.dat.");
    }
}

const FilaHexagrama& filaHexagrama(long numero) {
    // El número sale del primer campo de "hexagr.chi": uno dañado puede valer cualquier cosa.
    const bool enTabla = numero > 0 && static_cast<std::size_t>(numero) < TablaHexagramas.size();
    return TablaHexagramas[enTabla ? static_cast<std::size_t>(numero) : 0];
}

void vaciarTablas() {
    TablaTrigramas = {};
    TablaHexagramas = {};
}

} // namespace hexora
