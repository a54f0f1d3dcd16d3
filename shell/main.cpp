// Arranque provisional en modo texto: carga los datos de la carpeta del programa y avisa
// de que la ventana principal todavía no está construida.

#include "core/CarpetaPrograma.h"
#include "core/ErrorArchivo.h"
#include "core/Tablas.h"
#include "core/Texto.h"

#include <filesystem>
#include <iostream>

int main() {
    hexora::fijarCarpetaPrograma(std::filesystem::canonical("/proc/self/exe").parent_path());
    try {
        hexora::CargarTablas();
    } catch (const hexora::ErrorArchivo& e) {
        std::cerr << "HEXORA: " << e.what() << '\n';
        return 1;
    }
    std::cout << "HEXORA: tablas cargadas (" << hexora::TablaHexagramas[64][1]
              << " hexagramas). La ventana principal aún no está construida.\n";
    return 0;
}
