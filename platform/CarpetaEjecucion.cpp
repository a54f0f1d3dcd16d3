#include "CarpetaEjecucion.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace hexora {

namespace {
std::string causa(const std::string& carpeta, const std::string& motivo) {
    return "No se pudo preparar la carpeta de ejecución " + carpeta + ": " + motivo + ".";
}
} // namespace

std::string fijarCarpetaEjecucion(const std::filesystem::path& temporal) {
    const char* actual = std::getenv("XDG_RUNTIME_DIR");
    if (actual && *actual)
        return {};
    const uid_t usuario = geteuid();
    const std::string carpeta = (temporal / ("runtime-" + std::to_string(usuario))).string();
    if (mkdir(carpeta.c_str(), 0700) != 0 && errno != EEXIST)
        return causa(carpeta, std::strerror(errno));
    // Puede existir de antes: vale solo si es una carpeta de verdad (no un enlace que otro
    // haya dejado en la carpeta temporal común) y es de este usuario.
    struct stat datos {};
    if (lstat(carpeta.c_str(), &datos) != 0)
        return causa(carpeta, std::strerror(errno));
    if (!S_ISDIR(datos.st_mode))
        return causa(carpeta, "existe y no es una carpeta");
    if (datos.st_uid != usuario)
        return causa(carpeta, "pertenece a otro usuario");
    // La máscara del proceso puede haber quitado permisos al crearla; Qt exige 0700 justos.
    if ((datos.st_mode & 07777) != 0700 && chmod(carpeta.c_str(), 0700) != 0)
        return causa(carpeta, std::strerror(errno));
    setenv("XDG_RUNTIME_DIR", carpeta.c_str(), 1);
    return {};
}

std::string fijarCarpetaEjecucion() {
    std::error_code error;
    std::filesystem::path temporal = std::filesystem::temp_directory_path(error);
    if (error)
        temporal = "/tmp";
    return fijarCarpetaEjecucion(temporal);
}

} // namespace hexora
