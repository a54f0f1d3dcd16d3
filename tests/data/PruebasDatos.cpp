// Comprueba los archivos de datos tal como se entregan junto al programa; el glosario de las
// fórmulas del oráculo se lee de su fuente, data/LEEME.md.

#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/CarpetaPrograma.h"
#include "core/Cp1252.h"
#include "core/Tablas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <vector>

using namespace hexora;

namespace {

class DatosEntregados : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
        CargarTablas();
    }
    static std::string figuraJoven(int fila) {
        return TablaHexagramas[fila][3] + TablaHexagramas[fila][2];
    }
    // Con las seis líneas mutantes el bloque trae todas sus secciones.
    static std::string figuraMutante(int fila) {
        std::string figura = figuraJoven(fila);
        for (auto& c : figura)
            c = c == '7' ? '9' : '6';
        return figura;
    }
};

// La impresión solo cierra un párrafo donde termina en punto.
bool parrafosTerminanEnPunto(const std::string& texto) {
    std::size_t ini = 0;
    for (;;) {
        const auto fin = texto.find("\r\n\r\n", ini);
        const auto parrafo = recortarDerecha(std::string_view(texto).substr(
            ini, fin == std::string::npos ? std::string::npos : fin - ini));
        if (parrafo.empty() || parrafo.back() != '.')
            return false;
        if (fin == std::string::npos)
            return true;
        ini = fin + 4;
    }
}

// Variantes que el glosario de data/LEEME.md prohíbe (última columna de su tabla), en
// Windows-1252 y minúsculas. Las que llevan una aclaración entre paréntesis («como
// fórmula») dependen del sentido y no se comprueban aquí.
std::vector<std::string> variantesProhibidas() {
    std::ifstream leeme(HEXORA_FUENTES_DATOS "/LEEME.md");
    std::vector<std::string> variantes;
    bool enGlosario = false, enFilas = false;
    for (std::string linea; std::getline(leeme, linea);) {
        if (linea.rfind("## ", 0) == 0)
            enGlosario = linea.find("Glosario") != std::string::npos;
        if (!enGlosario || linea.empty() || linea[0] != '|')
            continue;
        if (!enFilas) { // la fila de guiones separa la cabecera de las filas
            enFilas = linea.find("---") != std::string::npos;
            continue;
        }
        const auto celdas = linea.substr(0, linea.find_last_not_of("| ") + 1);
        const auto lista = celdas.substr(celdas.rfind('|') + 1);
        for (std::size_t ini = 0; ini <= lista.size();) {
            const auto fin = std::min(lista.find(',', ini), lista.size());
            const auto variante = recortar(std::string_view(lista).substr(ini, fin - ini));
            if (!variante.empty() && variante.find('(') == std::string_view::npos)
                variantes.push_back(minusculas(utf8ACp1252(variante).texto));
            ini = fin + 1;
        }
    }
    return variantes;
}

// Posición de la frase como palabras enteras ("ventura" no está en "aventura"), o npos.
std::size_t buscarPalabras(const std::string& texto, const std::string& frase) {
    const auto letra = [&](std::size_t i) {
        const auto c = static_cast<unsigned char>(texto[i]);
        return std::isalnum(c) || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
    };
    for (auto p = texto.find(frase); p != std::string::npos; p = texto.find(frase, p + 1))
        if ((p == 0 || !letra(p - 1)) &&
            (p + frase.size() == texto.size() || !letra(p + frase.size())))
            return p;
    return std::string::npos;
}

// Minúsculas y cada tramo de espacios o saltos reducido a un espacio.
std::string normalizado(std::string_view texto) {
    std::string s;
    for (const char c : minusculas(texto))
        if (!std::isspace(static_cast<unsigned char>(c)))
            s += c;
        else if (!s.empty() && s.back() != ' ')
            s += ' ';
    return s;
}

std::string todasLasCadenas(int longitud, int indice) {
    std::string s;
    for (int k = 0; k < longitud; ++k, indice /= 4)
        s += static_cast<char>('6' + indice % 4);
    return s;
}

} // namespace

// Cada una de las 4.096 figuras da exactamente un hexagrama, el de su fila; cada uno de los
// 64 códigos de tres líneas, exactamente un trigrama; y en el orden tradicional cada
// hexagrama par es el impar anterior vuelto del revés, o su inverso si es simétrico.
TEST_F(DatosEntregados, FigurasTrigramasYOrdenTradicional) {
    for (int i = 0; i < 4096; ++i) {
        const auto figura = todasLasCadenas(6, i);
        std::string joven = figura;
        std::replace(joven.begin(), joven.end(), '6', '8');
        std::replace(joven.begin(), joven.end(), '9', '7');
        int coincidencias = 0;
        for (int fila = 1; fila <= 64; ++fila)
            coincidencias += figuraJoven(fila) == joven;
        ASSERT_EQ(coincidencias, 1) << figura;
        ASSERT_EQ(figuraJoven(NumeroHexagrama(figura)), joven) << figura;
    }
    for (int i = 0; i < 64; ++i) {
        int coincidencias = 0;
        for (int fila = 1; fila <= 8; ++fila)
            coincidencias +=
                static_cast<int>(std::count(TablaTrigramas[fila].begin() + 3,
                                            TablaTrigramas[fila].end(), todasLasCadenas(3, i)));
        EXPECT_EQ(coincidencias, 1) << todasLasCadenas(3, i);
    }
    EXPECT_EQ(NombreTrigrama("999") + "|" + NombreTrigrama("696"),
              "Ch'ien, El Cielo|K'an, El Agua");
    for (int impar = 1; impar < 64; impar += 2) {
        auto a = figuraJoven(impar);
        std::string esperado(a.rbegin(), a.rend());
        if (esperado == a)
            for (auto& c : esperado)
                c = c == '7' ? '8' : '7';
        EXPECT_EQ(figuraJoven(impar + 1), esperado) << impar;
    }
    EXPECT_EQ(figuraJoven(1) + figuraJoven(3) + figuraJoven(11) + figuraJoven(63),
              "777777788878777888787878"); // el trueno bajo el agua en el 3
}

// Con las seis líneas mutantes cada bloque trae todas sus secciones, con texto, cada párrafo
// acabado en punto (la impresión solo cierra ahí un párrafo), cada interpretación empezando
// por su palabra y un comentario de varios párrafos, nunca el aviso de texto pendiente.
TEST_F(DatosEntregados, CadaBloqueCompleto) {
    for (int fila = 1; fila <= 64; ++fila) {
        std::vector<int> lineas;
        ASSERT_NO_THROW(CargarBuffer(figuraMutante(fila), [&](int k) { lineas.push_back(k); }))
            << fila;
        EXPECT_EQ(lineas, (std::vector<int>{1, 2, 3, 4, 5, 6})) << fila;
        for (const char* codigo : {"D", "C", "I", "L1", "L2", "L3", "L4", "L5", "L6"}) {
            const auto s = ExtraerSeccion(codigo);
            const bool linea = codigo[0] == 'L';
            EXPECT_TRUE(!s.texto.empty() && parrafosTerminanEnPunto(s.texto) &&
                        (!linea || parrafosTerminanEnPunto(s.interpretacion)))
                << fila << codigo;
            EXPECT_TRUE(!linea ||
                        mayusculas(recortar(s.interpretacion).substr(0, 14)) == "INTERPRETACI\xD3N")
                << fila << codigo;
        }
        const auto comentario = ExtraerSeccion("C").texto;
        EXPECT_TRUE(comentario.find("pendiente de redacci") == std::string::npos &&
                    comentario.find("\r\n\r\n") != std::string::npos)
            << fila;
    }
}

// Cada fórmula del oráculo se dice de una sola manera en los 64 textos, y el texto de una
// línea es solo el oráculo: lo que explica la posición de la línea va en el comentario o
// en la interpretación.
TEST_F(DatosEntregados, LasFormulasSiguenElGlosarioYLasLineasNoSeComentan) {
    const auto variantes = variantesProhibidas();
    ASSERT_GE(variantes.size(), 10u); // la tabla se ha leído
    ASSERT_NE(std::find(variantes.begin(), variantes.end(), "no hay falta"), variantes.end());
    const std::vector<std::string> comentario = {"la l\xEDnea", "esta l\xEDnea", "es decir"};
    // Un fallo por frase encontrada, con el trozo de texto que la rodea.
    const auto rechazar = [](const std::string& texto, const std::string& frase,
                             const std::string& donde) {
        const auto p = buscarPalabras(texto, frase);
        if (p != std::string::npos)
            ADD_FAILURE() << donde << ": \"" << cp1252AUtf8(frase) << "\" en ..."
                          << cp1252AUtf8(texto.substr(p < 30 ? 0 : p - 30, 80)) << "...";
    };
    for (int fila = 1; fila <= 64; ++fila) {
        CargarBuffer(figuraMutante(fila));
        for (const char* codigo : {"D", "C", "I", "L1", "L2", "L3", "L4", "L5", "L6"}) {
            const auto s = ExtraerSeccion(codigo);
            const auto texto = normalizado(s.texto);
            const auto donde = "hexagrama " + std::to_string(fila) + " " + codigo;
            for (const auto& v : variantes)
                rechazar(texto + " " + normalizado(s.interpretacion), v, donde);
            if (codigo[0] == 'L')
                for (const auto& frase : comentario)
                    rechazar(texto, frase, donde + " (texto de la línea)");
        }
    }
}
