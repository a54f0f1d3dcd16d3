#pragma once
// Juego de caracteres Windows-1252 (Europa occidental), con tabla propia: es el de los
// archivos de datos y del archivo de consultas, un byte por carácter.

#include <optional>
#include <string>
#include <string_view>

namespace hexora {

// Carácter Unicode de un byte. Los cinco bytes sin asignar (81, 8D, 8F, 90, 9D) pasan
// como los controles C1 del mismo número, para que ningún byte se pierda al ida y vuelta.
char32_t cp1252AUnicode(unsigned char byte);

// Byte de un carácter Unicode, o nada si Windows-1252 no lo tiene.
std::optional<unsigned char> unicodeACp1252(char32_t c);

std::string cp1252AUtf8(std::string_view texto);

// Resultado de pasar texto UTF-8 a Windows-1252. Los caracteres que no caben (y las
// secuencias UTF-8 mal formadas, como U+FFFD) se anotan en noRepresentables y se
// sustituyen en el texto; quien llama decide si rechaza el texto o avisa del cambio.
struct ConversionCp1252 {
    std::string texto;
    std::u32string noRepresentables;
    bool completa() const { return noRepresentables.empty(); }
};
ConversionCp1252 utf8ACp1252(std::string_view utf8, char sustituto = '?');

// Mayúsculas y minúsculas que conocen las letras acentuadas y la eñe.
char mayuscula(char c);
char minuscula(char c);
std::string mayusculas(std::string_view texto);
std::string minusculas(std::string_view texto);

// Texto UTF-8 de un carácter Unicode (para mensajes).
std::string codigoAUtf8(char32_t c);

} // namespace hexora
