#include "LlamadasSistema.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

// La biblioteca estándar no sabe llevar un archivo al disco ni sincronizar una carpeta, y sus
// flujos esconden la causa de un fallo (o la lanzan como excepción): aquí se habla POSIX.

namespace hexora {

namespace {

std::function<int(Llamada)>& falloInyectado() {
    static std::function<int(Llamada)> f;
    return f;
}

// ¿Ha de fallar esta llamada? Si es así, deja en errno el código del fallo.
bool inyectar(Llamada paso) {
    if (!falloInyectado())
        return false;
    const int error = falloInyectado()(paso);
    if (error == 0)
        return false;
    errno = error;
    return true;
}

} // namespace

void fijarFalloSistema(std::function<int(Llamada)> fallo) { falloInyectado() = std::move(fallo); }

std::string causaError(int error) {
    const char* causa = nullptr;
    switch (error) {
    case ENOENT: causa = "no se encuentra"; break;
    case EACCES:
    case EPERM: causa = "no hay permiso de acceso"; break;
    case EROFS: causa = "el disco es de solo lectura"; break;
    case ENOSPC: causa = "no queda espacio en el disco"; break;
    case EDQUOT: causa = "se ha agotado la cuota de disco"; break;
    case EIO: causa = "error de entrada/salida del disco"; break;
    case EBUSY:
    case ETXTBSY: causa = "está ocupado por otro proceso"; break;
    case EISDIR: causa = "es una carpeta y no un archivo"; break;
    case ENOTDIR: causa = "una parte de la ruta no es una carpeta"; break;
    case EMFILE:
    case ENFILE: causa = "hay demasiados archivos abiertos"; break;
    case ENAMETOOLONG: causa = "la ruta es demasiado larga"; break;
    case ELOOP: causa = "la ruta tiene demasiados enlaces"; break;
    case ENOMEM: causa = "falta memoria"; break;
    case EFBIG: causa = "el archivo es demasiado grande"; break;
    default: causa = "error inesperado del sistema"; break;
    }
    return std::string(causa) + " (error " + std::to_string(error) + ")";
}

namespace sistema {

int estado(const std::filesystem::path& ruta, struct stat& datos) {
    return inyectar(Llamada::Stat) ? -1 : ::stat(ruta.c_str(), &datos);
}

int abrir(const std::filesystem::path& ruta, int banderas, Llamada paso) {
    return inyectar(paso) ? -1 : ::open(ruta.c_str(), banderas | O_CLOEXEC, 0644);
}

ssize_t leerEn(int fd, char* destino, std::size_t n, off_t posicion) {
    if (inyectar(Llamada::Leer))
        return -1;
    for (;;) {
        const ssize_t leido = ::pread(fd, destino, n, posicion);
        if (leido >= 0 || errno != EINTR)
            return leido;
    }
}

int escribirTodo(int fd, const char* datos, std::size_t n) {
    if (inyectar(Llamada::Escribir))
        return -1;
    std::size_t escrito = 0;
    while (escrito < n) {
        const ssize_t e = ::write(fd, datos + escrito, n - escrito);
        if (e < 0 && errno == EINTR)
            continue;
        if (e < 0)
            return -1;
        escrito += static_cast<std::size_t>(e);
    }
    return 0;
}

int sincronizar(int fd, Llamada paso) { return inyectar(paso) ? -1 : ::fsync(fd); }

int cerrar(int fd) {
    // Un cierre fallido no se repite: en Linux el descriptor ya está liberado.
    if (inyectar(Llamada::Cerrar)) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return ::close(fd);
}

int renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino) {
    return inyectar(Llamada::Renombrar) ? -1 : ::rename(origen.c_str(), destino.c_str());
}

int borrar(const std::filesystem::path& ruta) {
    return inyectar(Llamada::Borrar) ? -1 : ::unlink(ruta.c_str());
}

} // namespace sistema

} // namespace hexora
