#include "CarpetaPrograma.h"

namespace hexora {

namespace {
std::filesystem::path& carpeta() {
    static std::filesystem::path c = ".";
    return c;
}
} // namespace

void fijarCarpetaPrograma(const std::filesystem::path& nueva) { carpeta() = nueva; }

const std::filesystem::path& carpetaPrograma() { return carpeta(); }

std::filesystem::path rutaPrograma(std::string_view nombre) { return carpeta() / nombre; }

namespace {
std::filesystem::path& escritura() {
    static std::filesystem::path c;
    return c;
}
} // namespace

void fijarCarpetaEscritura(const std::filesystem::path& nueva) { escritura() = nueva; }

std::filesystem::path rutaEscritura(std::string_view nombre) {
    return escritura().empty() ? rutaPrograma(nombre) : escritura() / nombre;
}

} // namespace hexora
