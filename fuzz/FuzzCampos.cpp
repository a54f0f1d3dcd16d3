// Lector de campos de las tablas y carga de las dos tablas con bytes cualesquiera; después,
// las búsquedas que el programa hace sobre lo que se haya leído.

#include "ComunFuzz.h"
#include "core/Aritmetica.h"
#include "core/ErrorArchivo.h"
#include "core/LectorCampos.h"
#include "core/Tablas.h"

#include <string>

using namespace hexora;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    fuzz::prepararCarpeta();
    const std::string texto(reinterpret_cast<const char*>(datos), n);

    // Cada campo consume al menos un separador o un carácter: más campos que bytes más uno
    // sería un lector que no avanza.
    LectorCampos lector(texto);
    std::string campo;
    std::size_t campos = 0;
    while (lector.siguiente(campo)) {
        fuzz::comprobar(++campos <= n + 1, "el lector de campos no avanza");
        fuzz::comprobar(campo.size() <= n, "un campo más largo que el texto");
    }

    // Los mismos bytes como las dos tablas: o se cargan enteras o fallan con ErrorArchivo
    // sin tocar las que había.
    vaciarTablas();
    fuzz::escribirArchivo("trigr.chi", texto);
    fuzz::escribirArchivo("hexagr.chi", texto);
    try {
        CargarTablas();
        fuzz::comprobar(TablaTrigramas[1][1] == "Ch'ien", "tablas cargadas sin Ch'ien");
    } catch (const ErrorArchivo&) {
        fuzz::comprobar(TablaTrigramas[1][1].empty() && TablaHexagramas[64][6].empty(),
                        "una carga fallida deja las tablas a medias");
    }
    // Las figuras de la entrada y unas fijas, buscadas en lo que haya quedado.
    const std::string inicio = texto.substr(0, 6);
    for (const std::string& figura : {inicio, std::string("777777"), std::string("969696")}) {
        filaHexagrama(NumeroHexagrama(figura));
        PosicionHexagrama(figura);
        NombreTrigrama(figura.substr(0, 3));
    }
    return 0;
}
