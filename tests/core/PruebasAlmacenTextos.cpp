#include "CarpetaTemporal.h"
#include "core/AlmacenTextos.h"
#include "core/ErrorArchivo.h"
#include "core/Eventos.h"
#include "core/Tablas.h"

#include <gtest/gtest.h>

#include <vector>

using namespace hexora;

namespace {

std::string registro(std::string texto) {
    texto.resize(80, ' ');
    return texto;
}

// Un bloque de prueba: la cabecera que no se lee y luego las secciones con su texto.
std::vector<std::string> bloqueCompleto() {
    return {"TITULO QUE NO SE LEE",
            "*D",
            "   Decisi\xF3n primera parte",
            "segunda parte.",
            "*C",
            "   Comentario.",
            "*I",
            "   Imagen.",
            "*L1",
            "   Linea uno.",
            "   INTERPRETACI\xD3N: uno.",
            "*L2",
            "   Linea dos.",
            "   INTERPRETACI\xD3N: dos.",
            "*L3",
            "   Linea tres.",
            "   interpretaci\xF3n: tres.",
            "*L4",
            "   Linea cuatro.",
            "   INTERPRETACI\xD3N: cuatro.",
            "*L5",
            "   Linea cinco.",
            "   INTERPRETACI\xD3N: cinco.",
            "*L6",
            "   Linea seis.",
            "   INTERPRETACI\xD3N: seis.",
            "**"};
}

class AlmacenTextos : public ::testing::Test {
protected:
    void SetUp() override {
        vaciarTablas();
        for (auto& e : BufferTexto)
            e = "";
        // Dos hexagramas de prueba: el bloque empieza en la posición 1 y el segundo, si
        // lo hay, detrás.
        TablaHexagramas[1] = {"", "1", "777", "777", "A", "", "1"};
        TablaHexagramas[2] = {"", "2", "888", "888", "B", "", ""};
    }
    void TearDown() override {
        vaciarTablas();
        fijarProcesadorEventos({});
    }

    void escribirBloques(const std::vector<std::vector<std::string>>& bloques) {
        std::string contenido;
        for (const auto& b : bloques) {
            for (const auto& r : b)
                contenido += registro(r);
        }
        carpeta.escribir("BINARIO.dat", contenido);
    }

    std::vector<int> cargar(const std::string& figura) {
        std::vector<int> informadas;
        CargarBuffer(figura, [&](int k) { informadas.push_back(k); });
        return informadas;
    }

    CarpetaTemporal carpeta;
};

std::vector<std::string> entradasHastaTerminador() {
    std::vector<std::string> r;
    for (std::size_t i = 1; i <= kEntradasBuffer; ++i) {
        r.emplace_back(recortarDerecha(BufferTexto[i]));
        if (r.back() == "**")
            break;
    }
    return r;
}

using V = std::vector<std::string>;

} // namespace

TEST_F(AlmacenTextos, SinLineasMutantesElTerminadorOcupaLaCabeceraDeLaLinea1) {
    escribirBloques({bloqueCompleto()});
    EXPECT_TRUE(cargar("777777").empty());
    EXPECT_EQ(entradasHastaTerminador(), (V{"*D", "   Decisi\xF3n primera parte", "segunda parte.",
                                            "*C", "   Comentario.", "*I", "   Imagen.", "**"}));
    for (const char* l : {"L1", "L6"}) {
        const auto s = ExtraerSeccion(l);
        EXPECT_EQ(s.texto, "");
        EXPECT_EQ(s.interpretacion, "");
    }
    EXPECT_EQ(ExtraerSeccion("D").texto, "   Decisi\xF3n primera parte segunda parte.");
    EXPECT_EQ(ExtraerSeccion("C").texto, "   Comentario."); // sin la imagen
}

TEST_F(AlmacenTextos, SoloLaLinea6LlegaHastaElTerminadorDelBloque) {
    escribirBloques({bloqueCompleto()});
    EXPECT_EQ(cargar("777779"), (std::vector<int>{6}));
    EXPECT_EQ(
        entradasHastaTerminador(),
        (V{"*D", "   Decisi\xF3n primera parte", "segunda parte.", "*C", "   Comentario.", "*I",
           "   Imagen.", "*L6", "   Linea seis.", "   INTERPRETACI\xD3N: seis.", "**"}));
    const auto s = ExtraerSeccion("L6");
    EXPECT_EQ(s.texto, "   Linea seis.");
    EXPECT_EQ(s.interpretacion, "   INTERPRETACI\xD3N: seis.");
}

TEST_F(AlmacenTextos, LineasSueltasYTodasMutantes) {
    escribirBloques({bloqueCompleto()});
    EXPECT_EQ(cargar("799777"), (std::vector<int>{2, 3}));
    EXPECT_EQ(ExtraerSeccion("L3").interpretacion, "   interpretaci\xF3n: tres.");
    EXPECT_EQ(ExtraerSeccion("L3").texto, "   Linea tres.");
    EXPECT_EQ(ExtraerSeccion("L1").texto, "");
    EXPECT_EQ(ExtraerSeccion("L4").texto, ""); // se cortó tras la línea 3
    EXPECT_EQ(entradasHastaTerminador().back(), "**");

    EXPECT_EQ(cargar("999999"), (std::vector<int>{1, 2, 3, 4, 5, 6}));
    auto todo = entradasHastaTerminador();
    auto esperado = bloqueCompleto();
    esperado.erase(esperado.begin());
    EXPECT_EQ(todo, esperado);
}

TEST_F(AlmacenTextos, UnaCargaMasCortaDejaRestosQueNadieLee) {
    escribirBloques({bloqueCompleto()});
    cargar("999999");
    cargar("777777");
    EXPECT_EQ(recortarDerecha(BufferTexto[9]), "   Linea uno."); // resto de la carga anterior
    EXPECT_EQ(ExtraerSeccion("L1").texto, "");

    // Un terminador con algo detrás (un archivo dañado) cierra la carga igual.
    cargar("999999");
    escribirBloques({{"T", "*D", "   Corto.", "**   resto del registro"}});
    cargar("777777");
    EXPECT_EQ(entradasHastaTerminador(), (V{"*D", "   Corto.", "**"}));
    EXPECT_EQ(ExtraerSeccion("C").texto, "");
}

TEST_F(AlmacenTextos, UnionesDeRegistrosYParrafos) {
    auto b = bloqueCompleto();
    b.insert(b.begin() + 6, {"   Primero", "segundo.", "   Tercero."});
    escribirBloques({b});
    cargar("777777");
    EXPECT_EQ(ExtraerSeccion("C").texto,
              "   Comentario.\r\n\r\n   Primero segundo.\r\n\r\n   Tercero.");
}

TEST_F(AlmacenTextos, LineaSinInterpretacionYCabeceraEnMinuscula) {
    auto b = bloqueCompleto();
    b[8] = "*l1";                                   // la carga la reconoce, la extracción no
    b[14] = "*L3", b[16] = "   Sigue la l\xEDnea."; // sin INTERPRETACIÓN
    escribirBloques({b});
    EXPECT_EQ(cargar("997777"), (std::vector<int>{1, 2}));
    EXPECT_EQ(ExtraerSeccion("L1").texto, "");
    cargar("779777");
    const auto s = ExtraerSeccion("L3");
    EXPECT_EQ(s.texto, "   Linea tres.\r\n\r\n   Sigue la l\xEDnea.");
    EXPECT_EQ(s.interpretacion, "");
}

TEST_F(AlmacenTextos, LaExtraccionDejaCorrerLosEventosUnaVezPorEntrada) {
    escribirBloques({bloqueCompleto()});
    cargar("777777");
    int llamadas = 0;
    fijarProcesadorEventos([&] { ++llamadas; });
    ExtraerSeccion("C");
    EXPECT_EQ(llamadas, 5); // entradas 1 a 5; la 6 ("*I") corta la sección
}

TEST_F(AlmacenTextos, ArchivoAusenteCortoOFiguraSinFila) {
    try {
        cargar("777777");
        FAIL();
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(e.archivo(), "BINARIO.dat");
    }

    auto b = bloqueCompleto();
    b.pop_back(); // sin terminador: el archivo se acaba antes
    escribirBloques({b});
    BufferTexto[30] = "resto antiguo";
    EXPECT_THROW(cargar("999999"), ErrorArchivo);
    EXPECT_EQ(entradasHastaTerminador().size(), 26u); // el buffer queda cerrado
    EXPECT_EQ(ExtraerSeccion("L6").interpretacion, "   INTERPRETACI\xD3N: seis.");

    // Saltando una línea fija también se puede llegar al final del archivo.
    escribirBloques({{"T", "*D", "   x.", "*L1", "   y."}});
    EXPECT_THROW(cargar("777777"), ErrorArchivo);

    try {
        cargar("888888"); // su fila no tiene posición
        FAIL();
    } catch (const ErrorArchivo& e) {
        EXPECT_EQ(e.archivo(), "hexagr.chi");
    }
    EXPECT_THROW(cargar("7777"), ErrorArchivo);
}

TEST_F(AlmacenTextos, BloqueDemasiadoLargoNoPasaDeLaEntrada100) {
    std::vector<std::string> b = {"T", "*D"};
    for (int i = 0; i < 120; ++i)
        b.push_back("   Registro " + std::to_string(i) + ".");
    b.push_back("**");
    escribirBloques({b});
    try {
        cargar("777777");
        FAIL();
    } catch (const ErrorArchivo& e) {
        EXPECT_NE(std::string(e.what()).find("demasiado largo"), std::string::npos);
    }
    EXPECT_EQ(recortarDerecha(BufferTexto[100]), "**");
    EXPECT_EQ(recortarDerecha(BufferTexto[99]), "   Registro 97.");

    // Exactamente 100 entradas, terminador incluido, sí caben.
    b.resize(2 + 98);
    b.push_back("**");
    escribirBloques({b});
    EXPECT_NO_THROW(cargar("777777"));
    EXPECT_EQ(recortarDerecha(BufferTexto[100]), "**");
}

TEST_F(AlmacenTextos, CabeceraDeLineaFueraDe1a6) {
    for (const char* cabecera : {"*L7", "*L0", "*L", "*LX"}) {
        auto b = bloqueCompleto();
        b[8] = cabecera;
        escribirBloques({b});
        EXPECT_THROW(cargar("777777"), ErrorArchivo) << cabecera;
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
    EXPECT_EQ(ExtraerSeccion("D").texto, "   Otro hexagrama.\r\n\r\n   Fin.");
}
