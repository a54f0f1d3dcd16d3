#include "BusquedaConsultas.h"

#include "core/Cp1252.h"
#include "core/Texto.h"

#include <array>

namespace hexora {

namespace {

// Tabla de los 256 bytes de Windows-1252 a su letra base en minúscula.
std::array<char, 256> tablaPlegado() {
    std::array<char, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[static_cast<std::size_t>(b)] = minuscula(static_cast<char>(b));
    const auto base = [&t](const char* acentuadas, char letra) {
        for (const char* c = acentuadas; *c; ++c)
            t[static_cast<unsigned char>(*c)] = letra;
    };
    // Mayúsculas y minúsculas acentuadas de Windows-1252, letra a letra.
    base("\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", 'a');
    base("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", 'e');
    base("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", 'i');
    base("\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", 'o');
    base("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", 'u');
    base("\xD1\xF1", 'n');
    base("\xC7\xE7", 'c');
    base("\xDD\xFD\xFF\x9F", 'y');
    base("\x8A\x9A", 's');
    base("\x8E\x9E", 'z');
    return t;
}

} // namespace

std::string plegarParaBuscar(std::string_view cp1252) {
    static const std::array<char, 256> tabla = tablaPlegado();
    std::string r(cp1252.size(), ' ');
    for (std::size_t i = 0; i < cp1252.size(); ++i)
        r[i] = tabla[static_cast<unsigned char>(cp1252[i])];
    return r;
}

BusquedaConsultas::BusquedaConsultas(const std::vector<RegistroConsulta>& registros) {
    plegados_.reserve(registros.size());
    for (const auto& r : registros) {
        // Un separador que nadie escribe: lo buscado no puede empezar en el usuario y
        // acabar en la pregunta.
        plegados_.push_back(plegarParaBuscar(r.Usuario()) + '\n' + plegarParaBuscar(r.Texto()));
    }
}

std::vector<std::size_t> BusquedaConsultas::buscar(std::string_view textoCp1252) const {
    const bool todos = recortar(textoCp1252).empty();
    const std::string buscado = plegarParaBuscar(textoCp1252);
    std::vector<std::size_t> r;
    r.reserve(plegados_.size());
    for (std::size_t i = 0; i < plegados_.size(); ++i) {
        if (todos || plegados_[i].find(buscado) != std::string::npos)
            r.push_back(i);
    }
    return r;
}

} // namespace hexora
