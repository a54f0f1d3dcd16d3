// Archivo de consultas con bytes cualesquiera: se lee, se recorre como la pantalla de
// recuperar, se devuelve una consulta al estado, se graba una nueva y se borra una. Cada
// paso comprueba que no se pierde ni se cambia nada que no deba.

#include "ComunFuzz.h"
#include "archive/ArchivoConsultas.h"
#include "casting/Pregunta.h"
#include "core/Aritmetica.h"
#include "core/ErrorArchivo.h"
#include "core/EstadoConsulta.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace hexora;

namespace {

// Los bytes de cada registro salvo Numero, que grabar y borrar renumeran.
std::vector<std::string> sinNumero(const std::vector<RegistroConsulta>& registros) {
    std::vector<std::string> r;
    for (const auto& c : registros)
        r.emplace_back(c.bytes().substr(4));
    std::sort(r.begin(), r.end());
    return r;
}

bool ordenadoYNumerado(const std::vector<RegistroConsulta>& registros) {
    for (std::size_t i = 0; i < registros.size(); ++i) {
        std::string numero = std::to_string(i + 1);
        numero.insert(0, numero.size() < 4 ? 4 - numero.size() : 0, '0');
        if (registros[i].Numero() != numero.substr(0, 4))
            return false;
        if (i > 0 && registros[i - 1].Usuario() > registros[i].Usuario())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* datos, std::size_t n) {
    fuzz::prepararCarpeta();
    const std::string bytes(reinterpret_cast<const char*>(datos), n);
    fuzz::escribirArchivo(kArchivoConsultas, bytes);
    reiniciarEstadoConsulta();

    std::vector<RegistroConsulta> registros;
    try {
        registros = leerConsultas();
    } catch (const ErrorArchivo&) {
        fuzz::comprobar(n % kLongitudConsulta != 0, "se rechaza un archivo de tamaño correcto");
        // Dañado: ni grabar ni borrar lo tocan.
        Pregunta = "\xBFY ahora?";
        Hexagrama = "777777";
        try {
            GrabarConsulta("FUZZ", "01/01/2000");
            fuzz::fallo("se graba sobre un archivo dañado");
        } catch (const ErrorArchivo&) {
        }
        try {
            EliminarConsulta(0, RegistroConsulta());
            fuzz::fallo("se borra en un archivo dañado");
        } catch (const ErrorArchivo&) {
        }
        fuzz::comprobar(fuzz::leerArchivo(kArchivoConsultas) == bytes, "el archivo dañado cambió");
        return 0;
    }
    fuzz::comprobar(registros.size() * kLongitudConsulta == n, "registros perdidos al leer");

    // Lo que hace el programa con cada consulta que se elige y se devuelve.
    for (const auto& r : registros) {
        const std::string lineas(r.Lineas());
        NumeroHexagrama(lineas);
        Pregunta = r.Texto();
        Hexagrama = r.Lineas();
        CalcularComplementario();
        PreguntaAnterior = Pregunta;
        const std::u32string caja = preguntaACaja(PreguntaAnterior.recortado());
        admitirCambioPregunta(caja, caja + U"x");
        normalizarPregunta(preguntaDeCaja(caja));
    }

    // Grabar añade una y conserva las demás con sus bytes; borrar quita justo una.
    Pregunta = "\xBFY ahora?";
    Hexagrama = "967876";
    const std::string usuario = bytes.substr(0, std::min<std::size_t>(n, 40));
    GrabarConsulta(usuario, "01/01/2000");
    auto despues = leerConsultas();
    fuzz::comprobar(despues.size() == registros.size() + 1, "grabar no añade una consulta");
    fuzz::comprobar(ordenadoYNumerado(despues), "archivo sin ordenar o numerar");
    auto esperado = registros;
    esperado.push_back(Registro);
    fuzz::comprobar(sinNumero(despues) == sinNumero(esperado), "grabar cambia otras consultas");

    const std::size_t indice = n % despues.size();
    fuzz::comprobar(EliminarConsulta(indice, despues[indice]).has_value(), "no se borra la elegida");
    auto quedan = despues;
    quedan.erase(quedan.begin() + static_cast<std::ptrdiff_t>(indice));
    const auto leidas = leerConsultas();
    fuzz::comprobar(leidas.size() == quedan.size(), "borrar no quita justo una");
    for (std::size_t i = 0; i < leidas.size(); ++i)
        fuzz::comprobar(leidas[i] == quedan[i], "borrar cambia otras consultas");
    return 0;
}
