#pragma once
// Lectura de los archivos del programa. Solo "no existe" significa que un archivo falta:
// cualquier otro fallo al consultarlo, abrirlo o leerlo es un ErrorArchivo con su causa en
// palabras, nunca una excepción de la biblioteca estándar ni un archivo dado por vacío.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace hexora {

// Contenido entero del archivo, o nada si no existe. nombreVisible es el que sale en el
// mensaje de error.
std::optional<std::string> leerSiExiste(const std::filesystem::path& ruta,
                                        const std::string& nombreVisible);

// ¿Hay un archivo normal en la ruta? Solo "no existe" es que no; cualquier otro fallo al
// consultarlo, o algo que no es un archivo, es un ErrorArchivo.
bool existeArchivo(const std::filesystem::path& ruta, const std::string& nombreVisible);

// Contenido completo de un archivo de la carpeta del programa, que ha de estar.
std::string leerArchivoCompleto(const std::string& nombre);

// Un archivo de la carpeta del programa abierto para leer trozos por posición.
class ArchivoPosicional {
public:
    explicit ArchivoPosicional(const std::string& nombre);
    ~ArchivoPosicional();
    ArchivoPosicional(const ArchivoPosicional&) = delete;
    ArchivoPosicional& operator=(const ArchivoPosicional&) = delete;

    // Lee hasta n bytes desde la posición (desde 0) y devuelve cuántos había.
    std::size_t leer(std::uint64_t posicion, char* destino, std::size_t n);
    std::uint64_t tamano() const { return tamano_; }

private:
    std::string nombre_;
    int fd_ = -1;
    std::uint64_t tamano_ = 0;
};

} // namespace hexora
