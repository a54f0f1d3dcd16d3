#pragma once
// El informe impreso de un hexagrama: cabecera con la pregunta, la figura dibujada con sus
// trigramas y todo el texto de BufferTexto maquetado. Un documento por llamada.

#include "Maquetacion.h"
#include "core/Superficies.h"

#include <array>
#include <filesystem>
#include <functional>
#include <string>

namespace hexora {

// Lo que la pantalla de impresión ha preparado; los textos, en Windows-1252.
struct DatosInforme {
    std::string pregunta;                 // se imprime sin espacios a los lados
    std::string rotulo;                   // "HEXAGRAMA PRINCIPAL" o "HEXAGRAMA COMPLEMENTARIO"
    std::array<char, 6> lineas{};         // valor de cada línea, la 0 abajo
    std::array<std::string, 2> trigramas; // 0 el superior, 1 el inferior
    std::array<std::string, 2> titulos;   // 0 número y nombre, 1 segundo nombre
};

// Aviso de un fallo al usuario: texto (UTF-8) y si ofrece Anular, Reintentar y Omitir o
// solo Aceptar.
struct AvisoFallo {
    std::string texto;
    bool conOpciones;
};
constexpr const char* kTituloFalloImpresion = "ATENCION...";

enum class RespuestaFallo { Anular, Reintentar, Omitir, Aceptar };
using ManejadorFallos = std::function<RespuestaFallo(const AvisoFallo&)>;

enum class FinImpresion {
    Terminado,  // el documento salió entero
    Anulado,    // el usuario anuló: el documento se canceló y la pantalla se oculta
    Abandonado, // el usuario aceptó el error, o falló el final del documento
};

// Medidas de la figura, en twips desde la esquina de la zona de dibujo (las del texto,
// en Superficies.h).
constexpr double kFiguraInicio = 1350; // y desde la que se cuentan las líneas
constexpr double kPasoLinea = 200;
constexpr double kHuecoTrigramas = 150; // de más, entre la línea 3 y la 4
constexpr double kAltoBarra = 100;
constexpr double kAnchoFigura = 1500;
constexpr double kBarraPartida = 600; // cada mitad de una línea yin; el hueco es de 300
constexpr double kColumnaTrigramas = 2500;
constexpr double kRadioMarca = 70;

// Imprime el informe. Cada fallo se ofrece al manejador, que decide si se repite el paso,
// se sigue con el siguiente o se deja el informe. Tras un documento terminado borra el
// archivo intermedio de la maquetación.
FinImpresion Imprimir(const DatosInforme& datos, SuperficieImpresora& impresora,
                      SuperficieMedida& medida, const ManejadorFallos& manejador,
                      const std::filesystem::path& intermedio);

} // namespace hexora
