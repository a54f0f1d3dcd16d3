#pragma once
// Carpeta temporal propia de una prueba, fijada como carpeta del programa mientras vive.

#include <filesystem>
#include <string>

class CarpetaTemporal {
public:
    CarpetaTemporal();
    ~CarpetaTemporal();
    CarpetaTemporal(const CarpetaTemporal&) = delete;
    CarpetaTemporal& operator=(const CarpetaTemporal&) = delete;
    void escribir(const std::string& nombre, const std::string& contenido) const;
    const std::filesystem::path& ruta() const { return ruta_; }

private:
    std::filesystem::path ruta_;
    std::filesystem::path anterior_;
};
