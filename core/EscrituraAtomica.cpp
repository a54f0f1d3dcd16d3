#include "EscrituraAtomica.h"

#include "ErrorArchivo.h"
#include "LlamadasSistema.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace hexora {

namespace {

std::filesystem::path temporalDe(const std::filesystem::path& destino) {
    return destino.string() + ".nuevo";
}

// Un archivo marcado de solo lectura no se sustituye: el renombrado pasaría por encima de
// la marca (basta con poder escribir en la carpeta) y el usuario la puso para protegerlo.
// Se miran los permisos y no solo access(), que para root siempre dice que sí. Un stat
// que falla por otra cosa que la ausencia del archivo es un error: no se sabe qué hay.
bool esDeSoloLectura(const std::filesystem::path& ruta, const std::string& nombreVisible,
                     const std::string& accion) {
    struct stat datos {};
    if (sistema::estado(ruta, datos) != 0) {
        if (errno == ENOENT)
            return false;
        throw ErrorArchivo(nombreVisible,
                           "no se ha podido " + accion + ": " + causaError(errno) + ".");
    }
    return (datos.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           (::access(ruta.c_str(), W_OK) != 0 && errno == EACCES);
}

// Sincroniza la carpeta del archivo para que su nombre nuevo (o su ausencia) quede en el
// disco; false si el sistema no lo confirma.
bool sincronizarCarpeta(const std::filesystem::path& archivo) {
    const auto carpeta = archivo.has_parent_path() ? archivo.parent_path() : ".";
    const int dir = sistema::abrir(carpeta, O_RDONLY | O_DIRECTORY);
    if (dir < 0)
        return false;
    const bool sincronizada = sistema::sincronizar(dir, Llamada::SincronizarCarpeta) == 0;
    return sistema::cerrar(dir) == 0 && sincronizada;
}

const char* const kSoloLectura = "el archivo es de solo lectura";

} // namespace

Confirmacion reemplazarArchivo(const std::filesystem::path& destino, const std::string& contenido,
                               const std::string& nombreVisible) {
    const std::filesystem::path temporal = temporalDe(destino);
    const auto fracasar = [&](int error, int fd) -> void {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporal.c_str());
        throw ErrorArchivo(nombreVisible, "no se ha podido guardar: " + causaError(error) +
                                              ". El archivo anterior sigue como estaba.");
    };

    if (esDeSoloLectura(destino, nombreVisible, "guardar"))
        throw ErrorArchivo(nombreVisible, std::string("no se ha podido guardar: ") + kSoloLectura +
                                              ". El archivo anterior sigue como estaba.");
    // Un temporal que quedó de un corte se quita antes: con O_EXCL nunca se escribe en uno
    // ajeno (un enlace, un archivo de otro).
    limpiarTemporal(destino);
    const int fd = sistema::abrir(temporal, O_WRONLY | O_CREAT | O_EXCL, Llamada::Crear);
    if (fd < 0)
        fracasar(errno, -1);
    if (sistema::escribirTodo(fd, contenido.data(), contenido.size()) != 0)
        fracasar(errno, fd);
    if (sistema::sincronizar(fd) != 0)
        fracasar(errno, fd);
    if (sistema::cerrar(fd) != 0)
        fracasar(errno, -1);
    if (sistema::renombrar(temporal, destino) != 0)
        fracasar(errno, -1);
    return sincronizarCarpeta(destino) ? Confirmacion::EnDisco : Confirmacion::SinConfirmar;
}

Confirmacion borrarArchivo(const std::filesystem::path& ruta, const std::string& nombreVisible) {
    if (esDeSoloLectura(ruta, nombreVisible, "borrar"))
        throw ErrorArchivo(nombreVisible,
                           std::string("no se ha podido borrar: ") + kSoloLectura + ".");
    if (sistema::borrar(ruta) != 0 && errno != ENOENT)
        throw ErrorArchivo(nombreVisible, "no se ha podido borrar: " + causaError(errno) + ".");
    return sincronizarCarpeta(ruta) ? Confirmacion::EnDisco : Confirmacion::SinConfirmar;
}

void limpiarTemporal(const std::filesystem::path& destino) {
    // Si no se puede borrar, la creación exclusiva que sigue lo dirá con su causa.
    sistema::borrar(temporalDe(destino));
}

} // namespace hexora
