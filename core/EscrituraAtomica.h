#pragma once
// Sustitución segura de un archivo: el contenido nuevo va a un temporal de la misma
// carpeta, se lleva al disco y se renombra sobre el viejo de una vez, y la carpeta se
// sincroniza. Un corte en cualquier momento deja el archivo viejo o el nuevo, nunca uno a
// medias.

#include <filesystem>
#include <string>

namespace hexora {

// Cómo acabó un cambio que sí se hizo: con la carpeta sincronizada, o sin que el sistema
// confirmara que el nombre nuevo ha llegado al disco (el cambio está hecho, pero un corte de
// luz inmediato podría deshacerlo).
enum class Confirmacion { EnDisco, SinConfirmar };

// Lanza ErrorArchivo (con el nombre visible) si algo falla antes de renombrar o si el
// archivo es de solo lectura; el archivo viejo queda intacto y el temporal se borra.
Confirmacion reemplazarArchivo(const std::filesystem::path& destino, const std::string& contenido,
                               const std::string& nombreVisible);

// Borra el archivo; lanza ErrorArchivo si existe y no se puede borrar o es de solo lectura.
Confirmacion borrarArchivo(const std::filesystem::path& ruta, const std::string& nombreVisible);

// Borra el temporal que haya dejado una sustitución interrumpida (un corte entre crearlo y
// renombrarlo). El archivo de destino no se toca: sigue siendo el anterior, entero.
void limpiarTemporal(const std::filesystem::path& destino);

} // namespace hexora
