#include "core/Aritmetica.h"
#include "core/Tablas.h"

#include <gtest/gtest.h>

using namespace hexora;

namespace {

class Aritmetica : public ::testing::Test {
protected:
    void SetUp() override {
        vaciarTablas();
        // Filas de prueba: 1 = 777/777, 2 = 888/888, 3 = 878/788 (línea inferior primero).
        TablaHexagramas[1] = {"", "1", "777", "777", "Ch'ien", "Cielo", "1"};
        TablaHexagramas[2] = {"", "2", "888", "888", "K'un", "Tierra", "161"};
        TablaHexagramas[3] = {"", " 3", "878", "788", "Chun", "Brote", "321"};
        TablaTrigramas[1] = {"",    "Ch'ien", "El Cielo", "777", "779", "797",
                             "799", "977",    "979",      "997", "999"};
        TablaTrigramas[2] = {"", "Li", "El Fuego", "787", "796", "", "", "", "", "", ""};
        TablaTrigramas[8] = {"", "Tui", "El Lago", "778", "", "", "", "", "", "", ""};
    }
    void TearDown() override { vaciarTablas(); }
};

} // namespace

TEST_F(Aritmetica, LasLineasViejasBuscanComoJovenes) {
    for (const char* figura : {"777777", "999999", "797979"}) {
        EXPECT_EQ(NumeroHexagrama(figura), 1) << figura;
        EXPECT_EQ(PosicionHexagrama(figura), "1") << figura;
    }
    EXPECT_EQ(NumeroHexagrama("686868"), 2);
    // Inferior 788 (caracteres 1 a 3) y superior 878 (4 a 6).
    EXPECT_EQ(NumeroHexagrama("788878"), 3);
    EXPECT_EQ(NumeroHexagrama("968676"), 3);
    EXPECT_EQ(NumeroHexagrama("878788"), 0);
}

// Sin coincidencia, cero y posición vacía; ante dos filas iguales gana la última.
TEST_F(Aritmetica, SinCoincidenciaOFilasRepetidas) {
    for (const char* figura : {"", "7777", "77777 ", "777x77", "      "})
        EXPECT_EQ(std::to_string(NumeroHexagrama(figura)) + PosicionHexagrama(figura), "0")
            << figura;
    TablaHexagramas[40] = {"", "40", "777", "777", "Repetido", "", "999"};
    EXPECT_EQ(NumeroHexagrama("777777"), 40);
    EXPECT_EQ(PosicionHexagrama("999777"), "999");
}

// El número de la tabla se lee como el sistema: espacios delante, redondeo al par más
// próximo y cero si no cabe en 16 bits.
TEST_F(Aritmetica, ElNumeroSeRedondeaAlParMasProximo) {
    std::string vistos;
    for (const char* campo : {"2.5", "3.5", "3.49", "  12", "12abc", "abc", "", "99999"}) {
        TablaHexagramas[1][1] = campo;
        vistos += std::to_string(NumeroHexagrama("777777")) + " ";
    }
    EXPECT_EQ(vistos, "2 4 3 12 12 0 0 0 ");
}

// Las pantallas toman los nombres de la fila del número; uno que no es de ninguna fila (una
// tabla dañada) da la fila vacía y nunca se sale de la tabla.
TEST_F(Aritmetica, FilaDelNumeroDeHexagrama) {
    EXPECT_EQ(filaHexagrama(NumeroHexagrama("788878"))[4], "Chun");
    TablaHexagramas[64] = {"", "64", "787", "878", "Wei Chi", "", "9"};
    for (const char* campo : {"65", "981", "-3", "0"}) {
        TablaHexagramas[1][1] = campo;
        EXPECT_EQ(&filaHexagrama(NumeroHexagrama("777777")), &TablaHexagramas[0]) << campo;
    }
    EXPECT_EQ(&filaHexagrama(64), &TablaHexagramas[64]);
}

TEST_F(Aritmetica, NombreTrigrama) {
    EXPECT_EQ(NombreTrigrama("796"), "Li, El Fuego");
    EXPECT_EQ(NombreTrigrama("999"), "Ch'ien, El Cielo");
    EXPECT_EQ(NombreTrigrama("785"), "Tui, El Lago"); // ningún código: la fila 8
    EXPECT_EQ(NombreTrigrama("79"), "Tui, El Lago");
    // Ante dos filas con el mismo código gana la primera.
    TablaTrigramas[3] = {"", "Otro", "Repetido", "787", "", "", "", "", "", "", ""};
    EXPECT_EQ(NombreTrigrama("787"), "Li, El Fuego");
}
