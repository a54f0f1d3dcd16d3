#include "CarpetaTemporal.h"
#include "core/ErrorArchivo.h"
#include "core/EscrituraAtomica.h"
#include "core/LlamadasSistema.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace hexora;

// Reemplazar un archivo: el temporal se escribe, se lleva al disco y se cierra antes de
// ponerlo en su sitio, y después se lleva al disco la carpeta. Si falla cualquiera de esos
// pasos, el archivo anterior queda entero.
TEST(EscrituraAtomica, OrdenDeLasLlamadasYFalloEnCadaUna) {
    CarpetaTemporal carpeta;
    const auto ruta = carpeta.ruta() / "usuarios.dat";
    carpeta.escribir("usuarios.dat", "anterior");
    std::vector<Llamada> hechas;
    fijarFalloSistema([&](Llamada l) { return hechas.push_back(l), 0; });
    EXPECT_EQ(reemplazarArchivo(ruta, "nuevo", "usuarios.dat"), Confirmacion::EnDisco);
    const std::vector<Llamada> esperadas = {
        Llamada::Stat,      Llamada::Borrar,      Llamada::Crear,
        Llamada::Escribir,  Llamada::Sincronizar, Llamada::Cerrar,
        Llamada::Renombrar, Llamada::Abrir,       Llamada::SincronizarCarpeta,
        Llamada::Cerrar};
    EXPECT_EQ(hechas, esperadas);
    for (Llamada l :
         {Llamada::Crear, Llamada::Escribir, Llamada::Sincronizar, Llamada::Renombrar}) {
        fijarFalloSistema([l](Llamada x) { return x == l ? EIO : 0; });
        EXPECT_THROW(reemplazarArchivo(ruta, "otro", "usuarios.dat"), ErrorArchivo);
        std::ostringstream leido;
        leido << std::ifstream(ruta).rdbuf();
        EXPECT_EQ(leido.str(), "nuevo") << static_cast<int>(l);
        EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "usuarios.dat.nuevo"));
    }
    fijarFalloSistema({});
}
