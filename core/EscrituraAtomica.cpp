#include "EscrituraAtomica.h"

#include "ErrorArchivo.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Es la única pieza de la lógica que habla con el sistema operativo (POSIX): la
// biblioteca estándar no sabe llevar un archivo al disco ni sincronizar una carpeta.

namespace hexora {

namespace {

std::function<bool(PasoEscritura)>& falloInyectado() {
    static std::function<bool(PasoEscritura)> f;
    return f;
}

bool falla(PasoEscritura paso) { return falloInyectado() && falloInyectado()(paso); }

std::string causa(int error) {
    switch (error) {
    case ENOSPC: return "no queda espacio en el disco";
    case EACCES:
    case EPERM: return "no hay permiso para escribir en la carpeta del programa";
    case EROFS: return "la carpeta del programa es de solo lectura";
    case EIO: return "error de lectura o escritura en el disco";
    case EDQUOT: return "se ha agotado la cuota de disco";
    default: return "error del sistema número " + std::to_string(error);
    }
}

// Un archivo marcado de solo lectura no se sustituye: el renombrado pasaría por encima de
// la marca (basta con poder escribir en la carpeta) y el usuario la puso para protegerlo.
// Se miran los permisos y no solo access(), que para root siempre dice que sí.
bool esDeSoloLectura(const std::filesystem::path& ruta) {
    struct stat datos {};
    if (::stat(ruta.c_str(), &datos) != 0)
        return false;
    return (datos.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
           (::access(ruta.c_str(), W_OK) != 0 && errno == EACCES);
}

const char* const kSoloLectura = "el archivo es de solo lectura";

} // namespace

void fijarFalloEscritura(std::function<bool(PasoEscritura)> fallar) {
    falloInyectado() = std::move(fallar);
}

void reemplazarArchivo(const std::filesystem::path& destino, const std::string& contenido,
                       const std::string& nombreVisible) {
    const std::filesystem::path temporal = destino.string() + ".nuevo";
    const auto fracasar = [&](int error, int fd) -> void {
        if (fd >= 0)
            ::close(fd);
        ::unlink(temporal.c_str());
        throw ErrorArchivo(nombreVisible, "no se ha podido guardar (" + causa(error) +
                                              "). El archivo anterior sigue como estaba.");
    };

    if (esDeSoloLectura(destino))
        throw ErrorArchivo(nombreVisible, std::string("no se ha podido guardar (") + kSoloLectura +
                                              "). El archivo anterior sigue como estaba.");
    if (falla(PasoEscritura::Crear))
        fracasar(EACCES, -1);
    const int fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        fracasar(errno, -1);
    if (falla(PasoEscritura::Escribir))
        fracasar(ENOSPC, fd);
    std::size_t escrito = 0;
    while (escrito < contenido.size()) {
        const ssize_t n = ::write(fd, contenido.data() + escrito, contenido.size() - escrito);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fracasar(errno, fd);
        escrito += static_cast<std::size_t>(n);
    }
    if (falla(PasoEscritura::Sincronizar))
        fracasar(EIO, fd);
    if (::fsync(fd) != 0)
        fracasar(errno, fd);
    if (falla(PasoEscritura::Cerrar))
        fracasar(EIO, fd);
    if (::close(fd) != 0)
        fracasar(errno, -1);
    if (falla(PasoEscritura::Renombrar))
        fracasar(EACCES, -1);
    if (::rename(temporal.c_str(), destino.c_str()) != 0)
        fracasar(errno, -1);
    // El nombre nuevo también ha de llegar al disco: se sincroniza la carpeta.
    const auto carpeta = destino.has_parent_path() ? destino.parent_path() : ".";
    const int dir = ::open(carpeta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void borrarArchivo(const std::filesystem::path& ruta, const std::string& nombreVisible) {
    if (esDeSoloLectura(ruta))
        throw ErrorArchivo(nombreVisible,
                           std::string("no se ha podido borrar (") + kSoloLectura + ").");
    if (::unlink(ruta.c_str()) != 0 && errno != ENOENT)
        throw ErrorArchivo(nombreVisible, "no se ha podido borrar (" + causa(errno) + ").");
}

} // namespace hexora
