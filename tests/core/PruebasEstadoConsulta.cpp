#include "core/EstadoConsulta.h"
#include "core/Texto.h"

#include <gtest/gtest.h>

using namespace hexora;

TEST(TextoFijo, RellenaCortaYRecorta) {
    TextoFijo<6> t{"7878"};
    EXPECT_EQ(t.valor(), "7878  ");
    t = "78787899";
    EXPECT_EQ(t.valor(), "787878");
    t = "";
    EXPECT_EQ(t.valor(), "      ");
    TextoFijo<100> pregunta{"  ¿Qué? "};
    EXPECT_EQ(pregunta.valor().size(), 100u);
    EXPECT_EQ(pregunta.recortado(), "¿Qué?");
    TextoFijo<2> r{"SI"};
    EXPECT_TRUE(r == "SI");
    EXPECT_TRUE(r != "NO");
}

TEST(EstadoConsulta, ValorNumericoDeHexagrama) {
    reiniciarEstadoConsulta();
    EXPECT_EQ(valorHexagrama(), 0); // nada aceptado todavía
    EXPECT_EQ(SaltoLinea.valor(), "\r\n");
    EXPECT_EQ(PreguntaAnterior.valor(), std::string(100, ' '));
    EXPECT_NE(Resultado, "SI");
    EXPECT_NE(Resultado, "NO");
    Hexagrama = "7896";
    EXPECT_EQ(Hexagrama.valor(), "7896  ");
    EXPECT_EQ(valorHexagrama(), 7896);
    Hexagrama = "967876";
    EXPECT_EQ(valorHexagrama(), 967876);
}

TEST(EstadoConsulta, CalcularComplementario) {
    reiniciarEstadoConsulta();
    Hexagrama = "967876";
    CalcularComplementario();
    EXPECT_EQ(Complementario.valor(), "877877");
    EXPECT_EQ(Hexagrama.valor(), "967876"); // no se toca

    Hexagrama = "787878";
    CalcularComplementario();
    EXPECT_EQ(Complementario, Hexagrama.valor());

    Hexagrama = "9966";
    CalcularComplementario();
    EXPECT_EQ(Complementario.valor(), "8877  ");
}

TEST(Texto, ValorNumericoInicial) {
    EXPECT_EQ(valorEntero(""), 0);
    EXPECT_EQ(valorEntero("   "), 0);
    EXPECT_EQ(valorEntero("  481abc"), 481);
    EXPECT_EQ(valorEntero("-12"), -12);
    EXPECT_EQ(valorEntero("+7"), 7);
    EXPECT_EQ(valorEntero("x12"), 0);
    EXPECT_GT(valorEntero("99999999999999999999999999"), 0); // satura, no desborda
    EXPECT_DOUBLE_EQ(valorDecimal(" 2.5x"), 2.5);
    EXPECT_DOUBLE_EQ(valorDecimal("-0.25"), -0.25);
    EXPECT_DOUBLE_EQ(valorDecimal("."), 0.0);
}
