// main de las pruebas de pantallas: sin pantalla disponible se usa la plataforma
// "offscreen", también cuando gtest_discover_tests lanza el programa al compilar. Sin
// sesión, la carpeta de ejecución privada, como en el programa, para que Qt no avise.

#include "platform/AplicacionSegura.h"
#include "platform/CarpetaEjecucion.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (const std::string fallo = hexora::fijarCarpetaEjecucion(); !fallo.empty())
        std::cerr << fallo << '\n';
    hexora::AplicacionSegura aplicacion(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
