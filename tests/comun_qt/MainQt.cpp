// main de las pruebas de pantallas: sin pantalla disponible se usa la plataforma
// "offscreen", también cuando gtest_discover_tests lanza el programa al compilar.

#include "platform/AplicacionSegura.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    hexora::AplicacionSegura aplicacion(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
