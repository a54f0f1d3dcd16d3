#pragma once
// Carpeta propia del programa, donde están los archivos de datos y el archivo de
// consultas. El arranque la fija con la del ejecutable; las pruebas, con una suya.

#include <filesystem>
#include <string_view>

namespace hexora {

void fijarCarpetaPrograma(const std::filesystem::path& carpeta);
const std::filesystem::path& carpetaPrograma();

// Ruta de un archivo de la carpeta del programa.
std::filesystem::path rutaPrograma(std::string_view nombre);

} // namespace hexora
