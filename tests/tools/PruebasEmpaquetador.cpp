#include "CarpetaTemporal.h"
#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/Tablas.h"
#include "empaquetador/Empaquetador.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

using namespace hexora;
using namespace hexora::empaquetador;

namespace {

const char* kTrigramas = "# comentario\n"
                         "Ch'ien | El Cielo | 777\n"
                         "K'un | La Tierra | 888\n"
                         "Chên | El Trueno | 788\n"
                         "K'an | El Agua | 878\n"
                         "Kên | La Montaña | 887\n"
                         "Sun | El Viento | 877\n"
                         "Li | El Fuego | 787\n"
                         "Tui | El Lago | 778\n";

const std::vector<std::string> kNombresTrigramas = {"Ch'ien", "K'un", "Chên", "K'an",
                                                    "Kên",    "Sun",  "Li",   "Tui"};

std::string cabecera(int n, const std::string& inferior = "Ch'ien",
                     const std::string& superior = "Ch'ien") {
    return "hexagrama: " + std::to_string(n) + "\nnombre: H" + std::to_string(n) +
           "\nsegundo nombre: Segundo " + std::to_string(n) + "\ntrigrama inferior: " + inferior +
           "\ntrigrama superior: " + superior + "\n";
}

std::string secciones(const std::string& decision = "La decisión.") {
    std::string s = "\n*D\n" + decision +
                    "\n\n*C\nEl comentario,\nen dos líneas.\n\nOtro "
                    "párrafo.\n*I\nLa imagen.\n";
    for (int k = 1; k <= 6; ++k)
        s += "*L" + std::to_string(k) + "\nTexto de la línea " + std::to_string(k) +
             ".\n\nINTERPRETACIÓN: sobre la línea " + std::to_string(k) + ".\n";
    return s;
}

class Empaquetador : public ::testing::Test {
protected:
    std::vector<Trigrama> trigramas = leerTrigramas("trigramas.txt", kTrigramas);

    HexagramaFuente leer(const std::string& contenido) {
        return leerHexagrama("01.txt", contenido, trigramas);
    }

    // Comprueba que la fuente se rechaza con un mensaje que contiene el texto dado.
    void rechaza(const std::string& contenido, const std::string& motivo) {
        try {
            leer(contenido);
            ADD_FAILURE() << "se aceptó una fuente que debía rechazarse: " << motivo;
        } catch (const ErrorFuente& e) {
            EXPECT_NE(std::string(e.what()).find(motivo), std::string::npos) << e.what();
        }
    }

    // Los 64 hexagramas con figuras distintas; el primero con las secciones dadas.
    std::vector<HexagramaFuente> juegoCompleto(const std::string& textoPrimero) {
        std::vector<HexagramaFuente> hs;
        for (int n = 1; n <= 64; ++n) {
            const auto inf = kNombresTrigramas[(n - 1) % 8];
            const auto sup = kNombresTrigramas[(n - 1) / 8];
            hs.push_back(leerHexagrama(std::to_string(n) + ".txt",
                                       cabecera(n, inf, sup) + (n == 1 ? textoPrimero : ""),
                                       trigramas));
        }
        return hs;
    }
};

} // namespace

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
        const auto& r = rs[i];
        EXPECT_LE(r.size(), 80u);
        if (i > 0) {
            EXPECT_NE(r[0], ' ');
        }
        EXPECT_NE(r.back(), ' ');
        unido += (unido.empty() ? "" : " ") + std::string(recortar(r));
    }
    EXPECT_EQ(unido, largo);
    // Cada registro se llena todo lo posible: la primera palabra del siguiente no cabía.
    for (std::size_t i = 0; i + 1 < rs.size(); ++i)
        EXPECT_GT(rs[i].size() + 1 + std::min(rs[i + 1].find(' '), rs[i + 1].size()), 80u);

    EXPECT_THROW(partirParrafo(std::string(78, 'a') + ".", "x", 1), ErrorFuente);
    EXPECT_NO_THROW(partirParrafo(std::string(76, 'a') + ".", "x", 1));
    EXPECT_THROW(partirParrafo(std::string(75, 'a') + " *nota.", "x", 1), ErrorFuente);
}

TEST_F(Empaquetador, LeeLaFuenteCompleta) {
    const auto h = leer("# comentario\n" + cabecera(1, "Chên", "K'an") + secciones());
    EXPECT_EQ(h.numero, 1);
    EXPECT_EQ(h.inferior, "788");
    EXPECT_EQ(h.superior, "878");
    EXPECT_FALSE(h.pendiente);
    ASSERT_EQ(h.secciones.size(), 9u);
    EXPECT_EQ(h.secciones[0].registros, (std::vector<std::string>{"   La decisi\xF3n."}));
    EXPECT_EQ(
        h.secciones[1].registros,
        (std::vector<std::string>{"   El comentario, en dos l\xEDneas.", "   Otro p\xE1rrafo."}));
    EXPECT_EQ(h.secciones[8].codigo, "L6");
    EXPECT_EQ(h.secciones[8].registros.back(), "   INTERPRETACI\xD3N: sobre la l\xEDnea 6.");
    EXPECT_EQ(entradasConTodasMutantes(h), 1u + 9u + 4u + 12u);

    const auto pendiente = leer(cabecera(1));
    EXPECT_TRUE(pendiente.pendiente);
    EXPECT_EQ(pendiente.secciones.size(), 9u);
}

TEST_F(Empaquetador, RechazaLoQueLosLectoresTratarianMal) {
    const auto c = cabecera(1);
    rechaza(c + secciones("Sin punto final"), "terminar en punto");
    rechaza(c + secciones("Una " + std::string(80, 'x') + "."), "no cabe en un registro");
    rechaza(c + secciones("Un carácter chino: 中."), "no existe en Windows-1252");
    rechaza(c + secciones("Mal \xC3 formado."), "UTF-8 mal formado");

    std::string sinInterpretacion = secciones();
    sinInterpretacion.replace(sinInterpretacion.find("INTERPRETACIÓN: sobre la línea 3"), 15,
                              "Explicación");
    rechaza(c + sinInterpretacion, "*L3 no tiene interpretación");

    std::string soloInterpretacion = secciones();
    soloInterpretacion.replace(soloInterpretacion.find("Texto de la línea 2."), 21, "");
    rechaza(c + soloInterpretacion, "falta el texto de la línea");

    std::string sinImagen = secciones();
    sinImagen.replace(sinImagen.find("*I\nLa imagen.\n"), 14, "");
    rechaza(c + sinImagen, "se esperaba la sección *I");

    std::string cortado = secciones();
    cortado.erase(cortado.find("*L6"));
    rechaza(c + cortado, "falta la sección *L6");
    rechaza(c + secciones() + "*L7\nOtra.\n", "sobra la sección");
    rechaza(c + "\n*D\n\n*C\nx.\n", "*D está vacía");

    // Una palabra "interpretación" al principio de un registro del texto de la línea
    // partiría la sección antes de tiempo.
    std::string trampa = secciones();
    trampa.replace(trampa.find("Texto de la línea 4."), 20,
                   std::string(70, 'a') + " interpretación trampa.");
    rechaza(c + trampa, "empezaría por \"interpretación\"");
}

TEST_F(Empaquetador, RechazaCabecerasYFigurasMal) {
    rechaza(cabecera(65) + secciones(), "de 1 a 64");
    rechaza(cabecera(1, "Nadie") + secciones(), "trigrama desconocido");
    rechaza("hexagrama: 1\nnombre: A\n" + secciones(), "falta el campo");
    rechaza(cabecera(1) + "color: azul\n" + secciones(), "campos admitidos");
    rechaza(cabecera(1) + "nombre: otro\n", "campo repetido");
    std::string comillas = cabecera(1);
    comillas.replace(comillas.find("H1"), 2, "\"H\"");
    rechaza(comillas, "comillas");

    std::string largo = cabecera(1) + "\n*D\n";
    for (int i = 0; i < 95; ++i)
        largo += "Párrafo " + std::to_string(i) + ".\n\n";
    rechaza(largo + secciones().substr(secciones().find("*C")), "el máximo es 100");

    auto hs = juegoCompleto("");
    hs[10].inferior = hs[3].inferior, hs[10].superior = hs[3].superior;
    EXPECT_THROW(empaquetar(trigramas, hs), ErrorFuente);
    hs = juegoCompleto("");
    hs[10].numero = 4;
    EXPECT_THROW(empaquetar(trigramas, hs), ErrorFuente);

    EXPECT_THROW(leerTrigramas("t", "Ch'ien | Cielo | 777\n"), ErrorFuente);
    std::string sinChien = kTrigramas;
    sinChien.replace(sinChien.find("Ch'ien"), 6, "Qian");
    EXPECT_THROW(leerTrigramas("t", sinChien), ErrorFuente);
    std::string mal = kTrigramas;
    mal.replace(mal.find("| 888"), 5, "| 889");
    EXPECT_THROW(leerTrigramas("t", mal), ErrorFuente);
    mal = kTrigramas;
    mal.replace(mal.find("| 888"), 5, "| 777");
    EXPECT_THROW(leerTrigramas("t", mal), ErrorFuente);
}

// Lo que escribe el empaquetador lo leen las tablas y el almacén de textos del programa.
TEST_F(Empaquetador, ElProgramaLeeLoEmpaquetado) {
    const auto paquete = empaquetar(trigramas, juegoCompleto(secciones()));
    EXPECT_EQ(paquete.pendientes, 63);
    EXPECT_EQ(paquete.textos.size() % 80, 0u);
    EXPECT_EQ(paquete.textos.find('\n'), std::string::npos);
    EXPECT_TRUE(
        std::regex_search(paquete.trigramas, std::regex("^\"Ch'ien\",\"El Cielo\","
                                                        "777,779,797,799,977,979,997,999\r\n")));

    CarpetaTemporal carpeta;
    carpeta.escribir("trigr.chi", paquete.trigramas);
    carpeta.escribir("hexagr.chi", paquete.hexagramas);
    carpeta.escribir("BINARIO.dat", paquete.textos);
    CargarTablas();
    EXPECT_EQ(NombreTrigrama("966"), "Ch\xEAn, El Trueno");
    EXPECT_EQ(NombreTrigrama("669"), "K\xEAn, La Monta\xF1"
                                     "a");
    EXPECT_EQ(TablaHexagramas[9][4], "H9");
    EXPECT_EQ(NumeroHexagrama("999666"), 9); // inferior Ch'ien, superior K'un
    EXPECT_EQ(TablaHexagramas[9][3] + TablaHexagramas[9][2], "777888");

    std::vector<int> lineas;
    CargarBuffer("999999", [&](int k) { lineas.push_back(k); });
    EXPECT_EQ(lineas, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(ExtraerSeccion("C").texto,
              "   El comentario, en dos l\xEDneas.\r\n\r\n   Otro p\xE1rrafo.");
    const auto l4 = ExtraerSeccion("L4");
    EXPECT_EQ(l4.texto, "   Texto de la l\xEDnea 4.");
    EXPECT_EQ(l4.interpretacion, "   INTERPRETACI\xD3N: sobre la l\xEDnea 4.");

    CargarBuffer("778778"); // el último, pendiente
    EXPECT_NE(ExtraerSeccion("D").texto.find("pendiente"), std::string::npos);
    vaciarTablas();
}
