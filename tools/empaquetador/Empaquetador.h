#pragma once
// Empaquetador de los datos: convierte las fuentes legibles (UTF-8) de data/ en los tres
// archivos que lee el programa: "trigr.chi", "hexagr.chi" y "BINARIO.dat". Rechaza, con
// el archivo y la línea, todo lo que los lectores del programa tratarían mal.

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace hexora::empaquetador {

class ErrorFuente : public std::runtime_error {
public:
    ErrorFuente(const std::string& ruta, int linea, const std::string& problema)
        : std::runtime_error(ruta + (linea > 0 ? ":" + std::to_string(linea) : "") + ": " +
                             problema) {}
};

struct Trigrama {
    std::string nombre;  // Wade-Giles, Windows-1252
    std::string nombre2; // nombre español
    std::string figura;  // tres caracteres "7"/"8", línea inferior primero
};

// Una sección del bloque: su código ("D", "C", "I", "L1"...) y sus registros de texto,
// ya partidos en registros de 80 caracteres como mucho (sin relleno).
struct SeccionFuente {
    std::string codigo;
    std::vector<std::string> registros;
};

struct HexagramaFuente {
    std::string ruta;
    int numero = 0;
    std::string nombre;
    std::string nombre2;
    std::string inferior; // figura del trigrama inferior
    std::string superior;
    bool pendiente = false; // sin textos todavía: lleva el aviso de texto pendiente
    std::vector<SeccionFuente> secciones;
};

struct Paquete {
    std::string trigramas;  // contenido de "trigr.chi"
    std::string hexagramas; // contenido de "hexagr.chi"
    std::string textos;     // contenido de "BINARIO.dat"
    int pendientes = 0;
};

std::vector<Trigrama> leerTrigramas(const std::string& ruta, std::string_view contenido);

HexagramaFuente leerHexagrama(const std::string& ruta, std::string_view contenido,
                              const std::vector<Trigrama>& trigramas);

// Registros de un párrafo: el primero empieza con tres espacios y los siguientes nunca con
// espacio ni con "*". Lanza ErrorFuente si una palabra no cabe en un registro.
std::vector<std::string> partirParrafo(std::string_view parrafo, const std::string& ruta,
                                       int linea);

// Entradas que ocupa el bloque en la memoria de textos con las seis líneas mutantes.
std::size_t entradasConTodasMutantes(const HexagramaFuente& h);

Paquete empaquetar(const std::vector<Trigrama>& trigramas,
                   const std::vector<HexagramaFuente>& hexagramas);

} // namespace hexora::empaquetador
