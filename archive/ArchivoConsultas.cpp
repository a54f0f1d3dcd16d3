#include "ArchivoConsultas.h"

#include "core/CarpetaPrograma.h"
#include "core/Cp1252.h"
#include "core/ErrorArchivo.h"
#include "core/EscrituraAtomica.h"
#include "core/EstadoConsulta.h"
#include "core/LectorArchivo.h"
#include "core/Texto.h"

#include <algorithm>
#include <cstring>

namespace hexora {

RegistroConsulta Registro;
RegistroConsulta RegistroAux;

RegistroConsulta RegistroConsulta::desdeBytes(std::string_view bytes) {
    RegistroConsulta r;
    std::memcpy(r.bytes_.data(), bytes.data(), std::min(bytes.size(), r.bytes_.size()));
    return r;
}

void RegistroConsulta::fijar(std::size_t inicio, std::size_t ancho, std::string_view valor) {
    valor = valor.substr(0, ancho);
    std::memcpy(bytes_.data() + inicio, valor.data(), valor.size());
    std::fill(bytes_.begin() + static_cast<std::ptrdiff_t>(inicio + valor.size()),
              bytes_.begin() + static_cast<std::ptrdiff_t>(inicio + ancho), ' ');
}

namespace {

struct ArchivoLeido {
    std::vector<RegistroConsulta> registros;
    bool delPrograma = false; // leído de la carpeta del programa, no de la de escritura
};

bool escrituraAparte() {
    return rutaEscritura(kArchivoConsultas) != rutaPrograma(kArchivoConsultas);
}

ArchivoLeido leerArchivo() {
    ArchivoLeido leido;
    auto contenido = leerSiExiste(rutaEscritura(kArchivoConsultas), kArchivoConsultas);
    if (!contenido && escrituraAparte()) {
        contenido = leerSiExiste(rutaPrograma(kArchivoConsultas), kArchivoConsultas);
        leido.delPrograma = contenido.has_value();
    }
    if (!contenido)
        return leido;
    if (contenido->size() % kLongitudConsulta != 0)
        throw ErrorArchivo(kArchivoConsultas,
                           "está dañado: mide " + std::to_string(contenido->size()) +
                               " bytes, que no son un número entero de consultas de 160 bytes. "
                               "No se ha cambiado nada en él.");
    leido.registros.reserve(contenido->size() / kLongitudConsulta);
    for (std::size_t i = 0; i < contenido->size(); i += kLongitudConsulta)
        leido.registros.push_back(RegistroConsulta::desdeBytes(
            std::string_view(*contenido).substr(i, kLongitudConsulta)));
    return leido;
}

CambioArchivo escribirConsultas(const std::vector<RegistroConsulta>& registros, bool delPrograma) {
    std::string contenido;
    contenido.reserve(registros.size() * kLongitudConsulta);
    for (const auto& r : registros)
        contenido += r.bytes();
    const auto destino = rutaEscritura(kArchivoConsultas);
    CambioArchivo cambio;
    cambio.confirmado =
        reemplazarArchivo(destino, contenido, kArchivoConsultas) == Confirmacion::EnDisco;
    if (delPrograma)
        cambio.trasladadoA = destino;
    return cambio;
}

std::string dosCifras(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

} // namespace

std::string formatearFecha(int dia, int mes, int anio) {
    return dosCifras(dia) + "/" + dosCifras(mes) + "/" + std::to_string(anio);
}

std::string normalizarUsuario(std::string_view usuarioCp1252) {
    return mayusculas(recortar(usuarioCp1252)).substr(0, 30);
}

void OrdenarArchivo(std::vector<RegistroConsulta>& registros) {
    // Lo mismo que el intercambio de vecinos estrictamente desordenados, en memoria.
    std::stable_sort(registros.begin(), registros.end(),
                     [](const RegistroConsulta& a, const RegistroConsulta& b) {
                         return std::memcmp(a.Usuario().data(), b.Usuario().data(), 30) < 0;
                     });
    for (std::size_t r = 0; r < registros.size(); ++r) {
        std::string numero = std::to_string(r + 1);
        numero.insert(0, numero.size() < 4 ? 4 - numero.size() : 0, '0');
        registros[r].fijarNumero(numero);
    }
}

std::vector<RegistroConsulta> leerConsultas() { return leerArchivo().registros; }

void limpiarArchivoConsultas() { limpiarTemporal(rutaEscritura(kArchivoConsultas)); }

CambioArchivo GrabarConsulta(std::string_view usuarioCp1252, std::string_view fecha) {
    auto leido = leerArchivo();
    Registro.fijarUsuario(normalizarUsuario(usuarioCp1252));
    Registro.fijarTexto(Pregunta.valor());
    Registro.fijarLineas(Hexagrama.valor());
    Registro.fijarFecha(fecha);
    leido.registros.push_back(Registro);
    OrdenarArchivo(leido.registros);
    return escribirConsultas(leido.registros, leido.delPrograma);
}

std::optional<CambioArchivo> EliminarConsulta(std::size_t indice,
                                              const RegistroConsulta& esperado) {
    auto leido = leerArchivo();
    auto& registros = leido.registros;
    if (indice >= registros.size() || !(registros[indice] == esperado))
        return std::nullopt;
    registros.erase(registros.begin() + static_cast<std::ptrdiff_t>(indice));
    // Sin el archivo de la carpeta de escritura volvería a verse el de la del programa:
    // en ese caso se deja vacío, que es un archivo sin consultas.
    const bool hayOtroDebajo =
        leido.delPrograma ||
        (escrituraAparte() && existeArchivo(rutaPrograma(kArchivoConsultas), kArchivoConsultas));
    if (!registros.empty() || hayOtroDebajo)
        return escribirConsultas(registros, leido.delPrograma);
    CambioArchivo cambio;
    cambio.confirmado =
        borrarArchivo(rutaEscritura(kArchivoConsultas), kArchivoConsultas) == Confirmacion::EnDisco;
    return cambio;
}

} // namespace hexora
