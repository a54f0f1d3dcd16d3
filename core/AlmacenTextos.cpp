#include "AlmacenTextos.h"

#include "Aritmetica.h"
#include "CarpetaPrograma.h"
#include "Cp1252.h"
#include "ErrorArchivo.h"
#include "Eventos.h"
#include "LectorArchivo.h"
#include "Texto.h"

namespace hexora {

std::array<TextoFijo<kLongitudRegistro>, kEntradasBuffer + 1> BufferTexto;

namespace {

const std::string kArchivoTextos = "BINARIO.dat";
const std::string kInterpretacion = mayusculas("INTERPRETACI\xD3N");

// ¿Empieza el texto, sin espacios delante, por "INTERPRETACIÓN" en cualquier caja?
bool empiezaPorInterpretacion(std::string_view l) {
    const std::string_view t = recortar(l);
    if (t.size() < kInterpretacion.size())
        return false;
    for (std::size_t k = 0; k < kInterpretacion.size(); ++k) {
        if (mayuscula(t[k]) != kInterpretacion[k])
            return false;
    }
    return true;
}

bool esCabeceraLinea(std::string_view registro) {
    return registro.size() >= 2 && registro[0] == '*' && mayuscula(registro[1]) == 'L';
}

class LectorRegistros {
public:
    explicit LectorRegistros(std::uint64_t posicion)
        : archivo_(kArchivoTextos), posicion_(posicion) {}

    // Lee el registro de la posición actual; false si el archivo no llega a completarlo.
    bool leer(std::string& registro) {
        registro.assign(kLongitudRegistro, ' ');
        return archivo_.leer(posicion_, registro.data(), kLongitudRegistro) == kLongitudRegistro;
    }

    void avanzar() { posicion_ += kLongitudRegistro; }

private:
    ArchivoPosicional archivo_;
    std::uint64_t posicion_;
};

[[noreturn]] void fallarCarga(std::size_t entrada, const std::string& problema) {
    BufferTexto[entrada] = "**";
    throw ErrorArchivo(kArchivoTextos, problema);
}

} // namespace

void CargarBuffer(std::string_view lineas, const std::function<void(int)>& informar) {
    const std::string posicion = PosicionHexagrama(lineas);
    const std::string figura = cp1252AUtf8(lineas);
    if (posicion.empty())
        throw ErrorArchivo("hexagr.chi", "no contiene la figura \"" + figura + "\".");
    const long long p = valorEntero(posicion);
    if (p <= 0)
        throw ErrorArchivo("hexagr.chi", "da una posición de texto no válida (\"" + posicion +
                                             "\") para la figura \"" + figura + "\".");

    // Las posiciones cuentan desde 1 y el registro de la posición P no se lee.
    LectorRegistros archivo(static_cast<std::uint64_t>(p - 1 + kLongitudRegistro));
    const auto incompleto = [&] {
        return "se acaba antes del final del texto que empieza en la posición " + posicion + ".";
    };
    std::string registro;
    // Un fallo al leer también cierra el búfer donde se quedó, como un archivo corto.
    const auto leer = [&](std::size_t entrada) {
        try {
            if (!archivo.leer(registro))
                fallarCarga(entrada, incompleto());
        } catch (const ErrorArchivo&) {
            BufferTexto[entrada] = "**";
            throw;
        }
    };
    std::size_t i = 1;
    leer(i);
    for (;;) {
        BufferTexto[i] = recortarDerecha(registro);
        if (esCabeceraLinea(BufferTexto[i])) {
            const long long k = valorEntero(BufferTexto[i].valor().substr(2));
            if (k < 1 || k > 6 || static_cast<std::size_t>(k) > lineas.size())
                fallarCarga(i, "tiene una cabecera de línea no válida (\"" +
                                   cp1252AUtf8(recortar(BufferTexto[i])) +
                                   "\") en el texto que empieza en la posición " + posicion + ".");
            const char c = lineas[static_cast<std::size_t>(k - 1)];
            if (c != '7' && c != '8') {
                if (informar)
                    informar(static_cast<int>(k));
            } else if (k == 6) {
                BufferTexto[i] = "**";
                return;
            } else {
                // Línea fija: se salta su sección hasta la cabecera de línea siguiente, que
                // ocupa la misma entrada.
                do {
                    archivo.avanzar();
                    leer(i);
                } while (!esCabeceraLinea(registro));
                continue;
            }
        }
        archivo.avanzar();
        if (registro.compare(0, 2, "**") == 0) {
            // Lo que siga a "**" no cuenta: la extracción y la maquetación paran en "**"
            // exacto y, sin él, seguirían por los restos de una carga anterior.
            BufferTexto[i] = "**";
            return;
        }
        if (++i > kEntradasBuffer)
            fallarCarga(kEntradasBuffer, "tiene un texto demasiado largo para la memoria de "
                                         "textos en la posición " +
                                             posicion + ".");
        leer(i);
    }
}

Seccion ExtraerSeccion(std::string_view codigo) {
    const std::string marca = "*" + std::string(codigo);
    const bool esLinea = marca.size() >= 2 && marca[1] == 'L';
    Seccion resultado;
    bool copiando = false;
    int parte = 0;
    for (std::size_t i = 1; i <= kEntradasBuffer; ++i) {
        const std::string_view l = recortarDerecha(BufferTexto[i]);
        if (l == "**")
            break;
        if (copiando) {
            if (!l.empty() && l[0] == '*')
                break;
            if (esLinea && empiezaPorInterpretacion(l))
                parte = 1;
            std::string& destino = parte == 0 ? resultado.texto : resultado.interpretacion;
            if (!recortar(destino).empty())
                destino += l.substr(0, 3) == "   " ? "\r\n\r\n" : " ";
            destino += l;
        }
        if (l.size() >= 2 && l.substr(0, 2) == std::string_view(marca).substr(0, 2)) {
            copiando = true;
            if (esLinea && (l.size() < 3 || l[2] != marca.back()))
                copiando = false;
        }
        procesarEventosPendientes();
    }
    resultado.texto = std::string(recortarDerecha(resultado.texto));
    resultado.interpretacion = std::string(recortarDerecha(resultado.interpretacion));
    return resultado;
}

} // namespace hexora
