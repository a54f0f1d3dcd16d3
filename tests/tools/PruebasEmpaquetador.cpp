#include "CarpetaTemporal.h"
#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/Tablas.h"
#include "empaquetador/Empaquetador.h"

#include <gtest/gtest.h>

#include <functional>

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

::testing::AssertionResult rechaza(const std::function<void()>& accion, const std::string& motivo) {
    try {
        accion();
    } catch (const ErrorFuente& e) {
        if (std::string(e.what()).find(motivo) != std::string::npos)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << e.what();
    }
    return ::testing::AssertionFailure() << "se aceptó: " << motivo;
}

const std::vector<Trigrama>& leidos() {
    static const auto trigramas = leerTrigramas("trigramas.txt", kTrigramas);
    return trigramas;
}

// Los 64 hexagramas con figuras distintas; el primero con las secciones dadas.
std::vector<HexagramaFuente> juegoCompleto(const std::string& textoPrimero = "") {
    std::vector<HexagramaFuente> hs;
    for (std::size_t n = 1; n <= 64; ++n)
        hs.push_back(leerHexagrama(
            std::to_string(n) + ".txt",
            cabecera(static_cast<int>(n), kNombres[(n - 1) % 8], kNombres[(n - 1) / 8]) +
                (n == 1 ? textoPrimero : ""),
            leidos()));
    return hs;
}

} // namespace

// Un párrafo se parte en registros de 80 llenos todo lo posible, el primero sangrado y los
// demás sin blancos a los lados; una palabra que no cabe o una que empieza por "*" se
// rechazan.
TEST(Empaquetador, PartirParrafoEnRegistros) {
    const std::string a(70, 'a'), c(79, 'c');
    EXPECT_EQ(partirParrafo(a + " bbbbbb " + c + " d.", "x", 1),
              (std::vector<std::string>{"   " + a + " bbbbbb", c, "d."}));
    EXPECT_EQ(partirParrafo(std::string(76, 'a') + ".", "x", 1).size(), 1u);
    EXPECT_TRUE(rechaza([] { partirParrafo(std::string(78, 'a') + ".", "x", 1); }, "no cabe"));
    EXPECT_TRUE(rechaza([] { partirParrafo(std::string(75, 'a') + " *n.", "x", 1); }, "\"*\""));
}

// Lo que los lectores del programa tratarían mal se rechaza, diciendo por qué.
TEST(Empaquetador, RechazaLoQueLosLectoresTratarianMal) {
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
             {largo + s.substr(s.find("*C")), "el máximo es 100"}})
        EXPECT_TRUE(rechaza([&f = fuente] { leerHexagrama("01.txt", f, leidos()); }, motivo));
    for (const auto& [fuente, motivo] : std::vector<std::pair<std::string, std::string>>{
             {"Ch'ien | Cielo | 777\n", "se esperaban 8 trigramas"},
             {con(kTrigramas, "Ch'ien", "Qian"), "debe ser Ch'ien"},
             {con(kTrigramas, "| 888", "| 889"), "tres líneas"},
             {con(kTrigramas, "| 888", "| 777"), "trigrama repetido"}})
        EXPECT_TRUE(rechaza([&f = fuente] { leerTrigramas("t", f); }, motivo));
    auto hs = juegoCompleto();
    hs[10].numero = 4;
    EXPECT_TRUE(rechaza([&] { empaquetar(leidos(), hs); }, "el hexagrama 4 ya está en 4.txt"));
    hs = juegoCompleto();
    hs[10].inferior = hs[3].inferior, hs[10].superior = hs[3].superior;
    EXPECT_TRUE(rechaza([&] { empaquetar(leidos(), hs); }, "ya es la del hexagrama de 4.txt"));
}

// Lo que escribe el empaquetador lo leen las tablas y el almacén de textos del programa: los
// trigramas con sus ocho códigos, cada hexagrama con su figura, las líneas de un párrafo
// unidas, cada sección con lo que ocupa y lo que falta como pendiente.
TEST(Empaquetador, ElProgramaLeeLoEmpaquetado) {
    const auto hs = juegoCompleto("# comentario\n" + secciones());
    EXPECT_EQ(entradasConTodasMutantes(hs[0]), 1u + 9u + 4u + 12u);
    const auto paquete = empaquetar(leidos(), hs);
    EXPECT_EQ(paquete.pendientes, 63);
    EXPECT_EQ(paquete.trigramas.substr(0, paquete.trigramas.find('\n') + 1),
              "\"Ch'ien\",\"El Cielo\",777,779,797,799,977,979,997,999\r\n");
    CarpetaTemporal carpeta;
    carpeta.escribir("trigr.chi", paquete.trigramas);
    carpeta.escribir("hexagr.chi", paquete.hexagramas);
    carpeta.escribir("BINARIO.dat", paquete.textos);
    CargarTablas();
    EXPECT_EQ(TablaHexagramas[NumeroHexagrama("999666")][4], "H9"); // Ch'ien bajo K'un
    std::vector<int> lineas;
    CargarBuffer("999999", [&](int k) { lineas.push_back(k); });
    EXPECT_EQ(lineas, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    const auto l4 = ExtraerSeccion("L4");
    EXPECT_EQ(ExtraerSeccion("C").texto + "|" + l4.texto + "|" + l4.interpretacion,
              "   El comentario, en dos l\xEDneas.\r\n\r\n   Otro p\xE1rrafo.|   Texto de la "
              "l\xEDnea 4.|   INTERPRETACI\xD3N: sobre la l\xEDnea 4.");
    CargarBuffer("778778"); // el último, pendiente
    EXPECT_NE(ExtraerSeccion("D").texto.find("pendiente"), std::string::npos);
    vaciarTablas();
}
