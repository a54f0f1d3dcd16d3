#include "core/Cp1252.h"

#include <gtest/gtest.h>

using namespace hexora;

TEST(Cp1252, CadaByteVaYVuelveSinPerderse) {
    std::string todos;
    for (int b = 0; b < 256; ++b)
        todos += static_cast<char>(b);
    const auto conv = utf8ACp1252(cp1252AUtf8(todos));
    EXPECT_TRUE(conv.completa());
    EXPECT_EQ(conv.texto, todos);
}

TEST(Cp1252, LetrasEspanolasYZonaEspecial) {
    EXPECT_EQ(cp1252AUtf8("Espa\xF1"
                          "a \xBF"
                          "Qu\xE9?"),
              "España ¿Qué?");
    EXPECT_EQ(cp1252AUtf8("\x80\x93\x94\x85"), "€“”…");
    EXPECT_EQ(utf8ACp1252("INTERPRETACIÓN").texto, "INTERPRETACI\xD3N");
    EXPECT_EQ(utf8ACp1252("—‘’").texto, "\x97\x91\x92");
    EXPECT_EQ(unicodeACp1252(0x20AC), 0x80);
    EXPECT_EQ(unicodeACp1252(0x0100), std::nullopt); // Ā no está
}

TEST(Cp1252, LoQueNoCabeSeAnunciaYSeSustituye) {
    const auto conv = utf8ACp1252("a中b😀c", '_');
    EXPECT_FALSE(conv.completa());
    EXPECT_EQ(conv.texto, "a_b_c");
    EXPECT_EQ(conv.noRepresentables, (std::u32string{0x4E2D, 0x1F600}));
    // UTF-8 mal formado: byte suelto, secuencia cortada al final y forma demasiado larga.
    const auto mala = utf8ACp1252("x\xC3"
                                  "y\xE2\x82");
    EXPECT_EQ(mala.texto, "x?y??");
    EXPECT_EQ(mala.noRepresentables.size(), 3u);
    EXPECT_FALSE(utf8ACp1252("\xC0\xAF").completa());
}

TEST(Cp1252, MayusculasYMinusculasConAcentosYEnie) {
    EXPECT_EQ(mayusculas("\xE1\xE9\xED\xF3\xFA\xF1\xFC \xFF\x9A\x9C\x9E interpretaci\xF3n"),
              "\xC1\xC9\xCD\xD3\xDA\xD1\xDC \x9F\x8A\x8C\x8E INTERPRETACI\xD3N");
    EXPECT_EQ(minusculas("\xC1\xD1\xDC\x9F ABC"), "\xE1\xF1\xFC\xFF abc");
    // Los signos que no son letras no cambian: ×, ÷, ß, dígitos.
    EXPECT_EQ(mayusculas("\xF7\xDF"
                         "9"),
              "\xF7\xDF"
              "9");
    EXPECT_EQ(minusculas("\xD7\xDF"
                         "9"),
              "\xD7\xDF"
              "9");
}
