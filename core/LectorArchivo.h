#pragma once
// Lectura de archivos de la carpeta del programa, con errores que nombran el archivo.

#include <string>

namespace hexora {

// Contenido completo de un archivo de la carpeta del programa.
std::string leerArchivoCompleto(const std::string& nombre);

} // namespace hexora
