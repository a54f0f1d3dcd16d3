#pragma once
// Las llamadas al sistema con que la lógica lee y escribe sus archivos. Pasan todas por aquí
// para que las pruebas puedan hacer fallar (o cortar) cualquiera de ellas, y para dar la
// causa de un fallo en palabras.

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace hexora {

enum class Llamada {
    Stat,
    Abrir,
    Leer,
    Crear,
    Escribir,
    Sincronizar,
    Cerrar,
    Renombrar,
    SincronizarCarpeta,
    Borrar
};

// Antes de cada llamada se pregunta a esta función: un código errno distinto de 0 hace que
// la llamada falle con él sin llegar al sistema. Vacía: ninguna falla.
void fijarFalloSistema(std::function<int(Llamada)> fallo);

// La causa de un error del sistema en palabras, con su número entre paréntesis.
std::string causaError(int error);

namespace sistema {
int estado(const std::filesystem::path& ruta, struct stat& datos);
// Llamada::Abrir para leer; Llamada::Crear para crear un archivo nuevo.
int abrir(const std::filesystem::path& ruta, int banderas, Llamada paso = Llamada::Abrir);
// Lee en la posición dada; repite si una señal interrumpe la lectura.
ssize_t leerEn(int fd, char* destino, std::size_t n, off_t posicion);
// Escribe todo o falla (-1 con errno).
int escribirTodo(int fd, const char* datos, std::size_t n);
int sincronizar(int fd, Llamada paso = Llamada::Sincronizar);
int cerrar(int fd);
int renombrar(const std::filesystem::path& origen, const std::filesystem::path& destino);
int borrar(const std::filesystem::path& ruta);
} // namespace sistema

} // namespace hexora
