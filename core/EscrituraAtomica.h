#pragma once
// Sustitución segura de un archivo: el contenido nuevo va a un temporal de la misma
// carpeta, se lleva al disco y se renombra sobre el viejo de una vez. Un corte en
// cualquier momento deja el archivo viejo o el nuevo, nunca uno a medias.

#include <filesystem>
#include <functional>
#include <string>

namespace hexora {

enum class PasoEscritura { Crear, Escribir, Sincronizar, Cerrar, Renombrar };

// Lanza ErrorArchivo (con el nombre visible) si algo falla o si el archivo es de solo
// lectura; el archivo viejo queda intacto y el temporal se borra.
void reemplazarArchivo(const std::filesystem::path& destino, const std::string& contenido,
                       const std::string& nombreVisible);

// Borra el archivo; lanza ErrorArchivo si existe y no se puede borrar o es de solo lectura.
void borrarArchivo(const std::filesystem::path& ruta, const std::string& nombreVisible);

// Las pruebas hacen fallar un paso concreto: si la función devuelve true, ese paso falla
// como si el sistema lo hubiera rechazado.
void fijarFalloEscritura(std::function<bool(PasoEscritura)> fallar);

} // namespace hexora
