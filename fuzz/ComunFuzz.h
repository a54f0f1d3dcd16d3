#pragma once
// Apoyo de los objetivos de fuzzing: una carpeta del proceso que hace de carpeta del
// programa (en memoria si hay /dev/shm, para que escribir archivos no frene cada ejecución)
// y una salida ruidosa para lo que el objetivo comprueba por su cuenta.

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz {

// Crea la carpeta la primera vez, la fija como carpeta del programa y la borra al salir.
void prepararCarpeta();

void escribirArchivo(const std::string& nombre, const std::string& contenido);
std::string leerArchivo(const std::string& nombre);

// Una propiedad que no se cumple es un fallo como cualquier otro: aborta y libFuzzer
// guarda la entrada.
[[noreturn]] void fallo(const char* que);
inline void comprobar(bool cierto, const char* que) {
    if (!cierto)
        fallo(que);
}

} // namespace fuzz
