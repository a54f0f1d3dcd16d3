#include "LectorArchivo.h"

#include "CarpetaPrograma.h"
#include "ErrorArchivo.h"
#include "LlamadasSistema.h"

#include <cerrno>
#include <fcntl.h>

namespace hexora {

namespace {

[[noreturn]] void fallar(const std::string& nombre, const char* accion, int error) {
    throw ErrorArchivo(nombre, std::string(accion) + ": " + causaError(error) + ".");
}

const char* const kNoEsArchivo = "no es un archivo normal (¿es una carpeta?).";

// false si no existe; con su tamaño si es un archivo normal.
bool consultar(const std::filesystem::path& ruta, const std::string& nombre,
               std::uint64_t& tamano) {
    struct stat datos {};
    if (sistema::estado(ruta, datos) != 0) {
        if (errno == ENOENT)
            return false;
        fallar(nombre, "no se puede consultar", errno);
    }
    if (!S_ISREG(datos.st_mode))
        throw ErrorArchivo(nombre, kNoEsArchivo);
    tamano = static_cast<std::uint64_t>(datos.st_size);
    return true;
}

// Abre para leer; -1 si no existe. El tamaño sale del mismo stat que dice si existe.
int abrirParaLeer(const std::filesystem::path& ruta, const std::string& nombre,
                  std::uint64_t& tamano) {
    if (!consultar(ruta, nombre, tamano))
        return -1;
    const int fd = sistema::abrir(ruta, O_RDONLY);
    if (fd < 0) {
        if (errno == ENOENT)
            return -1;
        fallar(nombre, "no se puede abrir para leer", errno);
    }
    return fd;
}

} // namespace

std::optional<std::string> leerSiExiste(const std::filesystem::path& ruta,
                                        const std::string& nombreVisible) {
    std::uint64_t tamano = 0;
    const int fd = abrirParaLeer(ruta, nombreVisible, tamano);
    if (fd < 0)
        return std::nullopt;
    std::string contenido;
    contenido.reserve(static_cast<std::size_t>(tamano));
    char trozo[65536];
    for (;;) {
        const ssize_t n =
            sistema::leerEn(fd, trozo, sizeof trozo, static_cast<off_t>(contenido.size()));
        if (n < 0) {
            const int error = errno;
            sistema::cerrar(fd);
            fallar(nombreVisible, "no se puede leer", error);
        }
        if (n == 0)
            break;
        contenido.append(trozo, static_cast<std::size_t>(n));
    }
    // Lo leído ya está entero en memoria: un cierre fallido de un descriptor de solo
    // lectura no pierde nada.
    sistema::cerrar(fd);
    return contenido;
}

bool existeArchivo(const std::filesystem::path& ruta, const std::string& nombreVisible) {
    std::uint64_t tamano = 0;
    return consultar(ruta, nombreVisible, tamano);
}

std::string leerArchivoCompleto(const std::string& nombre) {
    auto contenido = leerSiExiste(rutaPrograma(nombre), nombre);
    if (!contenido)
        throw ErrorArchivo(nombre, "no está en la carpeta del programa.");
    return std::move(*contenido);
}

ArchivoPosicional::ArchivoPosicional(const std::string& nombre) : nombre_(nombre) {
    fd_ = abrirParaLeer(rutaPrograma(nombre), nombre, tamano_);
    if (fd_ < 0)
        throw ErrorArchivo(nombre, "no está en la carpeta del programa.");
}

ArchivoPosicional::~ArchivoPosicional() { sistema::cerrar(fd_); }

std::size_t ArchivoPosicional::leer(std::uint64_t posicion, char* destino, std::size_t n) {
    std::size_t total = 0;
    while (total < n) {
        const ssize_t leido =
            sistema::leerEn(fd_, destino + total, n - total, static_cast<off_t>(posicion + total));
        if (leido < 0)
            fallar(nombre_, "no se puede leer", errno);
        if (leido == 0)
            break;
        total += static_cast<std::size_t>(leido);
    }
    return total;
}

} // namespace hexora
