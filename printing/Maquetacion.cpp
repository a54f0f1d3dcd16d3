#include "Maquetacion.h"

#include "core/AlmacenTextos.h"
#include "core/Cp1252.h"
#include "core/Texto.h"

#include <fstream>

namespace hexora {

Fuente FuenteTexto;

namespace {

constexpr std::string_view kSangria = "     ";

bool esPuntuacion(char c) { return c == '.' || c == ',' || c == ';'; }

// Pares que no se separan nunca: los dígrafos y los grupos de consonante con "r" o "l" que
// forman sílaba (y "ah", que la "h" no abre sílaba). Ni gl, pl, fr, fl, tr ni dr: así lo
// quiere el programa.
bool esParInseparable(char a, char b) {
    static constexpr const char* kPares[] = {"rr", "ll", "ch", "cl", "cr", "qu",
                                             "gr", "br", "bl", "pr", "ah"};
    const char x = minuscula(a);
    const char y = minuscula(b);
    for (const char* par : kPares) {
        if (par[0] == x && par[1] == y)
            return true;
    }
    return false;
}

// ¿Se puede partir la palabra tras c, que es el carácter i (desde 0) de la entrada?
// Hacen falta los dos caracteres siguientes en la misma entrada.
bool sePuedePartir(std::string_view entrada, std::size_t i) {
    if (i + 2 >= entrada.size())
        return false;
    const char c = entrada[i];
    const char c1 = entrada[i + 1];
    const char c2 = entrada[i + 2];
    return !esPuntuacion(c) && !esPuntuacion(c1) && c1 != ' ' &&
           !EsVocal(std::string_view(&c1, 1)) && EsVocal(std::string_view(&c2, 1)) &&
           !esParInseparable(c, c1);
}

class Pasada {
public:
    Pasada(SuperficieMedida& medida, const Fuente& fuente, double margen,
           const std::function<void(const std::string&)>& escribir)
        : medida_(medida), fuente_(fuente), margen_(margen), escribir_(escribir) {}

    // La primera línea de un párrafo sangrado (dos espacios o más delante) lleva justo
    // cinco espacios; el resto sale tal cual, con su espacio final si lo tiene.
    void emitir(const std::string& linea) {
        if (linea.compare(0, 2, "  ") == 0)
            escribir_(std::string(kSangria) + std::string(recortar(linea)));
        else
            escribir_(linea);
    }

    void lineaNueva() {
        linea_.clear();
        medida_.Cls();
        medida_.fijarX(margen_);
        cuenta_ = 0;
    }

    void marcador(std::string_view l) {
        const char tipo = l.size() > 1 ? l[1] : '\0';
        switch (tipo) {
        case 'D': cabecera_ = std::string(kMarcaCabecera) + "DECISION"; break;
        case 'C': cabecera_ = std::string(kMarcaCabecera) + "COMENTARIO"; break;
        case 'I': cabecera_ = std::string(kMarcaCabecera) + "IMAGEN"; break;
        case 'L':
            cabecera_ = std::string(kMarcaCabecera) + "LINEA " + std::string(l.substr(2, 1));
            break;
        default: break; // otra letra repite la cabecera anterior
        }
        escribir_(cabecera_);
        // Lo que quedara sin terminar antes del marcador se pierde.
        lineaNueva();
        medida_.fijarNegrita(false);
        medida_.fijarSubrayado(false);
        medida_.fijarNombreFuente(fuente_.nombre);
        medida_.fijarTamanoFuente(fuente_.tamano);
    }

    void texto(std::string_view l, std::string_view siguiente, double limite) {
        medida_.fijarNombreFuente(fuente_.nombre);
        medida_.fijarTamanoFuente(fuente_.tamano);
        // Las entradas de un mismo párrafo se unen con un espacio.
        if (cuenta_ > 0) {
            medida_.imprimir(" ");
            linea_ += ' ';
        }
        for (std::size_t i = 0; i < l.size(); ++i) {
            ++cuenta_;
            const char c = l[i];
            actual_ = c;
            medida_.imprimir(std::string_view(&c, 1));
            linea_ += c;
            if (medida_.x() <= limite)
                continue;
            if (c == ' ') {
                emitir(linea_);
                lineaNueva();
            } else if (sePuedePartir(l, i)) {
                emitir(linea_ + "-");
                lineaNueva();
            }
        }
        // Fin de párrafo: la entrada acaba en punto y la siguiente abre otro párrafo, es un
        // marcador o es el terminador.
        if (actual_ == '.' &&
            (siguiente.compare(0, 2, "  ") == 0 || (!siguiente.empty() && siguiente[0] == '*'))) {
            emitir(linea_);
            escribir_(std::string());
            lineaNueva();
        }
    }

private:
    SuperficieMedida& medida_;
    const Fuente& fuente_;
    double margen_;
    const std::function<void(const std::string&)>& escribir_;
    std::string linea_;
    long cuenta_ = 0;
    char actual_ = '\0'; // se conserva de una entrada a otra
    std::string cabecera_;
};

} // namespace

bool EsVocal(std::string_view c) {
    if (c.size() != 1)
        return false;
    switch (minuscula(c[0])) {
    case 'a':
    case 'e':
    case 'i':
    case 'o':
    case 'u':
    case '\xE1': // á
    case '\xE9': // é
    case '\xED': // í
    case '\xF3': // ó
    case '\xFA': // ú
        return true;
    default: return false;
    }
}

void MaquetarTexto(SuperficieMedida& medida, const Fuente& fuente, double margen, double limite,
                   const std::function<void(const std::string&)>& escribir) {
    Pasada pasada(medida, fuente, margen, escribir);
    medida.Cls();
    medida.fijarX(margen);
    for (std::size_t j = 1; j <= kEntradasBuffer; ++j) {
        medida.fijarNombreFuente(fuente.nombre);
        const std::string_view l = recortarDerecha(BufferTexto[j]);
        const std::string_view siguiente =
            j < kEntradasBuffer ? recortarDerecha(BufferTexto[j + 1]) : std::string_view();
        if (l == "**")
            break;
        if (!l.empty() && l[0] == '*')
            pasada.marcador(l);
        else
            pasada.texto(l, siguiente, limite);
    }
    // Lo que quede en la línea sin un punto final que la cierre no se escribe.
}

void MaquetarArchivo(SuperficieMedida& medida, const Fuente& fuente, double margen, double limite,
                     const std::filesystem::path& ruta) {
    std::ofstream archivo(ruta, std::ios::binary | std::ios::trunc);
    const auto fallo = [&ruta] {
        return FalloImpresion(kErrorAccesoArchivo,
                              "No se puede escribir el archivo \"" + ruta.string() + "\".");
    };
    if (!archivo)
        throw fallo();
    MaquetarTexto(medida, fuente, margen, limite, [&](const std::string& linea) {
        archivo << linea << "\r\n";
        if (!archivo)
            throw fallo();
    });
    archivo.close();
    if (archivo.fail())
        throw fallo();
}

} // namespace hexora
