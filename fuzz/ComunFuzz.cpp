#include "ComunFuzz.h"

#include "core/CarpetaPrograma.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fuzz {

namespace {

struct Carpeta {
    Carpeta() {
        std::error_code ec;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        // Un proceso que muere en un fallo (y la reducción de una entrada mata cientos) no
        // borra su carpeta: se borran aquí las de procesos que ya no existen.
        const std::string prefijo = "hexora-fuzz-";
        for (const auto& e : std::filesystem::directory_iterator(base, ec)) {
            const std::string nombre = e.path().filename().string();
            if (nombre.rfind(prefijo, 0) != 0)
                continue;
            const long pid = std::strtol(nombre.c_str() + prefijo.size(), nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                std::filesystem::remove_all(e.path(), ec);
        }
        ruta = base / (prefijo + std::to_string(::getpid()));
        std::filesystem::create_directories(ruta);
    }
    ~Carpeta() {
        std::error_code ec;
        std::filesystem::remove_all(ruta, ec);
    }
    std::filesystem::path ruta;
};

Carpeta& carpeta() {
    static Carpeta c;
    return c;
}

} // namespace

void prepararCarpeta() { hexora::fijarCarpetaPrograma(carpeta().ruta); }

void escribirArchivo(const std::string& nombre, const std::string& contenido) {
    std::ofstream f(carpeta().ruta / nombre, std::ios::binary | std::ios::trunc);
    f.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
    if (!f)
        fallo("no se puede escribir en la carpeta del fuzzing");
}

std::string leerArchivo(const std::string& nombre) {
    std::ifstream f(carpeta().ruta / nombre, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void fallo(const char* que) {
    std::fprintf(stderr, "FALLO: %s\n", que);
    std::abort();
}

} // namespace fuzz
