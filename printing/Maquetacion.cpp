#include "Maquetacion.h"

#include "Silabacion.h"
#include "core/AlmacenTextos.h"
#include "core/Cp1252.h"
#include "core/Texto.h"

#include <algorithm>
#include <fstream>
#include <utility>

namespace hexora {

Fuente FuenteTexto;

namespace {

constexpr std::string_view kSangria = "     ";

bool esPuntuacion(char c) { return c == '.' || c == ',' || c == ';'; }

bool esVocal(char c) { return EsVocal(std::string_view(&c, 1)); }

// Pares que no se separan nunca: los dígrafos y los grupos de consonante con "r" o "l" que
// forman sílaba (y "ah", que la "h" no abre sílaba). Los demás grupos (tr, pl, ...) los
// guarda la silabación española.
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

// La regla del programa: se parte tras c si le sigue una consonante y a esta una vocal,
// sin puntuación a los lados ni par inseparable.
bool reglaPrograma(std::string_view palabra, std::size_t i) {
    if (i + 2 >= palabra.size())
        return false;
    const char c = palabra[i];
    const char c1 = palabra[i + 1];
    const char c2 = palabra[i + 2];
    return !esPuntuacion(c) && !esPuntuacion(c1) && c1 != ' ' && !esVocal(c1) && esVocal(c2) &&
           !esParInseparable(c, c1);
}

// Un renglón en construcción: su texto y lo que mide hasta el final de cada carácter. Con
// sangría, un renglón que empieza por dos espacios se imprime con cinco y sin los suyos, y
// así se mide.
class Renglon {
public:
    explicit Renglon(double anchoSangria = -1) : anchoSangria_(anchoSangria) {}

    void vaciar() {
        texto_.clear();
        fin_.clear();
    }
    void anadir(char c, double ancho) {
        texto_ += c;
        fin_.push_back((fin_.empty() ? 0 : fin_.back()) + ancho);
    }
    const std::string& texto() const { return texto_; }
    std::size_t size() const { return texto_.size(); }

    // Lo que ocupa impreso con sus n primeros caracteres; los espacios del final no se ven.
    double ancho(std::size_t n) const {
        while (n > 0 && texto_[n - 1] == ' ')
            --n;
        if (n == 0)
            return 0;
        if (anchoSangria_ >= 0 && texto_.compare(0, 2, "  ") == 0) {
            const std::size_t primero = texto_.find_first_not_of(' ');
            return anchoSangria_ + fin_[n - 1] - fin_[primero - 1];
        }
        return fin_[n - 1];
    }
    double ancho() const { return ancho(texto_.size()); }

private:
    double anchoSangria_;
    std::string texto_;
    std::vector<double> fin_;
};

struct Corte {
    std::size_t largo; // caracteres que se quedan en el renglón
    bool guion;
};

// Dónde cortar un renglón que se ha pasado del ancho con su último carácter, que es el de
// la posición dentro de palabra. Primero, partiendo la palabra lo más tarde posible con su
// guion; si no, en el último espacio; y solo una palabra que no cabe en un renglón entero
// se corta donde llegue, sin guion.
Corte elegirCorte(const Renglon& r, std::string_view palabra, std::size_t dentro, double disponible,
                  double anchoGuion) {
    const std::string& s = r.texto();
    const std::size_t espacio = s.find_last_of(' ');
    const std::size_t inicio = espacio == std::string::npos ? 0 : espacio + 1;
    const std::size_t desde = dentro + 1 - (s.size() - inicio); // primer carácter en el renglón
    const std::vector<bool> cortes = CortesPermitidos(palabra);
    for (std::size_t k = dentro; k-- > desde;) {
        const std::size_t largo = inicio + (k - desde) + 1;
        if (cortes[k] && r.ancho(largo) + anchoGuion <= disponible)
            return {largo, true};
    }
    const std::size_t primero = s.find_first_not_of(' ');
    if (espacio != std::string::npos && primero < espacio)
        return {espacio + 1, false};
    std::size_t largo = primero + 1;
    while (largo < s.size() && r.ancho(largo + 1) <= disponible)
        ++largo;
    return {largo, false};
}

// La palabra (sin espacios) del texto que contiene la posición i, y dónde empieza.
std::pair<std::string_view, std::size_t> palabraEn(std::string_view texto, std::size_t i) {
    const std::size_t antes = texto.find_last_of(' ', i);
    const std::size_t inicio = antes == std::string_view::npos ? 0 : antes + 1;
    const std::size_t fin = std::min(texto.find(' ', i), texto.size());
    return {texto.substr(inicio, fin - inicio), inicio};
}

class Pasada {
public:
    Pasada(SuperficieMedida& medida, const Fuente& fuente, double margen, double limite,
           const std::function<void(const std::string&)>& escribir)
        // Un límite antes del margen (una anchura de página omitida tras un fallo) deja
        // un carácter por línea; negativo, ni el renglón vacío cabría y no se acabaría nunca.
        : medida_(medida), fuente_(fuente), margen_(margen),
          disponible_(std::max(limite - margen, 0.0)), escribir_(escribir) {
        letraCuerpo();
        anchoGuion_ = medir('-');
        renglon_ = Renglon(5 * medir(' '));
    }

    // La primera línea de un párrafo sangrado (dos espacios o más delante) lleva justo
    // cinco espacios; el resto sale tal cual, con su espacio final si lo tiene.
    void emitir(const std::string& linea) {
        if (linea.compare(0, 2, "  ") == 0)
            escribir_(std::string(kSangria) + std::string(recortar(linea)));
        else
            escribir_(linea);
    }

    void lineaNueva() {
        renglon_.vaciar();
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
        letraCuerpo();
    }

    void texto(std::string_view l, std::string_view siguiente) {
        medida_.fijarNombreFuente(fuente_.nombre);
        medida_.fijarTamanoFuente(fuente_.tamano);
        // Las entradas de un mismo párrafo se unen con un espacio, que también puede
        // acabar una línea.
        if (cuenta_ > 0)
            anadir(' ');
        for (std::size_t i = 0; i < l.size(); ++i) {
            ++cuenta_;
            const char c = l[i];
            actual_ = c;
            anadir(c);
            // Un espacio no ocupa al final de la línea: la corta el carácter visible que
            // ya no cabe, y entonces se busca el corte hacia atrás.
            while (c != ' ' && renglon_.ancho() > disponible_)
                cortar(l, i);
        }
        // Fin de párrafo: la entrada acaba en punto y la siguiente abre otro párrafo, es un
        // marcador o es el terminador.
        if (actual_ == '.' &&
            (siguiente.compare(0, 2, "  ") == 0 || (!siguiente.empty() && siguiente[0] == '*'))) {
            // Vacío solo si un último carácter más ancho que la línea ya salió solo.
            if (renglon_.size() > 0)
                emitir(renglon_.texto());
            escribir_(std::string());
            lineaNueva();
        }
    }

private:
    void letraCuerpo() {
        medida_.fijarNegrita(false);
        medida_.fijarSubrayado(false);
        medida_.fijarNombreFuente(fuente_.nombre);
        medida_.fijarTamanoFuente(fuente_.tamano);
    }

    // Lo que avanza la pluma con el carácter, que queda impreso en la superficie.
    double medir(char c) {
        const double antes = medida_.x();
        medida_.imprimir(std::string_view(&c, 1));
        return medida_.x() - antes;
    }

    void anadir(char c) { renglon_.anadir(c, medir(c)); }

    // El renglón se ha pasado con el carácter i de la entrada l: sale lo que cabe y el
    // resto empieza el renglón siguiente, medido de nuevo.
    void cortar(std::string_view l, std::size_t i) {
        const auto [palabra, inicio] = palabraEn(l, i);
        const Corte corte = elegirCorte(renglon_, palabra, i - inicio, disponible_, anchoGuion_);
        const std::string& s = renglon_.texto();
        emitir(s.substr(0, corte.largo) + (corte.guion ? "-" : ""));
        const std::string resto = s.substr(corte.largo);
        lineaNueva();
        for (const char d : resto)
            anadir(d);
        cuenta_ = static_cast<long>(resto.size());
    }

    SuperficieMedida& medida_;
    const Fuente& fuente_;
    double margen_;
    double disponible_;
    const std::function<void(const std::string&)>& escribir_;
    Renglon renglon_;
    double anchoGuion_ = 0;
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

std::vector<bool> CortesPermitidos(std::string_view palabra) {
    std::vector<bool> cortes = cortesSilabacion(palabra);
    for (std::size_t k = 0; k < cortes.size(); ++k)
        cortes[k] = cortes[k] && reglaPrograma(palabra, k);
    return cortes;
}

void MaquetarTexto(SuperficieMedida& medida, const Fuente& fuente, double margen, double limite,
                   const std::function<void(const std::string&)>& escribir) {
    Pasada pasada(medida, fuente, margen, limite, escribir);
    pasada.lineaNueva();
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
            pasada.texto(l, siguiente);
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

std::vector<std::string> PartirTexto(std::string_view texto, double ancho,
                                     const std::function<double(std::string_view)>& medir) {
    const auto medirCaracter = [&medir](char c) { return medir(std::string_view(&c, 1)); };
    ancho = std::max(ancho, 0.0); // negativo, el renglón vacío no cabría nunca
    const double anchoGuion = medirCaracter('-');
    std::vector<std::string> renglones;
    const auto sacar = [&renglones](std::string_view s) {
        renglones.emplace_back(recortarDerecha(s));
    };
    Renglon r;
    for (std::size_t i = 0; i < texto.size(); ++i) {
        const char c = texto[i];
        r.anadir(c, medirCaracter(c));
        while (c != ' ' && r.ancho() > ancho) {
            const auto [palabra, inicio] = palabraEn(texto, i);
            const Corte corte = elegirCorte(r, palabra, i - inicio, ancho, anchoGuion);
            sacar(r.texto().substr(0, corte.largo) + (corte.guion ? "-" : ""));
            const std::string resto = r.texto().substr(corte.largo);
            r.vaciar();
            for (const char d : resto)
                r.anadir(d, medirCaracter(d));
        }
    }
    if (r.size() > 0 || renglones.empty())
        sacar(r.texto());
    return renglones;
}

} // namespace hexora
