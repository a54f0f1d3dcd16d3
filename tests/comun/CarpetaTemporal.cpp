#include "CarpetaTemporal.h"

#include "core/CarpetaPrograma.h"

#include <fstream>
#include <random>

CarpetaTemporal::CarpetaTemporal() : anterior_(hexora::carpetaPrograma()) {
    std::random_device azar;
    ruta_ = std::filesystem::temp_directory_path() /
            ("hexora-prueba-" + std::to_string(azar()) + std::to_string(azar()));
    std::filesystem::create_directories(ruta_);
    hexora::fijarCarpetaPrograma(ruta_);
}

CarpetaTemporal::~CarpetaTemporal() {
    hexora::fijarCarpetaPrograma(anterior_);
    std::error_code ec;
    std::filesystem::remove_all(ruta_, ec);
}

void CarpetaTemporal::escribir(const std::string& nombre, const std::string& contenido) const {
    std::ofstream f(ruta_ / nombre, std::ios::binary | std::ios::trunc);
    f.write(contenido.data(), static_cast<std::streamsize>(contenido.size()));
}
