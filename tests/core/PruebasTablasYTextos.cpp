#include "CarpetaTemporal.h"
#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/ErrorArchivo.h"
#include "core/LectorCampos.h"
#include "core/Tablas.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

using namespace hexora;
using V = std::vector<std::string>;

namespace {

// Archivo que nombra el ErrorArchivo que lanza la acción, o "ninguno" si no falla.
template <class Accion> std::string archivoCulpable(Accion&& accion) {
    try {
        accion();
    } catch (const ErrorArchivo& e) {
        return e.archivo();
    }
    return "ninguno";
}

V campos(const std::string& texto) {
    LectorCampos lector(texto);
    V r;
    for (std::string c; lector.siguiente(c);)
        r.push_back(c);
    return r;
}

// Tabla de trigramas de ocho registros en una sola línea, el primero con el nombre dado.
std::string trigramas(const std::string& primero) {
    std::string t;
    for (int fila = 1; fila <= 8; ++fila) {
        t += (fila == 1 ? primero : "T" + std::to_string(fila)) + ",Nombre " + std::to_string(fila);
        for (int c = 3; c <= 10; ++c)
            t += "," + std::to_string(fila * 100 + c);
        t += ",";
    }
    return t;
}

// Tabla de hexagramas con n registros; la posición de texto de la fila f es 80 * f + 1.
std::string hexagramas(int n = 64) {
    std::string t;
    for (int fila = 1; fila <= n; ++fila)
        t += std::to_string(fila) + ",777,888,\"H" + std::to_string(fila) + "\",\"Segundo, " +
             std::to_string(fila) + "\"," + std::to_string(fila * 80 + 1) + "\r\n";
    return t;
}

} // namespace

TEST(LectorCampos, SeparadoresEspaciosYComillas) {
    EXPECT_EQ(campos("a,b\r\nc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(campos("   a  ,\t b"), (V{"a", "b"}));         // espacios iniciales fuera
    EXPECT_EQ(campos("a,,b"), (V{"a", "", "b"}));            // dos comas: campo vacío
    EXPECT_EQ(campos("a\n\n\nb\n"), (V{"a", "b"}));          // líneas vacías no cuentan
    EXPECT_EQ(campos("\" x,\ny \",z"), (V{" x,\ny ", "z"})); // hasta la comilla siguiente
    EXPECT_EQ(campos("\"ab\"cd ef,g"), (V{"ab", "g"}));      // tras la comilla se descarta
}

// La primera fila de los trigramas es siempre Ch'ien, y lo que sobra al final se ignora. Un
// archivo corto falla nombrándose y deja enteras las tablas anteriores. Tras cargar, cada
// fila ha de llevar su número y una posición que señale un texto ("*D") dentro de
// "BINARIO.dat"; si no, falla el arranque nombrando el archivo culpable.
TEST(CargarTablas, LeerYComprobarNombrandoElArchivoDanado) {
    CarpetaTemporal carpeta;
    carpeta.escribir("trigr.chi", trigramas("Otro") + "sobra");
    carpeta.escribir("hexagr.chi", hexagramas() + "sobra,sobra\n");
    CargarTablas();
    EXPECT_EQ(TablaTrigramas[1][1] + "|" + TablaTrigramas[8][10] + "|" + TablaHexagramas[2][5] +
                  "|" + TablaHexagramas[64][6],
              "Ch'ien|810|Segundo, 2|5121");
    carpeta.escribir("hexagr.chi", "9" + hexagramas(63)); // la fila 1, con el número 91
    EXPECT_EQ(archivoCulpable(CargarTablas), "hexagr.chi");
    EXPECT_EQ(TablaHexagramas[1][1] + "|" + TablaHexagramas[64][6], "1|5121");
    // El texto de la fila f empieza en el registro f + 1 (desde 0).
    std::string textos(80 * 66, ' ');
    for (int fila = 1; fila <= 64; ++fila)
        textos.replace(static_cast<std::size_t>(80 * (fila + 1)), 2, "*D");
    std::string numero65 = hexagramas(), sinCabecera = textos;
    numero65.replace(numero65.find("\n5,") + 1, 1, "65");
    sinCabecera[80 * 11] = ' '; // el texto de la fila 10
    for (const auto& [tabla, binario, culpable] : std::vector<std::array<std::string, 3>>{
             {hexagramas(), textos, "ninguno"},
             {numero65, textos, "hexagr.chi"},
             {hexagramas(), textos.substr(0, 80 * 65), "hexagr.chi"}, // la 64, fuera
             {hexagramas(), sinCabecera, "hexagr.chi"}}) {
        carpeta.escribir("hexagr.chi", tabla);
        carpeta.escribir("BINARIO.dat", binario);
        CargarTablas();
        EXPECT_EQ(archivoCulpable(ComprobarTablas), culpable);
    }
}

namespace {

// Un bloque de prueba: la cabecera que no se lee, la decisión en dos registros, el
// comentario, la imagen y cada línea con su texto y su interpretación (la de la 3 en
// minúsculas), y el terminador.
V bloqueCompleto() {
    V b = {"T", "*D", "   Decisi\xF3n uno", "dos.", "*C", "   Comentario.", "*I", "   Imagen."};
    for (int k = 1; k <= 6; ++k) {
        const std::string n = std::to_string(k);
        b.insert(b.end(), {"*L" + n, "   Linea " + n + ".",
                           (k == 3 ? "   interpretaci\xF3n: " : "   INTERPRETACI\xD3N: ") + n});
    }
    b.push_back("**");
    return b;
}

// Tablas en memoria: hexagramas 1 = 777/777, 2 = 888/888 sin posición de texto y 3 =
// 878/788 (línea inferior primero); trigramas Ch'ien, Li y Tui.
class ConTablas : public ::testing::Test {
protected:
    void SetUp() override {
        vaciarTablas();
        for (auto& e : BufferTexto)
            e = "";
        TablaHexagramas[1] = {"", "1", "777", "777", "Ch'ien", "Cielo", "1"};
        TablaHexagramas[2] = {"", "2", "888", "888", "K'un", "Tierra", ""};
        TablaHexagramas[3] = {"", " 3", "878", "788", "Chun", "Brote", "321"};
        TablaTrigramas[1] = {"", "Ch'ien", "El Cielo", "777", "999"};
        TablaTrigramas[2] = {"", "Li", "El Fuego", "787", "796"};
        TablaTrigramas[8] = {"", "Tui", "El Lago", "778"};
    }
    void TearDown() override { vaciarTablas(); }
    void escribirBloque(const V& bloque) {
        std::string contenido;
        for (std::string r : bloque)
            contenido += r.append(80 - r.size(), ' ');
        carpeta.escribir("BINARIO.dat", contenido);
    }
    std::vector<int> cargar(const std::string& figura) {
        std::vector<int> informadas;
        CargarBuffer(figura, [&](int k) { informadas.push_back(k); });
        return informadas;
    }
    static V hastaTerminador() {
        V r;
        for (std::size_t i = 1; i <= kEntradasBuffer && (r.empty() || r.back() != "**"); ++i)
            r.emplace_back(recortarDerecha(BufferTexto[i]));
        return r;
    }
    static std::string seccion(const char* codigo) {
        const auto s = ExtraerSeccion(codigo);
        return s.texto + "|" + s.interpretacion;
    }
    CarpetaTemporal carpeta;
};
using Aritmetica = ConTablas;
using AlmacenTextos = ConTablas;

} // namespace

// Las líneas viejas buscan como las jóvenes, con la inferior en los caracteres 1 a 3; sin
// coincidencia, cero y posición vacía. El número se lee como el sistema: espacios delante,
// redondeo al par más próximo y cero si no cabe en 16 bits; uno que no es de ninguna fila
// (marcado con "-") da a las pantallas la fila vacía. Un trigrama sin fila da la última.
TEST_F(Aritmetica, FiguraNumeroYTrigramas) {
    std::string vistos;
    for (const char* figura : {"777777", "999999", "686868", "788878", "968676", "878788", "7777"})
        vistos += std::to_string(NumeroHexagrama(figura)) + ":" + PosicionHexagrama(figura) + " ";
    EXPECT_EQ(vistos, "1:1 1:1 2: 3:321 3:321 0: 0: ");
    vistos.clear();
    for (const char* campo : {"2.5", "3.5", "  12abc", "99999", "65", "-3"}) {
        TablaHexagramas[1][1] = campo;
        const short n = NumeroHexagrama("777777");
        vistos += std::to_string(n) + (&filaHexagrama(n) == &TablaHexagramas[0] ? "- " : " ");
    }
    EXPECT_EQ(vistos, "2 4 12 0- 65- -3- ");
    EXPECT_EQ(NombreTrigrama("796") + "|" + NombreTrigrama("785"), "Li, El Fuego|Tui, El Lago");
}

// Sin líneas mutantes el terminador ocupa la cabecera de la línea 1; con la 6, sus dos
// párrafos llegan hasta el terminador del bloque; con la 2 y la 3, la carga se corta tras
// la 3. Cada línea cargada se informa.
TEST_F(AlmacenTextos, SoloSeCarganLasLineasMutantes) {
    escribirBloque(bloqueCompleto());
    EXPECT_TRUE(cargar("777777").empty());
    EXPECT_EQ(hastaTerminador().size(), 8u);
    EXPECT_EQ(seccion("D") + seccion("C") + seccion("L1"),
              "   Decisi\xF3n uno dos.|   Comentario.||");
    EXPECT_EQ(cargar("777779"), (std::vector<int>{6}));
    EXPECT_EQ(seccion("L6"), "   Linea 6.|   INTERPRETACI\xD3N: 6");
    EXPECT_EQ(cargar("799777"), (std::vector<int>{2, 3}));
    EXPECT_EQ(seccion("L3") + seccion("L1") + seccion("L4"),
              "   Linea 3.|   interpretaci\xF3n: 3||");
    EXPECT_EQ(cargar("999999"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
}

// Cada fallo nombra su archivo y deja el buffer cerrado con un terminador donde se quedó:
// figura sin fila, bloque sin terminador, bloque de más de 100 entradas (100 justas caben)
// y cabecera de línea fuera de 1 a 6.
TEST_F(AlmacenTextos, FallosNombranSuArchivo) {
    EXPECT_EQ(archivoCulpable([&] { cargar("7777"); }), "hexagr.chi");
    auto sinTerminador = bloqueCompleto(), cabeceraMala = bloqueCompleto();
    sinTerminador.pop_back();
    cabeceraMala[8] = "*L7";
    V largo = {"T", "*D"};
    for (int i = 0; i < 120; ++i)
        largo.push_back("   Registro " + std::to_string(i) + ".");
    V justo(largo.begin(), largo.begin() + 100);
    largo.push_back("**");
    justo.push_back("**");
    for (const auto& [bloque, figura, culpable, entradas] :
         std::vector<std::tuple<V, const char*, std::string, std::size_t>>{
             {sinTerminador, "999999", "BINARIO.dat", 26},
             {largo, "777777", "BINARIO.dat", 100},
             {justo, "777777", "ninguno", 100},
             {cabeceraMala, "777777", "BINARIO.dat", 8}}) {
        escribirBloque(bloque);
        EXPECT_EQ(archivoCulpable([&, f = figura] { cargar(f); }), culpable) << bloque.size();
        EXPECT_EQ(hastaTerminador().size(), entradas) << bloque.size();
    }
}
