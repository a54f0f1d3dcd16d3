#include "ArchivoConsultas.h"

#include "core/CarpetaPrograma.h"
#include "core/Cp1252.h"
#include "core/ErrorArchivo.h"
#include "core/EscrituraAtomica.h"
#include "core/EstadoConsulta.h"
#include "core/Texto.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

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

std::vector<RegistroConsulta> leerConsultas() {
    const auto ruta = rutaEscritura(kArchivoConsultas);
    std::error_code ec;
    if (!std::filesystem::exists(ruta, ec))
        return {};
    std::ifstream f(ruta, std::ios::binary);
    if (!f)
        throw ErrorArchivo(kArchivoConsultas, "no se puede abrir para leer (¿permisos?).");
    const std::string contenido{std::istreambuf_iterator<char>(f),
                                std::istreambuf_iterator<char>()};
    if (f.bad())
        throw ErrorArchivo(kArchivoConsultas, "no se puede leer.");
    if (contenido.size() % kLongitudConsulta != 0)
        throw ErrorArchivo(kArchivoConsultas,
                           "está dañado: mide " + std::to_string(contenido.size()) +
                               " bytes, que no son un número entero de consultas de 160 bytes. "
                               "No se ha cambiado nada en él.");
    std::vector<RegistroConsulta> registros;
    registros.reserve(contenido.size() / kLongitudConsulta);
    for (std::size_t i = 0; i < contenido.size(); i += kLongitudConsulta)
        registros.push_back(
            RegistroConsulta::desdeBytes(std::string_view(contenido).substr(i, kLongitudConsulta)));
    return registros;
}

namespace {

void escribirConsultas(const std::vector<RegistroConsulta>& registros) {
    std::string contenido;
    contenido.reserve(registros.size() * kLongitudConsulta);
    for (const auto& r : registros)
        contenido += r.bytes();
    reemplazarArchivo(rutaEscritura(kArchivoConsultas), contenido, kArchivoConsultas);
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

void GrabarConsulta(std::string_view usuarioCp1252, std::string_view fecha) {
    auto registros = leerConsultas();
    Registro.fijarUsuario(normalizarUsuario(usuarioCp1252));
    Registro.fijarTexto(Pregunta.valor());
    Registro.fijarLineas(Hexagrama.valor());
    Registro.fijarFecha(fecha);
    registros.push_back(Registro);
    OrdenarArchivo(registros);
    escribirConsultas(registros);
}

bool EliminarConsulta(std::size_t indice, const RegistroConsulta& esperado) {
    auto registros = leerConsultas();
    if (indice >= registros.size() || !(registros[indice] == esperado))
        return false;
    registros.erase(registros.begin() + static_cast<std::ptrdiff_t>(indice));
    if (registros.empty())
        borrarArchivo(rutaEscritura(kArchivoConsultas), kArchivoConsultas);
    else
        escribirConsultas(registros);
    return true;
}

} // namespace hexora
