#include "Empaquetador.h"

#include "core/Cp1252.h"
#include "core/Texto.h"

#include <algorithm>
#include <map>
#include <optional>

namespace hexora::empaquetador {

namespace {

constexpr std::size_t kRegistro = 80;
constexpr std::size_t kEntradas = 100;
const std::string kInterpretacion = "INTERPRETACI\xD3N";
const std::array<const char*, 9> kSecciones = {"D", "C", "I", "L1", "L2", "L3", "L4", "L5", "L6"};

struct LineaFuente {
    int numero;
    std::string texto; // Windows-1252, recortado
};

std::string recortarBlancos(std::string_view s) {
    const auto ini = s.find_first_not_of(" \t");
    if (ini == std::string_view::npos)
        return {};
    const auto fin = s.find_last_not_of(" \t");
    return std::string(s.substr(ini, fin - ini + 1));
}

// Parte el contenido en líneas recortadas y ya en Windows-1252; sin comentarios.
std::vector<LineaFuente> leerLineas(const std::string& ruta, std::string_view contenido) {
    std::vector<LineaFuente> lineas;
    int numero = 0;
    std::size_t ini = 0;
    while (ini <= contenido.size()) {
        auto fin = contenido.find('\n', ini);
        if (fin == std::string_view::npos)
            fin = contenido.size();
        ++numero;
        std::string_view linea = contenido.substr(ini, fin - ini);
        if (!linea.empty() && linea.back() == '\r')
            linea.remove_suffix(1);
        if (numero == 1 && linea.substr(0, 3) == "\xEF\xBB\xBF")
            linea.remove_prefix(3);
        const auto conv = utf8ACp1252(linea);
        if (!conv.completa()) {
            const char32_t c = conv.noRepresentables.front();
            throw ErrorFuente(ruta, numero,
                              c == 0xFFFD ? "texto UTF-8 mal formado."
                                          : "el carácter \"" + codigoAUtf8(c) +
                                                "\" no existe en Windows-1252.");
        }
        for (char c : conv.texto) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                throw ErrorFuente(ruta, numero, "carácter de control en el texto.");
        }
        std::string texto = recortarBlancos(conv.texto);
        if (texto.empty() || texto[0] != '#')
            lineas.push_back({numero, std::move(texto)});
        ini = fin + 1;
    }
    return lineas;
}

void comprobarNombre(const std::string& nombre, const std::string& ruta, int linea) {
    if (nombre.empty())
        throw ErrorFuente(ruta, linea, "falta el nombre.");
    if (nombre.find('"') != std::string::npos)
        throw ErrorFuente(ruta, linea, "un nombre no puede llevar comillas dobles.");
    if (nombre.find(',') != std::string::npos)
        throw ErrorFuente(ruta, linea, "un nombre no puede llevar comas.");
}

bool empiezaPorInterpretacion(std::string_view registro) {
    return mayusculas(recortar(registro).substr(0, kInterpretacion.size())) == kInterpretacion;
}

std::string figuraDeTrigrama(const std::vector<Trigrama>& trigramas, const std::string& nombre,
                             const std::string& ruta, int linea) {
    for (const auto& t : trigramas) {
        if (t.nombre == nombre)
            return t.figura;
    }
    throw ErrorFuente(ruta, linea, "trigrama desconocido: \"" + cp1252AUtf8(nombre) + "\".");
}

struct Parrafo {
    int linea;
    std::string texto;
};

// Registros de una sección a partir de sus párrafos, con las comprobaciones del formato.
SeccionFuente construirSeccion(const std::string& codigo, int lineaCabecera,
                               const std::vector<Parrafo>& parrafos, const std::string& ruta) {
    if (parrafos.empty())
        throw ErrorFuente(ruta, lineaCabecera, "la sección *" + codigo + " está vacía.");
    SeccionFuente seccion{codigo, {}};
    const bool esLinea = codigo[0] == 'L';
    bool enInterpretacion = false;
    for (const auto& p : parrafos) {
        if (p.texto.back() != '.')
            throw ErrorFuente(ruta, p.linea, "el párrafo debe terminar en punto.");
        const auto registros = partirParrafo(p.texto, ruta, p.linea);
        if (esLinea && empiezaPorInterpretacion(registros.front())) {
            if (seccion.registros.empty())
                throw ErrorFuente(ruta, p.linea,
                                  "falta el texto de la línea antes de INTERPRETACIÓN.");
            enInterpretacion = true;
        }
        if (esLinea && !enInterpretacion) {
            // Un registro que empezara por esa palabra partiría la sección antes de tiempo.
            for (std::size_t r = 1; r < registros.size(); ++r) {
                if (empiezaPorInterpretacion(registros[r]))
                    throw ErrorFuente(ruta, p.linea,
                                      "un registro del texto de la línea empezaría por "
                                      "\"interpretación\"; cambie la redacción.");
            }
        }
        seccion.registros.insert(seccion.registros.end(), registros.begin(), registros.end());
    }
    if (esLinea && !enInterpretacion)
        throw ErrorFuente(ruta, lineaCabecera,
                          "la sección *" + codigo +
                              " no tiene interpretación (un párrafo que empiece por "
                              "INTERPRETACIÓN).");
    return seccion;
}

std::vector<SeccionFuente> seccionesPendientes() {
    std::vector<SeccionFuente> secciones;
    for (const char* codigo : kSecciones) {
        if (codigo[0] == 'L')
            secciones.push_back({codigo,
                                 {"   El texto de esta l\xEDnea est\xE1 pendiente de redacci\xF3n.",
                                  "   " + kInterpretacion + ": pendiente de redacci\xF3n."}});
        else
            secciones.push_back(
                {codigo, {"   El texto de esta secci\xF3n est\xE1 pendiente de redacci\xF3n."}});
    }
    return secciones;
}

std::string relleno(std::string s) {
    s.resize(kRegistro, ' ');
    return s;
}

std::string campoCitado(const std::string& s) { return "\"" + s + "\""; }

} // namespace

std::vector<Trigrama> leerTrigramas(const std::string& ruta, std::string_view contenido) {
    std::vector<Trigrama> trigramas;
    int ultima = 0;
    for (const auto& l : leerLineas(ruta, contenido)) {
        ultima = l.numero;
        if (l.texto.empty())
            continue;
        std::vector<std::string> partes;
        std::size_t ini = 0;
        for (;;) {
            const auto fin = l.texto.find('|', ini);
            partes.push_back(recortarBlancos(l.texto.substr(ini, fin - ini)));
            if (fin == std::string::npos)
                break;
            ini = fin + 1;
        }
        if (partes.size() != 3)
            throw ErrorFuente(ruta, l.numero,
                              "se esperaban tres campos: nombre | nombre español | figura.");
        Trigrama t{partes[0], partes[1], partes[2]};
        comprobarNombre(t.nombre, ruta, l.numero);
        comprobarNombre(t.nombre2, ruta, l.numero);
        if (t.figura.size() != 3 || t.figura.find_first_not_of("78") != std::string::npos)
            throw ErrorFuente(ruta, l.numero,
                              "la figura debe tener tres líneas \"7\" (yang) u \"8\" (yin).");
        for (const auto& otro : trigramas) {
            if (otro.figura == t.figura || otro.nombre == t.nombre)
                throw ErrorFuente(ruta, l.numero, "trigrama repetido.");
        }
        trigramas.push_back(std::move(t));
    }
    if (trigramas.size() != 8)
        throw ErrorFuente(ruta, ultima, "se esperaban 8 trigramas.");
    // El programa pone siempre "Ch'ien" en la primera fila.
    if (trigramas.front().nombre != "Ch'ien")
        throw ErrorFuente(ruta, 0, "el primer trigrama debe ser Ch'ien.");
    return trigramas;
}

std::vector<std::string> partirParrafo(std::string_view parrafo, const std::string& ruta,
                                       int linea) {
    std::vector<std::string> registros;
    std::string actual = "   ";
    std::size_t ini = 0;
    while (ini < parrafo.size()) {
        if (parrafo[ini] == ' ' || parrafo[ini] == '\t') {
            ++ini;
            continue;
        }
        auto fin = parrafo.find_first_of(" \t", ini);
        if (fin == std::string_view::npos)
            fin = parrafo.size();
        const std::string_view palabra = parrafo.substr(ini, fin - ini);
        ini = fin;
        const bool primera = actual == "   " && registros.empty();
        if (primera) {
            actual += palabra;
        } else if (actual.size() + 1 + palabra.size() <= kRegistro) {
            actual += ' ';
            actual += palabra;
        } else {
            registros.push_back(actual);
            if (palabra[0] == '*')
                throw ErrorFuente(ruta, linea,
                                  "un registro empezaría por \"*\": \"" + cp1252AUtf8(palabra) +
                                      "\".");
            actual = palabra;
        }
        if (actual.size() > kRegistro)
            throw ErrorFuente(ruta, linea,
                              "la palabra \"" + cp1252AUtf8(palabra) +
                                  "\" no cabe en un registro de 80 caracteres.");
    }
    if (actual != "   ")
        registros.push_back(actual);
    return registros;
}

HexagramaFuente leerHexagrama(const std::string& ruta, std::string_view contenido,
                              const std::vector<Trigrama>& trigramas) {
    HexagramaFuente h;
    h.ruta = ruta;
    std::map<std::string, std::pair<int, std::string>> campos;
    std::vector<Parrafo> parrafos;
    std::optional<std::size_t> seccionActual;
    int lineaCabecera = 0;
    bool parrafoAbierto = false;

    const auto cerrarSeccion = [&] {
        if (seccionActual)
            h.secciones.push_back(
                construirSeccion(kSecciones[*seccionActual], lineaCabecera, parrafos, ruta));
        parrafos.clear();
        parrafoAbierto = false;
    };

    int ultima = 0;
    for (const auto& l : leerLineas(ruta, contenido)) {
        ultima = l.numero;
        if (!l.texto.empty() && l.texto[0] == '*') {
            cerrarSeccion();
            const std::size_t siguiente = seccionActual ? *seccionActual + 1 : 0;
            const std::string codigo = l.texto.substr(1);
            const auto esperado =
                siguiente < kSecciones.size() ? std::string(kSecciones[siguiente]) : "";
            if (codigo != esperado)
                throw ErrorFuente(ruta, l.numero,
                                  esperado.empty()
                                      ? "sobra la sección \"" + cp1252AUtf8(l.texto) + "\"."
                                      : "se esperaba la sección *" + esperado +
                                            " y se encontró \"" + cp1252AUtf8(l.texto) + "\".");
            seccionActual = siguiente;
            lineaCabecera = l.numero;
        } else if (!seccionActual) {
            if (l.texto.empty())
                continue;
            const auto dosPuntos = l.texto.find(':');
            if (dosPuntos == std::string::npos)
                throw ErrorFuente(ruta, l.numero, "se esperaba \"campo: valor\".");
            const auto clave = recortarBlancos(l.texto.substr(0, dosPuntos));
            if (campos.count(clave))
                throw ErrorFuente(ruta, l.numero, "campo repetido: " + cp1252AUtf8(clave) + ".");
            campos[clave] = {l.numero, recortarBlancos(l.texto.substr(dosPuntos + 1))};
        } else if (l.texto.empty()) {
            parrafoAbierto = false;
        } else if (parrafoAbierto) {
            parrafos.back().texto += ' ' + l.texto;
        } else {
            parrafos.push_back({l.numero, l.texto});
            parrafoAbierto = true;
        }
    }
    cerrarSeccion();

    const auto campo = [&](const std::string& clave) -> const std::pair<int, std::string>& {
        const auto it = campos.find(clave);
        if (it == campos.end())
            throw ErrorFuente(ruta, 0, "falta el campo \"" + clave + "\".");
        return it->second;
    };
    const auto& numero = campo("hexagrama");
    h.numero = static_cast<int>(valorEntero(numero.second));
    if (h.numero < 1 || h.numero > 64 || std::to_string(h.numero) != numero.second)
        throw ErrorFuente(ruta, numero.first, "el número de hexagrama debe ir de 1 a 64.");
    h.nombre = campo("nombre").second;
    comprobarNombre(h.nombre, ruta, campo("nombre").first);
    h.nombre2 = campo("segundo nombre").second;
    comprobarNombre(h.nombre2, ruta, campo("segundo nombre").first);
    h.inferior = figuraDeTrigrama(trigramas, campo("trigrama inferior").second, ruta,
                                  campo("trigrama inferior").first);
    h.superior = figuraDeTrigrama(trigramas, campo("trigrama superior").second, ruta,
                                  campo("trigrama superior").first);
    if (campos.size() != 5)
        throw ErrorFuente(ruta, 0,
                          "campos admitidos: hexagrama, nombre, segundo nombre, trigrama "
                          "inferior, trigrama superior.");

    if (h.secciones.empty()) {
        h.pendiente = true;
        h.secciones = seccionesPendientes();
    } else if (h.secciones.size() != kSecciones.size()) {
        throw ErrorFuente(ruta, ultima,
                          "falta la sección *" + std::string(kSecciones[h.secciones.size()]) + ".");
    }
    if (entradasConTodasMutantes(h) > kEntradas)
        throw ErrorFuente(ruta, 0,
                          "el texto ocupa " + std::to_string(entradasConTodasMutantes(h)) +
                              " registros con las seis líneas mutantes; el máximo es " +
                              std::to_string(kEntradas) + ".");
    return h;
}

std::size_t entradasConTodasMutantes(const HexagramaFuente& h) {
    std::size_t total = 1; // el terminador
    for (const auto& s : h.secciones)
        total += 1 + s.registros.size();
    return total;
}

Paquete empaquetar(const std::vector<Trigrama>& trigramas,
                   const std::vector<HexagramaFuente>& hexagramas) {
    std::array<const HexagramaFuente*, 65> porNumero{};
    std::map<std::string, const HexagramaFuente*> porFigura;
    for (const auto& h : hexagramas) {
        if (porNumero[h.numero])
            throw ErrorFuente(h.ruta, 0,
                              "el hexagrama " + std::to_string(h.numero) + " ya está en " +
                                  porNumero[h.numero]->ruta + ".");
        porNumero[h.numero] = &h;
        const auto figura = h.inferior + h.superior;
        if (porFigura.count(figura))
            throw ErrorFuente(h.ruta, 0,
                              "la figura " + figura + " ya es la del hexagrama de " +
                                  porFigura[figura]->ruta + ".");
        porFigura[figura] = &h;
    }
    for (int n = 1; n <= 64; ++n) {
        if (!porNumero[n])
            throw ErrorFuente("data/hexagramas", 0,
                              "falta el hexagrama " + std::to_string(n) + ".");
    }

    Paquete p;
    for (const auto& t : trigramas) {
        p.trigramas += campoCitado(t.nombre) + "," + campoCitado(t.nombre2);
        // Las ocho combinaciones de líneas jóvenes y viejas de la figura.
        for (int mascara = 0; mascara < 8; ++mascara) {
            std::string codigo;
            for (int k = 0; k < 3; ++k) {
                const bool vieja = mascara & (4 >> k);
                codigo += t.figura[k] == '7' ? (vieja ? '9' : '7') : (vieja ? '6' : '8');
            }
            p.trigramas += "," + codigo;
        }
        p.trigramas += "\r\n";
    }

    for (int n = 1; n <= 64; ++n) {
        const auto& h = *porNumero[n];
        const std::size_t posicion = p.textos.size() + 1;
        p.textos += relleno("HEXAGRAMA " + std::to_string(n) + ": " + h.nombre + " - " + h.nombre2);
        for (const auto& s : h.secciones) {
            p.textos += relleno("*" + s.codigo);
            for (const auto& r : s.registros)
                p.textos += relleno(r);
        }
        p.textos += relleno("**");
        p.hexagramas += std::to_string(n) + "," + h.superior + "," + h.inferior + "," +
                        campoCitado(h.nombre) + "," + campoCitado(h.nombre2) + "," +
                        std::to_string(posicion) + "\r\n";
        if (h.pendiente)
            ++p.pendientes;
    }
    return p;
}

} // namespace hexora::empaquetador
