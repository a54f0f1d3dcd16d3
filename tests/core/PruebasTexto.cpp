#include "core/Cp1252.h"
#include "core/EstadoConsulta.h"

#include <gtest/gtest.h>

using namespace hexora;

// Cada byte va y vuelve sin perderse; las letras españolas y la zona de 80 a 9F se
// traducen a su carácter, y lo que no cabe (o el UTF-8 mal formado: byte suelto,
// secuencia cortada al final, forma demasiado larga) se anuncia y se sustituye.
TEST(Cp1252, IdaYVueltaYLoQueNoCabe) {
    std::string todos;
    for (int b = 0; b < 256; ++b)
        todos += static_cast<char>(b);
    EXPECT_EQ(utf8ACp1252(cp1252AUtf8(todos)).texto, todos);
    EXPECT_EQ(cp1252AUtf8("Espa\xF1"
                          "a \xBFQu\xE9? \x80\x93\x94\x85"),
              "España ¿Qué? €“”…");
    const auto conv = utf8ACp1252("a中b😀c", '_');
    EXPECT_EQ(conv.texto, "a_b_c");
    EXPECT_EQ(conv.noRepresentables, (std::u32string{0x4E2D, 0x1F600}));
    const auto mala = utf8ACp1252("x\xC3y\xE2\x82");
    EXPECT_EQ(mala.texto + std::to_string(mala.noRepresentables.size()), "x?y??3");
    EXPECT_FALSE(utf8ACp1252("\xC0\xAF").completa());
}

// Los signos que no son letras (×, ÷, ß, dígitos) no cambian. Los casos se escriben en
// UTF-8 para que se lean.
TEST(Cp1252, MayusculasYMinusculasConAcentosYEnie) {
    const auto cp = [](const std::string& utf8) { return utf8ACp1252(utf8).texto; };
    EXPECT_EQ(mayusculas(cp("áéíóúñü ÿšœž interpretación ÷ß9")),
              cp("ÁÉÍÓÚÑÜ ŸŠŒŽ INTERPRETACIÓN ÷ß9"));
    EXPECT_EQ(minusculas(cp("ÁÑÜŸ ABC ×ß9")), cp("áñüÿ abc ×ß9"));
}

// Las líneas viejas cambian en el complementario (6 a 7, 9 a 8) y las jóvenes se quedan.
TEST(EstadoConsulta, Complementario) {
    Hexagrama = "96787699";
    CalcularComplementario();
    EXPECT_EQ(Complementario.valor() + Hexagrama.valor(), "877877967876");
    EXPECT_EQ(valorHexagrama(), 967876);
}
