// Carga de textos con extracción: los bytes de la entrada, tras una cabecera de ocho, son
// "BINARIO.dat"; la cabecera da la figura y la posición que la tabla de hexagramas mínima
// asigna a su texto. Se carga la figura y después su complementaria, como al conmutar, y
// tras cada carga se extraen todas las secciones.

#include "ComunFuzz.h"
#include "core/AlmacenTextos.h"
#include "core/ErrorArchivo.h"
#include "core/Tablas.h"
#include "core/Texto.h"

#include <string>

using namespace hexora;

namespace {

// Clave de la tabla para una figura: las líneas viejas buscan como jóvenes.
std::string clave(const std::string& figura) {
    std::string c = figura;
    for (char& x : c)
        x = x == '6' ? '8' : x == '9' ? '7' : x;
    return c;
}

std::string complementaria(const std::string& figura) {
    std::string c = figura;
    for (char& x : c)
        x = x == '9' ? '8' : x == '6' ? '7' : x;
    return c;
}

void cargarYExtraer(const std::string& figura) {
    try {
        CargarBuffer(figura, [](int k) { fuzz::comprobar(k >= 1 && k <= 6, "línea fuera"); });
        // La extracción y la maquetación se paran en el primer "**" exacto: sin él seguirían
        // por los restos de una carga anterior, el texto de otro hexagrama.
        bool cerrado = false;
        for (std::size_t i = 1; i <= kEntradasBuffer && !cerrado; ++i)
            cerrado = recortarDerecha(BufferTexto[i]) == "**";
        fuzz::comprobar(cerrado, "una carga termina sin el terminador exacto");
    } catch (const ErrorArchivo&) {
        // Falta, corto, dañado o demasiado largo: el programa lo dice y sigue.
    }
    for (const char* codigo : {"D", "C", "I", "L1", "L2", "L3", "L4", "L5", "L6"}) {
        const Seccion s = ExtraerSeccion(codigo);
        fuzz::comprobar(s.texto.size() + s.interpretacion.size() <=
                            kEntradasBuffer * (kLongitudRegistro + 4),
                        "una sección más larga que el buffer");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    if (n < 8)
        return 0;
    fuzz::prepararCarpeta();

    // Casi siempre líneas de "6" a "9"; un byte alto entra tal cual, como la figura de una
    // consulta recuperada de un archivo dañado.
    std::string figura;
    for (std::size_t k = 0; k < 6; ++k)
        figura += datos[k] < 0xF0 ? "6789"[datos[k] % 4] : static_cast<char>(datos[k]);
    const unsigned v = static_cast<unsigned>(datos[6]) << 8 | datos[7];
    std::string posicion;
    switch (v >> 14) {
    case 0:
    case 1: posicion = std::to_string(1 + 80 * (v % 16)); break; // al principio de un registro
    case 2: posicion = std::to_string(v & 0x3FFF); break;        // en cualquier byte, o 0
    default: posicion = "-" + std::to_string(v & 0x3FFF); break;
    }

    vaciarTablas();
    for (auto& e : BufferTexto)
        e = "";
    const std::string principal = clave(figura);
    const std::string otra = clave(complementaria(figura));
    TablaHexagramas[1] = {"", "1", principal.substr(3), principal.substr(0, 3), "A", "", posicion};
    TablaHexagramas[2] = {"", "2", otra.substr(3), otra.substr(0, 3), "B", "", posicion};
    fuzz::escribirArchivo("BINARIO.dat",
                          std::string(reinterpret_cast<const char*>(datos) + 8, n - 8));
    cargarYExtraer(figura);
    cargarYExtraer(complementaria(figura));
    return 0;
}
