#include "LectorArchivo.h"

#include "CarpetaPrograma.h"
#include "ErrorArchivo.h"

#include <fstream>
#include <iterator>

namespace hexora {

std::string leerArchivoCompleto(const std::string& nombre) {
    std::ifstream f(rutaPrograma(nombre), std::ios::binary);
    if (!f)
        throw ErrorArchivo(nombre, "no está en la carpeta del programa o no se puede abrir.");
    std::string contenido{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    if (f.bad())
        throw ErrorArchivo(nombre, "no se puede leer.");
    return contenido;
}

} // namespace hexora
