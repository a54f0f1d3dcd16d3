#include "CarpetaTemporal.h"
#include "core/AlmacenTextos.h"
#include "core/ErrorArchivo.h"
#include "core/Eventos.h"
#include "core/Tablas.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hexora;
using V = std::vector<std::string>;

namespace {

// Un bloque de prueba: la cabecera que no se lee, la decisión en dos registros, el
// comentario, la imagen y cada línea con su texto y su interpretación (la de la 3 en
// minúsculas), y el terminador.
V bloqueCompleto() {
    V b = {"TITULO QUE NO SE LEE",
           "*D",
           "   Decisi\xF3n primera parte",
           "segunda parte.",
           "*C",
           "   Comentario.",
           "*I",
           "   Imagen."};
    const V nombres = {"uno", "dos", "tres", "cuatro", "cinco", "seis"};
    for (int k = 1; k <= 6; ++k) {
        const std::string n = nombres[static_cast<std::size_t>(k - 1)];
        b.insert(b.end(),
                 {"*L" + std::to_string(k), "   Linea " + n + ".",
                  (k == 3 ? "   interpretaci\xF3n: " : "   INTERPRETACI\xD3N: ") + n + "."});
    }
    b.push_back("**");
    return b;
}

class AlmacenTextos : public ::testing::Test {
protected:
    void SetUp() override {
        vaciarTablas();
        for (auto& e : BufferTexto)
            e = "";
        // El bloque del primero empieza en la posición 1; el segundo no tiene posición.
        TablaHexagramas[1] = {"", "1", "777", "777", "A", "", "1"};
        TablaHexagramas[2] = {"", "2", "888", "888", "B", "", ""};
    }
    void TearDown() override {
        vaciarTablas();
        fijarProcesadorEventos({});
    }
    void escribirBloques(const std::vector<V>& bloques) {
        std::string contenido;
        for (const auto& b : bloques)
            for (std::string r : b) {
                r.resize(80, ' ');
                contenido += r;
            }
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

} // namespace

// Sin líneas mutantes el terminador ocupa la cabecera de la línea 1; con la 6, sus dos
// párrafos llegan hasta el terminador del bloque; con la 2 y la 3, la carga se corta tras
// la 3; con todas, el bloque entero. Cada línea cargada se informa.
TEST_F(AlmacenTextos, SoloSeCarganLasLineasMutantes) {
    escribirBloques({bloqueCompleto()});
    EXPECT_TRUE(cargar("777777").empty());
    EXPECT_EQ(hastaTerminador(), (V{"*D", "   Decisi\xF3n primera parte", "segunda parte.", "*C",
                                    "   Comentario.", "*I", "   Imagen.", "**"}));
    EXPECT_EQ(seccion("L1") + seccion("L6"), "||");
    EXPECT_EQ(seccion("D"), "   Decisi\xF3n primera parte segunda parte.|");
    EXPECT_EQ(seccion("C"), "   Comentario.|"); // sin la imagen
    EXPECT_EQ(cargar("777779"), (std::vector<int>{6}));
    EXPECT_EQ(hastaTerminador().size(), 11u);
    EXPECT_EQ(seccion("L6"), "   Linea seis.|   INTERPRETACI\xD3N: seis.");
    EXPECT_EQ(cargar("799777"), (std::vector<int>{2, 3}));
    EXPECT_EQ(seccion("L3"), "   Linea tres.|   interpretaci\xF3n: tres.");
    EXPECT_EQ(seccion("L1") + seccion("L4"), "||");
    EXPECT_EQ(cargar("999999"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    const V bloque = bloqueCompleto();
    EXPECT_EQ(hastaTerminador(), V(bloque.begin() + 1, bloque.end()));
    // Una carga más corta deja restos que nadie lee.
    cargar("777777");
    EXPECT_EQ(recortarDerecha(BufferTexto[9]), "   Linea uno.");
    EXPECT_EQ(seccion("L1"), "|");
}

// Los registros de un párrafo se unen con un espacio y los párrafos con una línea en
// blanco; una línea sin interpretación es todo texto; una cabecera en minúscula la
// reconoce la carga pero no la extracción; un terminador con algo detrás cierra igual.
TEST_F(AlmacenTextos, ParrafosYCabecerasRaras) {
    auto b = bloqueCompleto();
    b.insert(b.begin() + 6, {"   Primero", "segundo.", "   Tercero."});
    b[11] = "*l1";
    b[17] = "*L3", b[19] = "   Sigue la l\xEDnea.";
    escribirBloques({b});
    EXPECT_EQ(cargar("997777"), (std::vector<int>{1, 2}));
    EXPECT_EQ(seccion("C"), "   Comentario.\r\n\r\n   Primero segundo.\r\n\r\n   Tercero.|");
    EXPECT_EQ(seccion("L1"), "|");
    cargar("779777");
    EXPECT_EQ(seccion("L3"), "   Linea tres.\r\n\r\n   Sigue la l\xEDnea.|");
    escribirBloques({{"T", "*D", "   Corto.", "**   resto del registro"}});
    cargar("777777");
    EXPECT_EQ(hastaTerminador(), (V{"*D", "   Corto.", "**"}));
}

// La extracción deja correr los eventos una vez por entrada leída.
TEST_F(AlmacenTextos, LaExtraccionDejaCorrerLosEventos) {
    escribirBloques({bloqueCompleto()});
    cargar("777777");
    int llamadas = 0;
    fijarProcesadorEventos([&] { ++llamadas; });
    ExtraerSeccion("C");
    EXPECT_EQ(llamadas, 5); // entradas 1 a 5; la 6 ("*I") corta la sección
}

// Cada fallo nombra su archivo y deja el buffer cerrado con un terminador: archivo ausente,
// bloque sin terminador o cortado al saltar una línea fija, figura sin posición o sin fila,
// bloque de más de 100 entradas (100 justas caben) y cabecera de línea fuera de 1 a 6.
TEST_F(AlmacenTextos, FallosNombranSuArchivo) {
    const auto culpable = [&](const std::string& figura) -> std::string {
        try {
            cargar(figura);
        } catch (const ErrorArchivo& e) {
            return e.archivo();
        }
        return "ninguno";
    };
    EXPECT_EQ(culpable("777777"), "BINARIO.dat");
    auto b = bloqueCompleto();
    b.pop_back();
    escribirBloques({b});
    BufferTexto[30] = "resto antiguo";
    EXPECT_EQ(culpable("999999"), "BINARIO.dat");
    EXPECT_EQ(hastaTerminador().size(), 26u);
    EXPECT_EQ(seccion("L6"), "   Linea seis.|   INTERPRETACI\xD3N: seis.");
    escribirBloques({{"T", "*D", "   x.", "*L1", "   y."}});
    EXPECT_EQ(culpable("777777"), "BINARIO.dat");
    EXPECT_EQ(culpable("888888") + culpable("7777"), "hexagr.chihexagr.chi");
    V largo = {"T", "*D"};
    for (int i = 0; i < 120; ++i)
        largo.push_back("   Registro " + std::to_string(i) + ".");
    largo.push_back("**");
    escribirBloques({largo});
    EXPECT_EQ(culpable("777777"), "BINARIO.dat");
    EXPECT_EQ(hastaTerminador().size(), 100u);
    EXPECT_EQ(recortarDerecha(BufferTexto[99]), "   Registro 97.");
    largo.resize(2 + 98);
    largo.push_back("**");
    escribirBloques({largo});
    EXPECT_EQ(culpable("777777"), "ninguno");
    for (const char* cabecera : {"*L7", "*L0", "*L", "*LX"}) {
        b = bloqueCompleto();
        b[8] = cabecera;
        escribirBloques({b});
        EXPECT_EQ(culpable("777777"), "BINARIO.dat") << cabecera;
        EXPECT_EQ(recortarDerecha(BufferTexto[8]), "**") << cabecera;
    }
}

TEST_F(AlmacenTextos, ElBloqueSeBuscaPorSuPosicion) {
    auto segundo = bloqueCompleto();
    segundo[2] = "   Otro hexagrama.";
    segundo[3] = "   Fin.";
    escribirBloques({bloqueCompleto(), segundo});
    TablaHexagramas[2][6] = std::to_string(bloqueCompleto().size() * 80 + 1);
    cargar("888888");
    EXPECT_EQ(seccion("D"), "   Otro hexagrama.\r\n\r\n   Fin.|");
}
