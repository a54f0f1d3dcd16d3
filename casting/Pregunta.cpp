#include "Pregunta.h"

#include "core/Cp1252.h"
#include "core/EstadoConsulta.h"
#include "core/Texto.h"

#include <algorithm>
#include <optional>

namespace hexora {

namespace {

constexpr char kAbre = '\xBF'; // "¿" en Windows-1252
constexpr std::string_view kSalto = "\r\n";

std::size_t coste(char32_t c) { return c == U'\n' ? 2 : 1; }

// Byte de Windows-1252 que la caja admite para el carácter, o nada. Fuera los controles
// (salvo el salto de línea): no se ven en la caja y estorban al imprimir y al archivar.
std::optional<unsigned char> admisible(char32_t c) {
    if (c == U'\n')
        return static_cast<unsigned char>('\n');
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F))
        return std::nullopt;
    return unicodeACp1252(c);
}

} // namespace

std::string normalizarPregunta(std::string_view escrita) {
    std::string p = mayusculas(recortar(escrita));
    // Los saltos de línea de quien pulsó Intro no tapan una marca ya escrita, que no se dobla
    // ("¿ME MUDO?" y no "¿ME MUDO??"): se quita uno final, y uno inicial solo si le sigue
    // "¿".
    std::string_view recortada = p;
    if (recortada.size() >= 2 && recortada.substr(0, 2) == kSalto &&
        recortar(recortada.substr(2)).substr(0, 1) == std::string_view(&kAbre, 1))
        recortada = recortar(recortada.substr(2));
    const bool cierra = !recortada.empty() && recortada.back() == '?';
    if (!cierra && recortada.size() >= 2 && recortada.substr(recortada.size() - 2) == kSalto)
        recortada = recortar(recortada.substr(0, recortada.size() - 2));
    std::string r(recortada);
    if (r.empty() || r.front() != kAbre)
        r.insert(r.begin(), kAbre);
    if (r.back() != '?')
        r += '?';
    return r;
}

bool esPreguntaDelUsuario(std::string_view pregunta) {
    const std::string_view p = recortar(pregunta);
    return !p.empty() && p != kPreguntaModoManual;
}

std::string preguntaDeCaja(std::u32string_view caja) {
    std::string s;
    s.reserve(caja.size());
    for (char32_t c : caja) {
        if (c == U'\n') {
            s += kSalto;
            continue;
        }
        if (const auto byte = unicodeACp1252(c))
            s += static_cast<char>(*byte);
    }
    return s;
}

std::u32string preguntaACaja(std::string_view cp1252) {
    std::u32string s;
    s.reserve(cp1252.size());
    for (std::size_t i = 0; i < cp1252.size(); ++i) {
        if (cp1252[i] == '\r') {
            if (i + 1 < cp1252.size() && cp1252[i + 1] == '\n')
                ++i;
            s += U'\n';
            continue;
        }
        s += cp1252AUnicode(static_cast<unsigned char>(cp1252[i]));
    }
    return s;
}

std::size_t longitudPregunta(std::u32string_view caja) {
    std::size_t n = 0;
    for (char32_t c : caja)
        n += coste(c);
    return n;
}

CambioPregunta admitirCambioPregunta(std::u32string_view anterior, std::u32string_view nuevo,
                                     std::size_t maximo) {
    // Lo insertado es lo que queda entre el principio y el final comunes a los dos textos.
    const std::size_t menor = std::min(anterior.size(), nuevo.size());
    std::size_t inicio = 0;
    while (inicio < menor && anterior[inicio] == nuevo[inicio])
        ++inicio;
    std::size_t fin = 0;
    while (fin < menor - inicio &&
           anterior[anterior.size() - 1 - fin] == nuevo[nuevo.size() - 1 - fin])
        ++fin;
    const std::u32string_view antes = nuevo.substr(0, inicio);
    const std::u32string_view despues = nuevo.substr(nuevo.size() - fin);
    const std::u32string_view insertado = nuevo.substr(inicio, nuevo.size() - inicio - fin);

    const std::size_t ocupado = longitudPregunta(antes) + longitudPregunta(despues);
    std::size_t libre = maximo > ocupado ? maximo - ocupado : 0;
    CambioPregunta r;
    r.texto.assign(antes);
    for (char32_t c : insertado) {
        if (!admisible(c)) {
            r.quitados = true;
            continue;
        }
        if (coste(c) > libre) {
            r.cortado = true;
            break;
        }
        libre -= coste(c);
        r.texto += c;
    }
    r.cursor = r.texto.size();
    r.texto.append(despues);
    r.modificado = r.texto != nuevo;
    return r;
}

} // namespace hexora
