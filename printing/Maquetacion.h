#pragma once
// Pasada de maquetación del informe: une las entradas de BufferTexto en párrafos, los parte
// en líneas que caben entre el margen y el límite derecho (midiendo carácter a carácter en
// una superficie de medida con la letra de la impresora), divide las palabras por sílabas
// con un guion, sangra la primera línea de cada párrafo y marca las cabeceras de sección.

#include "core/Superficies.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace hexora {

// La letra que el usuario eligió por última vez; dura lo que dura el programa.
extern Fuente FuenteTexto;

constexpr const char* kMarcaCabecera = "*n*";
constexpr const char* kArchivoIntermedio = "inter.tmp";

// ¿Es el texto (un carácter) una vocal, acentuada o no, en cualquier caja? La "y" y la "ü",
// no.
bool EsVocal(std::string_view c);

// Dónde se puede partir una palabra (Windows-1252, sin espacios) con un guion a final de
// línea: el elemento k dice si se puede partir tras el carácter k. Hace falta que lo
// permitan la regla del programa (consonante seguida de vocal, sin separar los once pares
// ni tocar la puntuación) y la silabación española.
std::vector<bool> CortesPermitidos(std::string_view palabra);

// Recorre BufferTexto hasta su "**" y entrega cada línea terminada, sin fin de línea.
// Ninguna línea pasa del límite salvo un carácter solo más ancho que toda la línea.
void MaquetarTexto(SuperficieMedida& medida, const Fuente& fuente, double margen, double limite,
                   const std::function<void(const std::string&)>& escribir);

// Igual, pero crea de nuevo el archivo de la ruta con una línea por entrega (CR LF).
// Lanza FalloImpresion si no se puede crear o escribir.
void MaquetarArchivo(SuperficieMedida& medida, const Fuente& fuente, double margen, double limite,
                     const std::filesystem::path& ruta);

// Parte un texto de una línea (la pregunta, un rótulo) en renglones que caben en el ancho,
// con los mismos cortes que el cuerpo; medir da lo que ocupa un texto. Sin espacios al
// final de cada renglón; un texto vacío da un renglón vacío.
std::vector<std::string> PartirTexto(std::string_view texto, double ancho,
                                     const std::function<double(std::string_view)>& medir);

} // namespace hexora
