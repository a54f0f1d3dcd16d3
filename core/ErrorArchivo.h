#pragma once
// Error de un archivo del programa (ausente, ilegible, corto o dañado). El mensaje, en
// español y en UTF-8, nombra el archivo y lo que le pasa; las pantallas lo muestran.

#include <stdexcept>
#include <string>

namespace hexora {

class ErrorArchivo : public std::runtime_error {
public:
    ErrorArchivo(std::string archivo, const std::string& problema)
        : std::runtime_error("El archivo \"" + archivo + "\" " + problema),
          archivo_(std::move(archivo)) {}

    const std::string& archivo() const { return archivo_; }

private:
    std::string archivo_;
};

} // namespace hexora
