#pragma once
// Lector de campos de las tablas separadas por comas: la coma y el fin de línea cierran
// un campo, se saltan los espacios iniciales, un campo entre comillas llega hasta la
// comilla siguiente y lo que haya tras ella hasta la coma o el fin de línea se descarta.

#include <string>

namespace hexora {

class LectorCampos {
public:
    explicit LectorCampos(std::string contenido) : texto_(std::move(contenido)) {}

    // Lee el campo siguiente; devuelve false si el texto se ha acabado.
    bool siguiente(std::string& campo);

private:
    bool finDeLinea() const;
    void saltarFinDeLinea();

    std::string texto_;
    std::size_t pos_ = 0;
    bool trasComa_ = false; // tras una coma siempre viene un campo, aunque esté vacío
};

} // namespace hexora
