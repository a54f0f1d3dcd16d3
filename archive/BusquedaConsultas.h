#pragma once
// Búsqueda en el archivo de consultas: qué registros tienen el texto buscado en su usuario
// o en su pregunta, sin distinguir mayúsculas ni acentos ("nunez" encuentra "NÚÑEZ").

#include "archive/ArchivoConsultas.h"

#include <string>
#include <string_view>
#include <vector>

namespace hexora {

// Texto en Windows-1252 en minúsculas y sin acentos ni diéresis ("Ñ" pasa a "n").
std::string plegarParaBuscar(std::string_view cp1252);

// Índice de búsqueda de unos registros: se pliega una vez y cada búsqueda solo recorre.
class BusquedaConsultas {
public:
    explicit BusquedaConsultas(const std::vector<RegistroConsulta>& registros);

    // Posiciones (desde 0, en el orden del archivo) de los registros que contienen el texto
    // en el usuario o en la pregunta; un texto vacío o de solo espacios las da todas.
    std::vector<std::size_t> buscar(std::string_view textoCp1252) const;

private:
    std::vector<std::string> plegados_; // usuario y pregunta de cada registro, plegados
};

} // namespace hexora
