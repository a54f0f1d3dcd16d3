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
#include <regex>
#include <vector>

using namespace hexora;

namespace {

class DatosEntregados : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
        CargarTablas();
    }
    // Figura de la fila con líneas jóvenes, la inferior primero.
    static std::string figura(int fila) {
        return TablaHexagramas[fila][3] + TablaHexagramas[fila][2];
    }
};

// Variantes que el glosario de data/LEEME.md prohíbe (última columna de las filas de su
// tabla, tras la de guiones), en Windows-1252 y minúsculas. Las que llevan una aclaración
// entre paréntesis («como fórmula») dependen del sentido y no se comprueban aquí.
std::vector<std::string> variantesProhibidas() {
    std::ifstream leeme(HEXORA_FUENTES_DATOS "/LEEME.md");
    std::vector<std::string> variantes;
    bool enGlosario = false, enFilas = false;
    const std::regex fila(R"(^\|.*\|([^|]*)\|\s*$)"), coma(R"(\s*,\s*)");
    for (std::string linea; std::getline(leeme, linea);) {
        if (linea.rfind("## ", 0) == 0)
            enGlosario = linea.find("Glosario") != std::string::npos;
        std::smatch m;
        if (enGlosario && enFilas && std::regex_match(linea, m, fila)) {
            const std::string lista = m[1];
            for (std::sregex_token_iterator v(lista.begin(), lista.end(), coma, -1), fin; v != fin;
                 ++v)
                if (const std::string s{recortar(v->str())}; !s.empty() && s.find('(') == s.npos)
                    variantes.push_back(minusculas(utf8ACp1252(s).texto));
        }
        enFilas = enFilas || (enGlosario && linea.rfind("|---", 0) == 0);
    }
    return variantes;
}

// Un fallo si la frase está en el texto como palabras enteras ("ventura" no está en
// "aventura"), con el trozo de texto que la rodea.
void rechazar(const std::string& texto, const std::string& frase, const std::string& donde) {
    const auto letra = [&](std::size_t i) {
        const auto c = static_cast<unsigned char>(texto[i]);
        return std::isalnum(c) || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
    };
    for (auto p = texto.find(frase); p != std::string::npos; p = texto.find(frase, p + 1))
        if ((p == 0 || !letra(p - 1)) &&
            (p + frase.size() == texto.size() || !letra(p + frase.size())))
            ADD_FAILURE() << donde << ": \"" << cp1252AUtf8(frase) << "\" en ..."
                          << cp1252AUtf8(texto.substr(p < 30 ? 0 : p - 30, 80)) << "...";
}

// Minúsculas y cada tramo de espacios o saltos reducido a un espacio.
std::string normalizado(const std::string& texto) {
    static const std::regex espacios(R"(\s+)");
    return std::regex_replace(minusculas(texto), espacios, " ");
}

} // namespace

// Unas cuantas figuras, con líneas viejas o jóvenes, dan su hexagrama y sus trigramas; y en
// el orden tradicional cada hexagrama par es el impar anterior vuelto del revés, o su
// inverso si es simétrico. Que las figuras no se repitan lo asegura el empaquetador.
TEST_F(DatosEntregados, FigurasTrigramasYOrdenTradicional) {
    std::string vistos;
    for (const char* f : {"999999", "968676", "977886", "688797", "878788", "787878", "878787"})
        vistos += TablaHexagramas[NumeroHexagrama(f)][1] + " " +
                  filaHexagrama(NumeroHexagrama(f))[4] + "|";
    EXPECT_EQ(vistos, "1 Ch'ien|3 Chun|11 T'ai|12 P'i|40 Hsieh|63 Chi Chi|64 Wei Chi|");
    EXPECT_EQ(NombreTrigrama("999") + "|" + NombreTrigrama("696") + "|" + NombreTrigrama("966"),
              "Ch'ien, El Cielo|K'an, El Agua|Ch\xEAn, El Trueno");
    for (int impar = 1; impar < 64; impar += 2) {
        const auto a = figura(impar);
        std::string esperado(a.rbegin(), a.rend());
        if (esperado == a)
            for (auto& c : esperado)
                c = c == '7' ? '8' : '7';
        EXPECT_EQ(figura(impar + 1), esperado) << impar;
    }
}

// Con las seis líneas mutantes cada bloque trae todas sus secciones con texto, cada línea con
// su interpretación, y un comentario de varios párrafos, nunca el aviso de texto pendiente
// (el punto final de cada párrafo lo exige el empaquetador).
// Cada fórmula del oráculo se dice de una sola manera, la del glosario, y el texto de una
// línea no se comenta a sí mismo.
TEST_F(DatosEntregados, CadaBloqueCompletoYConElGlosario) {
    const auto variantes = variantesProhibidas();
    ASSERT_NE(std::find(variantes.begin(), variantes.end(), "no hay falta"), variantes.end());
    for (int fila = 1; fila <= 64; ++fila) {
        std::string mutante = figura(fila);
        for (auto& c : mutante)
            c = c == '7' ? '9' : '6';
        std::vector<int> lineas;
        ASSERT_NO_THROW(CargarBuffer(mutante, [&](int k) { lineas.push_back(k); })) << fila;
        EXPECT_EQ(lineas, (std::vector<int>{1, 2, 3, 4, 5, 6})) << fila;
        for (const char* codigo : {"D", "C", "I", "L1", "L2", "L3", "L4", "L5", "L6"}) {
            const auto s = ExtraerSeccion(codigo);
            const auto donde = "hexagrama " + std::to_string(fila) + " " + codigo;
            EXPECT_FALSE(s.texto.empty() || (codigo[0] == 'L' && s.interpretacion.empty()))
                << donde;
            const auto todo = normalizado(s.texto) + " " + normalizado(s.interpretacion);
            for (const auto& v : variantes)
                rechazar(todo, v, donde);
            // El texto de una línea es solo el oráculo: lo que explica su posición va en el
            // comentario o en la interpretación.
            for (const char* frase : {"la l\xEDnea", "esta l\xEDnea", "es decir"})
                if (codigo[0] == 'L')
                    rechazar(normalizado(s.texto), frase, donde + " (texto de la línea)");
        }
        const auto comentarioDelBloque = ExtraerSeccion("C").texto;
        EXPECT_TRUE(comentarioDelBloque.find("pendiente de redacci") == std::string::npos &&
                    comentarioDelBloque.find("\r\n\r\n") != std::string::npos)
            << fila;
    }
}
