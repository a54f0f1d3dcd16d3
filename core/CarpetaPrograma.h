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

// Carpeta donde el programa escribe ("usuarios.dat", "inter.tmp"): la del programa, salvo
// que esta no admita escritura (programa instalado) y el arranque fije otra. Vacía: la
// del programa.
void fijarCarpetaEscritura(const std::filesystem::path& carpeta);
std::filesystem::path rutaEscritura(std::string_view nombre);

} // namespace hexora
