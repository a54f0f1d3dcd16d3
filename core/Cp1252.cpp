#include "Cp1252.h"

#include <array>

namespace hexora {

namespace {

// Bytes 0x80 a 0x9F; el resto coincide con Latin-1.
constexpr std::array<char32_t, 32> kZonaEspecial = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

unsigned char byteDe(char c) { return static_cast<unsigned char>(c); }

} // namespace

char32_t cp1252AUnicode(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return kZonaEspecial[byte - 0x80];
    return byte;
}

std::optional<unsigned char> unicodeACp1252(char32_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (std::size_t i = 0; i < kZonaEspecial.size(); ++i) {
        if (kZonaEspecial[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

std::string codigoAUtf8(char32_t c) {
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

std::string cp1252AUtf8(std::string_view texto) {
    std::string s;
    s.reserve(texto.size());
    for (char c : texto)
        s += codigoAUtf8(cp1252AUnicode(byteDe(c)));
    return s;
}

namespace {

// Lee un carácter UTF-8 desde i y avanza; una secuencia mal formada da U+FFFD y avanza
// un solo byte, para no perder el carácter siguiente.
char32_t leerUtf8(std::string_view s, std::size_t& i) {
    const unsigned char b = byteDe(s[i]);
    int resto = 0;
    char32_t c = 0;
    char32_t minimo = 0;
    if (b < 0x80) {
        ++i;
        return b;
    } else if ((b & 0xE0) == 0xC0) {
        resto = 1, c = b & 0x1F, minimo = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        resto = 2, c = b & 0x0F, minimo = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        resto = 3, c = b & 0x07, minimo = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + resto >= s.size()) { // secuencia cortada al final
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= resto; ++k) {
        const unsigned char sig = byteDe(s[i + k]);
        if ((sig & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        c = (c << 6) | (sig & 0x3F);
    }
    if (c < minimo || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += resto + 1;
    return c;
}

} // namespace

ConversionCp1252 utf8ACp1252(std::string_view utf8, char sustituto) {
    ConversionCp1252 r;
    r.texto.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const char32_t c = leerUtf8(utf8, i);
        const auto b = c == 0xFFFD ? std::nullopt : unicodeACp1252(c);
        if (b) {
            r.texto += static_cast<char>(*b);
        } else {
            r.texto += sustituto;
            r.noRepresentables += c;
        }
    }
    return r;
}

char mayuscula(char c) {
    const unsigned char b = byteDe(c);
    if (b >= 'a' && b <= 'z')
        return static_cast<char>(b - 0x20);
    if (b >= 0xE0 && b <= 0xFE && b != 0xF7)
        return static_cast<char>(b - 0x20);
    switch (b) {
    case 0x9A: return static_cast<char>(0x8A); // š
    case 0x9C: return static_cast<char>(0x8C); // œ
    case 0x9E: return static_cast<char>(0x8E); // ž
    case 0xFF: return static_cast<char>(0x9F); // ÿ
    default: return c;
    }
}

char minuscula(char c) {
    const unsigned char b = byteDe(c);
    if (b >= 'A' && b <= 'Z')
        return static_cast<char>(b + 0x20);
    if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
        return static_cast<char>(b + 0x20);
    switch (b) {
    case 0x8A: return static_cast<char>(0x9A);
    case 0x8C: return static_cast<char>(0x9C);
    case 0x8E: return static_cast<char>(0x9E);
    case 0x9F: return static_cast<char>(0xFF);
    default: return c;
    }
}

std::string mayusculas(std::string_view texto) {
    std::string s(texto);
    for (char& c : s)
        c = mayuscula(c);
    return s;
}

std::string minusculas(std::string_view texto) {
    std::string s(texto);
    for (char& c : s)
        c = minuscula(c);
    return s;
}

} // namespace hexora
