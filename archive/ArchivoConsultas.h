#pragma once
// El archivo de consultas "usuarios.dat": registros de 160 bytes en Windows-1252, sin
// separadores, en orden de usuario. Cada cambio se escribe entero en un temporal que se
// renombra sobre el archivo, de modo que nunca queda a medias.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hexora {

constexpr std::size_t kLongitudConsulta = 160;
inline const std::string kArchivoConsultas = "usuarios.dat";

// Un registro del archivo con sus campos de ancho fijo en el orden del archivo:
// Numero (4), NUL, Usuario (30), NUL, Texto (100), NUL, Lineas (6), NUL, Fecha (10) y
// seis NUL. Los bytes reservados viajan tal cual con el registro.
class RegistroConsulta {
public:
    RegistroConsulta() { bytes_.fill('\0'); }
    static RegistroConsulta desdeBytes(std::string_view bytes);

    std::string_view bytes() const { return {bytes_.data(), bytes_.size()}; }

    std::string_view Numero() const { return campo(0, 4); }
    std::string_view Usuario() const { return campo(5, 30); }
    std::string_view Texto() const { return campo(36, 100); }
    std::string_view Lineas() const { return campo(137, 6); }
    std::string_view Fecha() const { return campo(144, 10); }

    void fijarNumero(std::string_view v) { fijar(0, 4, v); }
    void fijarUsuario(std::string_view v) { fijar(5, 30, v); }
    void fijarTexto(std::string_view v) { fijar(36, 100, v); }
    void fijarLineas(std::string_view v) { fijar(137, 6, v); }
    void fijarFecha(std::string_view v) { fijar(144, 10, v); }

    bool operator==(const RegistroConsulta& otro) const { return bytes_ == otro.bytes_; }

private:
    std::string_view campo(std::size_t inicio, std::size_t ancho) const {
        return {bytes_.data() + inicio, ancho};
    }
    void fijar(std::size_t inicio, std::size_t ancho, std::string_view valor);

    std::array<char, kLongitudConsulta> bytes_;
};

// Los dos búferes de registro del programa: el último leído o escrito, y el auxiliar.
extern RegistroConsulta Registro;
extern RegistroConsulta RegistroAux;

// Todos los registros del archivo; vacío si no existe. Lanza ErrorArchivo si no se puede
// consultar o leer o si su tamaño no es múltiplo de 160 (está dañado).
//
// El archivo está en la carpeta de escritura. Si esa no es la del programa (programa
// instalado en una carpeta sin escritura) y allí aún no hay archivo, se lee el de la carpeta
// del programa: las consultas que ya había no se esconden nunca.
std::vector<RegistroConsulta> leerConsultas();

// Cómo ha ido una grabación o un borrado que se ha hecho.
struct CambioArchivo {
    // false: el cambio está hecho, pero el sistema no ha confirmado que haya llegado al disco.
    bool confirmado = true;
    // No vacía: el archivo de la carpeta del programa, que no admite escritura, se ha copiado
    // con el cambio a esta ruta, donde vive desde ahora.
    std::filesystem::path trasladadoA;
};

// Quita el temporal que haya dejado una grabación o un borrado interrumpidos.
void limpiarArchivoConsultas();

// Fecha "dd/mm/aaaa".
std::string formatearFecha(int dia, int mes, int anio);

// Nombre de usuario tal como se guarda: sin espacios a los lados, en mayúsculas (con
// acentos y eñe) y como mucho 30 caracteres.
std::string normalizarUsuario(std::string_view usuarioCp1252);

// Añade la consulta actual (Pregunta y Hexagrama) a nombre del usuario, ordena el archivo
// por usuario de forma estable y numera todos los registros. Lanza ErrorArchivo si el
// archivo está dañado o no se puede leer o escribir; en ese caso queda como estaba.
CambioArchivo GrabarConsulta(std::string_view usuarioCp1252, std::string_view fecha);

// Ordena por el campo Usuario entero (por código de carácter), estable, y numera.
void OrdenarArchivo(std::vector<RegistroConsulta>& registros);

// Borra el registro de posición indice (desde 0) si sigue siendo el esperado; los demás
// conservan sus bytes, Numero incluido. Borrar el único registro borra el archivo (o lo
// deja vacío si debajo, en la carpeta del programa, hay otro que volvería a verse).
// Devuelve nada si el archivo ya no tiene ese registro en esa posición (cambió).
std::optional<CambioArchivo> EliminarConsulta(std::size_t indice, const RegistroConsulta& esperado);

} // namespace hexora
