#include "core/EstadoConsulta.h"
#include "core/Texto.h"

#include <gtest/gtest.h>

using namespace hexora;

TEST(TextoFijo, RellenaCortaYRecorta) {
    TextoFijo<6> t{"7878"};
    EXPECT_EQ(t.valor(), "7878  ");
    t = "78787899";
    EXPECT_EQ(t.valor(), "787878");
    TextoFijo<100> pregunta{"  ¿Qué? "};
    EXPECT_EQ(pregunta.valor().size(), 100u);
    EXPECT_EQ(pregunta.recortado(), "¿Qué?");
}

// Las líneas viejas cambian (6 a 7, 9 a 8) y las jóvenes se quedan; una figura a medias da
// un complementario a medias.
TEST(EstadoConsulta, ComplementarioYValorDeLaFigura) {
    Hexagrama = "967876";
    CalcularComplementario();
    EXPECT_EQ(Complementario.valor() + Hexagrama.valor(), "877877967876");
    EXPECT_EQ(valorHexagrama(), 967876);
    Hexagrama = "9966";
    CalcularComplementario();
    EXPECT_EQ(Complementario.valor(), "8877  ");
}

TEST(Texto, ValorNumericoInicial) {
    EXPECT_EQ(valorEntero(""), 0);
    EXPECT_EQ(valorEntero("  481abc"), 481);
    EXPECT_EQ(valorEntero("-12"), -12);
    EXPECT_EQ(valorEntero("+7"), 7);
    EXPECT_EQ(valorEntero("x12"), 0);
    EXPECT_GT(valorEntero("99999999999999999999999999"), 0); // satura, no desborda
    EXPECT_DOUBLE_EQ(valorDecimal(" 2.5x"), 2.5);
    EXPECT_DOUBLE_EQ(valorDecimal("-0.25"), -0.25);
    EXPECT_DOUBLE_EQ(valorDecimal("."), 0.0);
}
