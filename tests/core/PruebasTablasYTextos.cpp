#include "CarpetaTemporal.h"
#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/ErrorArchivo.h"
#include "core/Eventos.h"
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

// Tabla de trigramas con n registros, el primero con el nombre dado; fin cierra cada uno.
std::string trigramas(const std::string& primero, int n = 8, const std::string& fin = "\r\n") {
    std::string t;
    for (int fila = 1; fila <= n; ++fila) {
        t += (fila == 1 ? primero : "T" + std::to_string(fila)) + ",Nombre " + std::to_string(fila);
        for (int c = 3; c <= 10; ++c)
            t += "," + std::to_string(fila * 100 + c);
        t += fin;
    }
    return t;
}

// Tabla de hexagramas con n registros; sep separa los campos y fin cierra cada registro.
std::string hexagramas(int n = 64, const std::string& sep = ",", const std::string& fin = "\n") {
    std::string t;
    for (int fila = 1; fila <= n; ++fila)
        t += std::to_string(fila) + sep + "777" + sep + "888" + sep + "\"H" + std::to_string(fila) +
             "\"" + sep + "\"Segundo, " + std::to_string(fila) + "\"" + sep +
             std::to_string(fila * 80 + 1) + fin;
    return t;
}

} // namespace

TEST(LectorCampos, SeparadoresEspaciosYComillas) {
    EXPECT_EQ(campos("a,b\r\nc\nd"), (V{"a", "b", "c", "d"}));
    EXPECT_EQ(campos("   a  ,\t b"), (V{"a", "b"}));       // espacios iniciales fuera
    EXPECT_EQ(campos("a,,b"), (V{"a", "", "b"}));          // dos comas: campo vacío
    EXPECT_EQ(campos("a,\nb"), (V{"a", "", "b"}));         // coma al final de línea
    EXPECT_EQ(campos("a\n\n\nb\n"), (V{"a", "b"}));        // líneas vacías no cuentan
    EXPECT_EQ(campos("\" x, y \",z"), (V{" x, y ", "z"})); // comillas: coma dentro
    EXPECT_EQ(campos("\"ab\"cd ef,g"), (V{"ab", "g"}));    // tras la comilla se descarta
    EXPECT_EQ(campos("\"a\nb\",c"), (V{"a\nb", "c"}));     // hasta la comilla siguiente
    EXPECT_EQ(campos("\"sin cierre, z"), (V{"sin cierre, z"}));
    EXPECT_EQ(campos("Ch'ien,\"\""), (V{"Ch'ien", ""}));
    EXPECT_EQ(campos("a,"), (V{"a", ""}));
    EXPECT_EQ(campos(""), V{});
}

// La primera fila de los trigramas es siempre Ch'ien; lo demás se lee tal cual, esté en
// una línea o en muchas, y lo que sobra al final se ignora. Un archivo corto o ausente
// falla nombrándose y deja enteras las tablas anteriores. Tras cargar, cada fila ha de
// llevar su número y una posición que señale un texto ("*D") dentro de "BINARIO.dat"; si
// no, falla el arranque nombrando el archivo culpable.
TEST(CargarTablas, LeerYComprobarNombrandoElArchivoDanado) {
    CarpetaTemporal carpeta;
    carpeta.escribir("trigr.chi", trigramas("Otro", 8, ",") + "sobra");
    carpeta.escribir("hexagr.chi", hexagramas(64, "\r\n", "\r\n") + "sobra,sobra\n");
    CargarTablas();
    EXPECT_EQ(TablaTrigramas[1][1] + "|" + TablaTrigramas[1][2] + "|" + TablaTrigramas[2][1] + "|" +
                  TablaTrigramas[8][10] + "|" + TablaTrigramas[0][0],
              "Ch'ien|Nombre 1|T2|810|");
    EXPECT_EQ(TablaHexagramas[64][1] + "|" + TablaHexagramas[2][5] + "|" + TablaHexagramas[64][6] +
                  "|" + TablaHexagramas[0][4],
              "64|Segundo, 2|5121|");
    carpeta.escribir("hexagr.chi", hexagramas(63));
    try {
        CargarTablas();
        ADD_FAILURE() << "un archivo corto debe fallar";
    } catch (const ErrorArchivo& e) {
        EXPECT_NE(std::string(e.what()).find("\"hexagr.chi\" está incompleto: tiene 378 campos"),
                  std::string::npos)
            << e.what();
    }
    carpeta.escribir("trigr.chi", trigramas("Ch'ien", 7));
    EXPECT_EQ(archivoCulpable(CargarTablas), "trigr.chi");
    std::filesystem::remove(carpeta.ruta() / "trigr.chi");
    EXPECT_EQ(archivoCulpable(CargarTablas), "trigr.chi");
    EXPECT_EQ(TablaTrigramas[8][10] + TablaHexagramas[64][6], "8105121");
    // La posición de la fila f es 80 * f + 1: su texto empieza en el registro f + 1 (desde 0).
    carpeta.escribir("trigr.chi", trigramas("Ch'ien"));
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
    std::filesystem::remove(carpeta.ruta() / "BINARIO.dat");
    EXPECT_EQ(archivoCulpable(ComprobarTablas), "BINARIO.dat");
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
    void TearDown() override {
        vaciarTablas();
        fijarProcesadorEventos({});
    }
    static std::string buscar(const char* figura) {
        return std::to_string(NumeroHexagrama(figura)) + ":" + PosicionHexagrama(figura);
    }
    void escribirBloques(const std::vector<V>& bloques) {
        std::string contenido;
        for (const auto& b : bloques)
            for (std::string r : b)
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
// coincidencia, cero y posición vacía; ante dos filas iguales gana la última. El número se
// lee como el sistema: espacios delante, redondeo al par más próximo y cero si no cabe en
// 16 bits; uno que no es de ninguna fila (marcado con "-") da a las pantallas la fila vacía.
TEST_F(Aritmetica, NumeroPosicionYFilaDeLaFigura) {
    std::string vistos;
    for (const char* figura : {"777777", "999999", "797979", "686868", "788878", "968676", "878788",
                               "", "7777", "77777 ", "777x77"})
        vistos += buscar(figura) + " ";
    EXPECT_EQ(vistos, "1:1 1:1 1:1 2: 3:321 3:321 0: 0: 0: 0: 0: ");
    EXPECT_EQ(filaHexagrama(NumeroHexagrama("788878"))[4], "Chun");
    EXPECT_EQ(&filaHexagrama(64), &TablaHexagramas[64]);
    vistos.clear();
    for (const char* campo : {"2.5", "3.5", "3.49", "  12", "12abc", "abc", "99999", "65", "-3"}) {
        TablaHexagramas[1][1] = campo;
        const short n = NumeroHexagrama("777777");
        vistos += std::to_string(n) + (&filaHexagrama(n) == &TablaHexagramas[0] ? "- " : " ");
    }
    EXPECT_EQ(vistos, "2 4 3 12 12 0- 0- 65- -3- ");
    TablaHexagramas[40] = {"", "40", "777", "777", "Repetido", "", "999"};
    EXPECT_EQ(buscar("999777"), "40:999");
}

// Un código que no es de ninguna fila da la última; ante dos filas iguales gana la primera.
TEST_F(Aritmetica, NombreTrigrama) {
    TablaTrigramas[3] = {"", "Otro", "Repetido", "787"};
    std::string vistos;
    for (const char* codigo : {"796", "999", "785", "79", "787"})
        vistos += NombreTrigrama(codigo) + "|";
    EXPECT_EQ(vistos, "Li, El Fuego|Ch'ien, El Cielo|Tui, El Lago|Tui, El Lago|Li, El Fuego|");
}

// Sin líneas mutantes el terminador ocupa la cabecera de la línea 1; con la 6, sus dos
// párrafos llegan hasta el terminador del bloque; con la 2 y la 3, la carga se corta tras
// la 3; con todas, el bloque entero. Cada línea cargada se informa, y una carga más corta
// deja restos que nadie lee.
TEST_F(AlmacenTextos, SoloSeCarganLasLineasMutantes) {
    escribirBloques({bloqueCompleto()});
    EXPECT_TRUE(cargar("777777").empty());
    EXPECT_EQ(hastaTerminador(), (V{"*D", "   Decisi\xF3n uno", "dos.", "*C", "   Comentario.",
                                    "*I", "   Imagen.", "**"}));
    EXPECT_EQ(seccion("L1") + seccion("L6"), "||");
    EXPECT_EQ(seccion("D"), "   Decisi\xF3n uno dos.|");
    // La extracción deja correr los eventos una vez por entrada leída, de la 1 a la 5: la 6
    // ("*I") corta el comentario, que no se lleva la imagen.
    int llamadas = 0;
    fijarProcesadorEventos([&] { ++llamadas; });
    EXPECT_EQ(seccion("C"), "   Comentario.|");
    EXPECT_EQ(llamadas, 5);
    EXPECT_EQ(cargar("777779"), (std::vector<int>{6}));
    EXPECT_EQ(hastaTerminador().size(), 11u);
    EXPECT_EQ(seccion("L6"), "   Linea 6.|   INTERPRETACI\xD3N: 6");
    EXPECT_EQ(cargar("799777"), (std::vector<int>{2, 3}));
    EXPECT_EQ(seccion("L3") + seccion("L1") + seccion("L4"),
              "   Linea 3.|   interpretaci\xF3n: 3||");
    EXPECT_EQ(cargar("999999"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    const V bloque = bloqueCompleto();
    EXPECT_EQ(hastaTerminador(), V(bloque.begin() + 1, bloque.end()));
    cargar("777777");
    EXPECT_EQ(recortarDerecha(BufferTexto[9]), "   Linea 1.");
    EXPECT_EQ(seccion("L1"), "|");
}

// Los registros de un párrafo se unen con un espacio y los párrafos con una línea en
// blanco; una línea sin interpretación es todo texto; una cabecera en minúscula la
// reconoce la carga pero no la extracción. El bloque se busca por su posición, y un
// terminador con algo detrás cierra igual.
TEST_F(AlmacenTextos, ParrafosCabecerasRarasYPosicion) {
    auto b = bloqueCompleto();
    b.insert(b.begin() + 6, {"   Primero", "segundo.", "   Tercero."});
    b[11] = "*l1";
    b[17] = "*L3", b[19] = "   Sigue la l\xEDnea.";
    escribirBloques({b, {"T", "*D", "   Corto.", "**   resto del registro"}});
    EXPECT_EQ(cargar("997777"), (std::vector<int>{1, 2}));
    EXPECT_EQ(seccion("C"), "   Comentario.\r\n\r\n   Primero segundo.\r\n\r\n   Tercero.|");
    EXPECT_EQ(seccion("L1"), "|");
    cargar("779777");
    EXPECT_EQ(seccion("L3"), "   Linea 3.\r\n\r\n   Sigue la l\xEDnea.|");
    TablaHexagramas[2][6] = std::to_string(b.size() * 80 + 1);
    cargar("888888");
    EXPECT_EQ(hastaTerminador(), (V{"*D", "   Corto.", "**"}));
}

// Cada fallo nombra su archivo y deja el buffer cerrado con un terminador donde se quedó:
// archivo ausente, figura sin fila o sin posición, bloque sin terminador o cortado al
// saltar una línea fija, bloque de más de 100 entradas (100 justas caben) y cabecera de
// línea fuera de 1 a 6.
TEST_F(AlmacenTextos, FallosNombranSuArchivo) {
    EXPECT_EQ(archivoCulpable([&] { cargar("777777"); }), "BINARIO.dat");
    EXPECT_EQ(archivoCulpable([&] { cargar("7777"); }), "hexagr.chi");
    EXPECT_EQ(archivoCulpable([&] { cargar("888888"); }), "hexagr.chi");
    auto sinTerminador = bloqueCompleto();
    sinTerminador.pop_back();
    V largo = {"T", "*D"};
    for (int i = 0; i < 120; ++i)
        largo.push_back("   Registro " + std::to_string(i) + ".");
    V justo(largo.begin(), largo.begin() + 100);
    largo.push_back("**");
    justo.push_back("**");
    std::vector<std::tuple<V, const char*, std::string, std::size_t>> casos = {
        {sinTerminador, "999999", "BINARIO.dat", 26},
        {{"T", "*D", "   x.", "*L1", "   y."}, "777777", "BINARIO.dat", 3},
        {largo, "777777", "BINARIO.dat", 100},
        {justo, "777777", "ninguno", 100}};
    for (const char* cabecera : {"*L7", "*L0", "*L", "*LX"}) {
        casos.push_back({bloqueCompleto(), "777777", "BINARIO.dat", 8});
        std::get<0>(casos.back())[8] = cabecera;
    }
    for (const auto& [bloque, figura, culpable, entradas] : casos) {
        escribirBloques({bloque});
        EXPECT_EQ(archivoCulpable([&, f = figura] { cargar(f); }), culpable) << bloque.size();
        EXPECT_EQ(hastaTerminador().size(), entradas) << bloque.size();
    }
}
