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

// Que la acción falle con un mensaje que empiece por el dado (archivo, línea y motivo).
::testing::AssertionResult rechaza(const std::function<void()>& accion, const std::string& motivo) {
    try {
        accion();
    } catch (const ErrorFuente& e) {
        if (std::string(e.what()).rfind(motivo, 0) == 0)
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

// Un párrafo llena registros de 80, el primero sangrado y los demás sin blancos a los lados;
// una palabra que no cabe o una que empieza por "*" se rechaza.
TEST(Empaquetador, PartirParrafoEnRegistros) {
    const std::string a(70, 'a'), c(79, 'c');
    EXPECT_EQ(partirParrafo(a + " bbbbbb " + c + " d.", "x", 1),
              (std::vector<std::string>{"   " + a + " bbbbbb", c, "d."}));
    EXPECT_TRUE(
        rechaza([] { partirParrafo(std::string(78, 'a') + ".", "x", 1); }, "x:1: la palabra"));
    EXPECT_TRUE(rechaza([] { partirParrafo(std::string(75, 'a') + " *n.", "x", 1); },
                        "x:1: un registro empezaría por \"*\""));
}

// Lo que los lectores del programa tratarían mal se rechaza, diciendo dónde (archivo y línea,
// si la hay) y por qué; un caso de cada clase.
TEST(Empaquetador, RechazaLoQueLosLectoresTratarianMal) {
    const auto c = cabecera(1);
    const auto s = secciones();
    std::string largo = c + "\n*D\n";
    for (int i = 0; i < 95; ++i)
        largo += "Párrafo " + std::to_string(i) + ".\n\n";
    for (const auto& [fuente, motivo] : std::vector<std::pair<std::string, std::string>>{
             {c + secciones("Sin punto final"), "01.txt:8: el párrafo debe terminar en punto"},
             {c + secciones("Un carácter chino: 中."), "01.txt:8: el carácter \"中\" no existe"},
             {c + con(s, "INTERPRETACIÓN: sobre la línea 3", "Explicación"),
              "01.txt:25: la sección *L3 no tiene interpretación"},
             {c + con(s, "*I\nLa imagen.\n", ""), "01.txt:15: se esperaba la sección *I"},
             {c + "\n*D\n\n*C\nx.\n", "01.txt:7: la sección *D está vacía"},
             // "interpretación" al principio de un registro partiría la sección antes.
             {c + con(s, "Texto de la línea 4.", std::string(70, 'a') + " interpretación x."),
              "01.txt:30: un registro del texto de la línea empezaría por \"interpretación\""},
             {cabecera(65) + s, "01.txt:1: el número de hexagrama debe ir de 1 a 64"},
             {cabecera(1, "Nadie") + s, "01.txt:4: trigrama desconocido"},
             {"hexagrama: 1\nnombre: A\n" + s, "01.txt: falta el campo"},
             {con(c, "H1", "\"H\""), "01.txt:2: un nombre no puede llevar comillas"},
             {largo + s.substr(s.find("*C")), "01.txt: el texto ocupa 120 registros"}})
        EXPECT_TRUE(rechaza([&f = fuente] { leerHexagrama("01.txt", f, leidos()); }, motivo));
    for (const auto& [fuente, motivo] : std::vector<std::pair<std::string, std::string>>{
             {con(kTrigramas, "Ch'ien", "Qian"), "t: el primer trigrama debe ser Ch'ien"},
             {con(kTrigramas, "| 888", "| 889"), "t:3: la figura debe tener tres líneas"},
             {con(kTrigramas, "| 888", "| 777"), "t:3: trigrama repetido"}})
        EXPECT_TRUE(rechaza([&f = fuente] { leerTrigramas("t", f); }, motivo));
    auto hs = juegoCompleto();
    hs[10].numero = 4;
    EXPECT_TRUE(
        rechaza([&] { empaquetar(leidos(), hs); }, "11.txt: el hexagrama 4 ya está en 4.txt"));
    hs = juegoCompleto();
    hs[10].inferior = hs[3].inferior, hs[10].superior = hs[3].superior;
    EXPECT_TRUE(rechaza([&] { empaquetar(leidos(), hs); }, "11.txt: la figura 878777 ya es la de"));
}

// Lo que escribe el empaquetador lo leen las tablas y el almacén de textos del programa: cada
// hexagrama con su figura (también con líneas viejas), las líneas de un párrafo unidas, cada
// sección con lo que ocupa y lo que falta como pendiente.
TEST(Empaquetador, ElProgramaLeeLoEmpaquetado) {
    const auto hs = juegoCompleto("# comentario\n" + secciones());
    const auto paquete = empaquetar(leidos(), hs);
    EXPECT_EQ(paquete.pendientes, 63);
    CarpetaTemporal carpeta;
    carpeta.escribir("trigr.chi", paquete.trigramas);
    carpeta.escribir("hexagr.chi", paquete.hexagramas);
    carpeta.escribir("BINARIO.dat", paquete.textos);
    CargarTablas();
    EXPECT_EQ(TablaHexagramas[NumeroHexagrama("999666")][4], "H9"); // Ch'ien bajo K'un
    CargarBuffer("999999");
    const auto l4 = ExtraerSeccion("L4");
    EXPECT_EQ(ExtraerSeccion("C").texto + "|" + l4.texto + "|" + l4.interpretacion,
              "   El comentario, en dos l\xEDneas.\r\n\r\n   Otro p\xE1rrafo.|   Texto de la "
              "l\xEDnea 4.|   INTERPRETACI\xD3N: sobre la l\xEDnea 4.");
    CargarBuffer("778778"); // el último, pendiente
    EXPECT_NE(ExtraerSeccion("D").texto.find("pendiente"), std::string::npos);
    vaciarTablas();
}
