#include "CarpetaTemporal.h"
#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/Tablas.h"
#include "empaquetador/Empaquetador.h"

#include <gtest/gtest.h>

#include <regex>

using namespace hexora;
using namespace hexora::empaquetador;

namespace {

const char* kTrigramas = "# comentario\n"
                         "Ch'ien | El Cielo | 777\nK'un | La Tierra | 888\nChên | El Trueno | 788\n"
                         "K'an | El Agua | 878\nKên | La Montaña | 887\nSun | El Viento | 877\n"
                         "Li | El Fuego | 787\nTui | El Lago | 778\n";
const std::vector<std::string> kNombres = {"Ch'ien", "K'un", "Chên", "K'an",
                                           "Kên",    "Sun",  "Li",   "Tui"};

std::string cabecera(int n, const std::string& inferior = "Ch'ien",
                     const std::string& superior = "Ch'ien") {
    return "hexagrama: " + std::to_string(n) + "\nnombre: H" + std::to_string(n) +
           "\nsegundo nombre: Segundo " + std::to_string(n) + "\ntrigrama inferior: " + inferior +
           "\ntrigrama superior: " + superior + "\n";
}

std::string secciones(const std::string& decision = "La decisión.") {
    std::string s = "\n*D\n" + decision +
                    "\n\n*C\nEl comentario,\nen dos líneas.\n\nOtro párrafo.\n*I\nLa imagen.\n";
    for (int k = 1; k <= 6; ++k)
        s += "*L" + std::to_string(k) + "\nTexto de la línea " + std::to_string(k) +
             ".\n\nINTERPRETACIÓN: sobre la línea " + std::to_string(k) + ".\n";
    return s;
}

// La fuente con la primera aparición de a cambiada por b.
std::string con(std::string fuente, const std::string& a, const std::string& b) {
    return fuente.replace(fuente.find(a), a.size(), b);
}

class Empaquetador : public ::testing::Test {
protected:
    HexagramaFuente leer(const std::string& contenido) {
        return leerHexagrama("01.txt", contenido, trigramas);
    }
    // Los 64 hexagramas con figuras distintas; el primero con las secciones dadas.
    std::vector<HexagramaFuente> juegoCompleto(const std::string& textoPrimero) {
        std::vector<HexagramaFuente> hs;
        for (std::size_t n = 1; n <= 64; ++n)
            hs.push_back(leerHexagrama(
                std::to_string(n) + ".txt",
                cabecera(static_cast<int>(n), kNombres[(n - 1) % 8], kNombres[(n - 1) / 8]) +
                    (n == 1 ? textoPrimero : ""),
                trigramas));
        return hs;
    }
    std::vector<Trigrama> trigramas = leerTrigramas("trigramas.txt", kTrigramas);
};

} // namespace

// Un párrafo se parte en registros de 80 llenos todo lo posible, el primero sangrado y sin
// blancos a los lados; una palabra que no cabe o una que empieza por "*" se rechazan.
TEST_F(Empaquetador, PartirParrafoEnRegistros) {
    std::string largo;
    for (int i = 0; i < 40; ++i)
        largo += "palabra" + std::to_string(i) + " ";
    largo += "fin.";
    const auto rs = partirParrafo(largo, "x", 1);
    ASSERT_GT(rs.size(), 1u);
    EXPECT_EQ(rs[0].substr(0, 4), "   p");
    std::string unido;
    for (std::size_t i = 0; i < rs.size(); ++i) {
        EXPECT_TRUE(rs[i].size() <= 80 && rs[i].back() != ' ' && (i == 0 || rs[i][0] != ' '));
        // Lleno: la primera palabra del siguiente no cabía.
        EXPECT_TRUE(i + 1 == rs.size() ||
                    rs[i].size() + 1 + std::min(rs[i + 1].find(' '), rs[i + 1].size()) > 80);
        unido += (unido.empty() ? "" : " ") + std::string(recortar(rs[i]));
    }
    EXPECT_EQ(unido, largo);
    EXPECT_THROW(partirParrafo(std::string(78, 'a') + ".", "x", 1), ErrorFuente);
    EXPECT_NO_THROW(partirParrafo(std::string(76, 'a') + ".", "x", 1));
    EXPECT_THROW(partirParrafo(std::string(75, 'a') + " *nota.", "x", 1), ErrorFuente);
}

TEST_F(Empaquetador, LeeLaFuenteCompleta) {
    const auto h = leer("# comentario\n" + cabecera(1, "Chên", "K'an") + secciones());
    EXPECT_EQ(std::to_string(h.numero) + h.inferior + h.superior, "1788878");
    EXPECT_FALSE(h.pendiente);
    ASSERT_EQ(h.secciones.size(), 9u);
    EXPECT_EQ(h.secciones[0].registros, (std::vector<std::string>{"   La decisi\xF3n."}));
    EXPECT_EQ(
        h.secciones[1].registros,
        (std::vector<std::string>{"   El comentario, en dos l\xEDneas.", "   Otro p\xE1rrafo."}));
    EXPECT_EQ(h.secciones[8].codigo + h.secciones[8].registros.back(),
              "L6   INTERPRETACI\xD3N: sobre la l\xEDnea 6.");
    EXPECT_EQ(entradasConTodasMutantes(h), 1u + 9u + 4u + 12u);
    const auto pendiente = leer(cabecera(1));
    EXPECT_TRUE(pendiente.pendiente && pendiente.secciones.size() == 9u);
}

// Lo que los lectores del programa tratarían mal se rechaza, diciendo por qué.
TEST_F(Empaquetador, RechazaLoQueLosLectoresTratarianMal) {
    const auto c = cabecera(1);
    const auto s = secciones();
    std::string largo = c + "\n*D\n";
    for (int i = 0; i < 95; ++i)
        largo += "Párrafo " + std::to_string(i) + ".\n\n";
    for (const auto& [fuente, motivo] : std::vector<std::pair<std::string, std::string>>{
             {c + secciones("Sin punto final"), "terminar en punto"},
             {c + secciones("Una " + std::string(80, 'x') + "."), "no cabe en un registro"},
             {c + secciones("Un carácter chino: 中."), "no existe en Windows-1252"},
             {c + secciones("Mal \xC3 formado."), "UTF-8 mal formado"},
             {c + con(s, "INTERPRETACIÓN: sobre la línea 3", "Explicación"),
              "*L3 no tiene interpretación"},
             {c + con(s, "Texto de la línea 2.", ""), "falta el texto de la línea"},
             {c + con(s, "*I\nLa imagen.\n", ""), "se esperaba la sección *I"},
             {c + s.substr(0, s.find("*L6")), "falta la sección *L6"},
             {c + s + "*L7\nOtra.\n", "sobra la sección"},
             {c + "\n*D\n\n*C\nx.\n", "*D está vacía"},
             // "interpretación" al principio de un registro partiría la sección antes.
             {c + con(s, "Texto de la línea 4.", std::string(70, 'a') + " interpretación x."),
              "empezaría por \"interpretación\""},
             {cabecera(65) + s, "de 1 a 64"},
             {cabecera(1, "Nadie") + s, "trigrama desconocido"},
             {"hexagrama: 1\nnombre: A\n" + s, "falta el campo"},
             {c + "color: azul\n" + s, "campos admitidos"},
             {c + "nombre: otro\n", "campo repetido"},
             {con(c, "H1", "\"H\""), "comillas"},
             {largo + s.substr(s.find("*C")), "el máximo es 100"}}) {
        try {
            leer(fuente);
            ADD_FAILURE() << "se aceptó: " << motivo;
        } catch (const ErrorFuente& e) {
            EXPECT_NE(std::string(e.what()).find(motivo), std::string::npos) << e.what();
        }
    }
    auto hs = juegoCompleto("");
    hs[10].inferior = hs[3].inferior, hs[10].superior = hs[3].superior;
    EXPECT_THROW(empaquetar(trigramas, hs), ErrorFuente);
    hs = juegoCompleto("");
    hs[10].numero = 4;
    EXPECT_THROW(empaquetar(trigramas, hs), ErrorFuente);
    for (const std::string& mal :
         {std::string("Ch'ien | Cielo | 777\n"), con(kTrigramas, "Ch'ien", "Qian"),
          con(kTrigramas, "| 888", "| 889"), con(kTrigramas, "| 888", "| 777")})
        EXPECT_THROW(leerTrigramas("t", mal), ErrorFuente) << mal;
}

// Lo que escribe el empaquetador lo leen las tablas y el almacén de textos del programa.
TEST_F(Empaquetador, ElProgramaLeeLoEmpaquetado) {
    const auto paquete = empaquetar(trigramas, juegoCompleto(secciones()));
    EXPECT_EQ(paquete.pendientes, 63);
    EXPECT_TRUE(paquete.textos.size() % 80 == 0 && paquete.textos.find('\n') == std::string::npos);
    EXPECT_TRUE(
        std::regex_search(paquete.trigramas, std::regex("^\"Ch'ien\",\"El Cielo\","
                                                        "777,779,797,799,977,979,997,999\r\n")));
    CarpetaTemporal carpeta;
    carpeta.escribir("trigr.chi", paquete.trigramas);
    carpeta.escribir("hexagr.chi", paquete.hexagramas);
    carpeta.escribir("BINARIO.dat", paquete.textos);
    CargarTablas();
    EXPECT_EQ(NombreTrigrama("966") + "|" + NombreTrigrama("669"),
              "Ch\xEAn, El Trueno|K\xEAn, La Monta\xF1"
              "a");
    EXPECT_EQ(NumeroHexagrama("999666"), 9); // inferior Ch'ien, superior K'un
    EXPECT_EQ(TablaHexagramas[9][4] + TablaHexagramas[9][3] + TablaHexagramas[9][2], "H9777888");
    std::vector<int> lineas;
    CargarBuffer("999999", [&](int k) { lineas.push_back(k); });
    EXPECT_EQ(lineas, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ExtraerSeccion("C").texto,
              "   El comentario, en dos l\xEDneas.\r\n\r\n   Otro p\xE1rrafo.");
    const auto l4 = ExtraerSeccion("L4");
    EXPECT_EQ(l4.texto + "|" + l4.interpretacion,
              "   Texto de la l\xEDnea 4.|   INTERPRETACI\xD3N: sobre la l\xEDnea 4.");
    CargarBuffer("778778"); // el último, pendiente
    EXPECT_NE(ExtraerSeccion("D").texto.find("pendiente"), std::string::npos);
    vaciarTablas();
}
