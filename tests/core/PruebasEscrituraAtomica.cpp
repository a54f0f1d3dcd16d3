#include "CarpetaTemporal.h"
#include "core/EscrituraAtomica.h"
#include "core/LlamadasSistema.h"

#include <gtest/gtest.h>

using namespace hexora;

// Reemplazar un archivo: el temporal se escribe, se lleva al disco y se cierra antes de
// ponerlo en su sitio, y después se lleva al disco la carpeta. Qué queda si falla cada paso
// lo prueba el archivo de consultas (FallosDelSistema).
TEST(EscrituraAtomica, OrdenDeLasLlamadas) {
    CarpetaTemporal carpeta;
    carpeta.escribir("usuarios.dat", "anterior");
    std::vector<Llamada> hechas;
    fijarFalloSistema([&](Llamada l) { return hechas.push_back(l), 0; });
    EXPECT_EQ(reemplazarArchivo(carpeta.ruta() / "usuarios.dat", "nuevo", "usuarios.dat"),
              Confirmacion::EnDisco);
    fijarFalloSistema({});
    const std::vector<Llamada> esperadas = {
        Llamada::Stat,      Llamada::Borrar,      Llamada::Crear,
        Llamada::Escribir,  Llamada::Sincronizar, Llamada::Cerrar,
        Llamada::Renombrar, Llamada::Abrir,       Llamada::SincronizarCarpeta,
        Llamada::Cerrar};
    EXPECT_EQ(hechas, esperadas);
}
