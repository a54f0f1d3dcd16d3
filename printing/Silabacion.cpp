#include "Silabacion.h"

#include "core/Cp1252.h"

#include <hyphen.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace hexora {

namespace {

using Patrones = std::unique_ptr<HyphenDict, decltype(&hnj_hyphen_free)>;

struct EstadoSilabacion {
    std::filesystem::path ruta = HEXORA_PATRONES_SILABAS;
    Patrones patrones{nullptr, &hnj_hyphen_free};
    bool leidos = false; // se intenta una sola vez por ruta
};

EstadoSilabacion& estado() {
    static EstadoSilabacion e;
    return e;
}

HyphenDict* patrones() {
    EstadoSilabacion& e = estado();
    if (!e.leidos) {
        e.leidos = true;
        e.patrones.reset(hnj_hyphen_load(e.ruta.c_str()));
    }
    return e.patrones.get();
}

} // namespace

bool esLetra(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') ||
           (b >= 0xC0 && b != 0xD7 && b != 0xF7);
}

std::vector<bool> cortesSilabacion(std::string_view palabra) {
    std::vector<bool> cortes(palabra.size(), false);
    HyphenDict* dic = patrones();
    std::size_t inicio = 0;
    std::size_t fin = palabra.size();
    while (inicio < fin && !esLetra(palabra[inicio]))
        ++inicio;
    while (fin > inicio && !esLetra(palabra[fin - 1]))
        --fin;
    if (!dic || fin - inicio < 2)
        return cortes;
    // Los patrones están en minúsculas y en UTF-8; libhyphen da un valor por carácter,
    // que aquí es un byte de la palabra.
    const std::string utf8 = cp1252AUtf8(minusculas(palabra.substr(inicio, fin - inicio)));
    std::string guiones(utf8.size() + 5, '\0');
    char** rep = nullptr;
    int* pos = nullptr;
    int* cut = nullptr;
    hnj_hyphen_hyphenate2(dic, utf8.data(), static_cast<int>(utf8.size()), guiones.data(), nullptr,
                          &rep, &pos, &cut);
    // Los patrones españoles no traen cambios de letras al partir; si algún día los
    // hubiera, ese corte no se usa (partiría mal la palabra).
    if (rep) {
        for (std::size_t i = 0; i < utf8.size(); ++i)
            std::free(rep[i]);
        std::free(rep);
        std::free(pos);
        std::free(cut);
        return cortes;
    }
    for (std::size_t k = inicio; k + 1 < fin; ++k) {
        cortes[k] =
            (guiones[k - inicio] & 1) != 0 && esLetra(palabra[k]) && esLetra(palabra[k + 1]);
    }
    return cortes;
}

bool haySilabacion() { return patrones() != nullptr; }

void fijarPatronesSilabacion(const std::filesystem::path& ruta) {
    EstadoSilabacion& e = estado();
    e.ruta = ruta.empty() ? std::filesystem::path(HEXORA_PATRONES_SILABAS) : ruta;
    e.patrones.reset();
    e.leidos = false;
}

} // namespace hexora
