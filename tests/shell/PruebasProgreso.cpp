#include "shell/Progreso.h"

#include "core/Texto.h"

#include <gtest/gtest.h>

using namespace hexora;

TEST(Progreso, OchoPasosNuncaPasanDe100) {
    for (double azar : {0.0, 0.49, 0.5, 0.999}) {
        Progreso p;
        EXPECT_EQ(p.titulo, "0%");
        for (int paso = 1; paso <= 8; ++paso) {
            avanzarProgreso(p, azar);
            EXPECT_DOUBLE_EQ(p.anchoTwips, 375 + 852.0 * paso);
            EXPECT_LE(valorEntero(p.titulo), 100);
        }
        EXPECT_DOUBLE_EQ(p.anchoTwips, 7191); // dentro de la pista de 7335
        EXPECT_LE(p.anchoTwips, 7335);
        EXPECT_EQ(p.titulo, azar < 0.5 ? " 96% " : "100");
    }
    Progreso p;
    avanzarProgreso(p, 0.2);
    EXPECT_EQ(p.titulo, " 12% ");
    avanzarProgreso(p, 0.7);
    EXPECT_EQ(p.titulo, " 25% ");
}
