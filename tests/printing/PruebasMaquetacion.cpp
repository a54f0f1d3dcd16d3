#include "CarpetaTemporal.h"
#include "Falsos.h"
#include "core/AlmacenTextos.h"
#include "printing/Maquetacion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace hexora;
using Lineas = std::vector<std::string>;

namespace {

// Límite que la pluma pasa con el carácter n + 1 de la línea (cada carácter mide 100).
double limiteTras(int n) { return 500 + 100.0 * n + 50; }

void llenarBuffer(const Lineas& entradas, bool terminar = true) {
    std::size_t j = 1;
    for (const auto& e : entradas)
        BufferTexto[j++] = e;
    if (terminar)
        BufferTexto[j] = "**";
}

Lineas maquetar(const Lineas& entradas, double limite, MedidaFalsa* medida = nullptr) {
    llenarBuffer(entradas);
    MedidaFalsa propia;
    Lineas salida;
    MaquetarTexto(medida ? *medida : propia, {"Serifa", 12}, 500, limite,
                  [&](const std::string& l) { salida.push_back(l); });
    return salida;
}

} // namespace

TEST(EsVocal, VocalesConYSinAcentoEnCualquierCaja) {
    for (const char* v :
         {"a",    "e",    "i",    "o",    "u",    "A",    "E",    "I",    "O",    "U",
          "\xE1", "\xE9", "\xED", "\xF3", "\xFA", "\xC1", "\xC9", "\xCD", "\xD3", "\xDA"})
        EXPECT_TRUE(EsVocal(v)) << v;
    for (const char* n : {"y", "Y", "\xFC", "\xDC", "b", "\xF1", "1", ".", " ", "", "ae"})
        EXPECT_FALSE(EsVocal(n)) << n;
}

TEST(Maquetacion, PartePorSilabas) {
    // La pluma pasa el límite con el segundo carácter de cada línea.
    const double l = limiteTras(1);
    EXPECT_EQ(maquetar({"casa."}, l), (Lineas{"ca-", "sa.", ""}));
    EXPECT_EQ(maquetar({"canto."}, l), (Lineas{"can-", "to.", ""}));
    EXPECT_EQ(maquetar({"palabra."}, l), (Lineas{"pa-", "labra.", ""}));
    // Ni co-rrer ni cor-rer, ni ha-blar ni hab-lar: la línea acaba en el espacio.
    EXPECT_EQ(maquetar({"correr es."}, l), (Lineas{"correr ", "es.", ""}));
    EXPECT_EQ(maquetar({"hablar ya."}, l), (Lineas{"hablar ", "ya.", ""}));
    // Vocales mayúsculas y acentuadas cuentan; la "y" es consonante.
    EXPECT_EQ(maquetar({"caSA."}, l), (Lineas{"ca-", "SA.", ""}));
    EXPECT_EQ(maquetar({"cas\xC9."}, l), (Lineas{"ca-", "s\xC9.", ""}));
    EXPECT_EQ(maquetar({"caya."}, l), (Lineas{"ca-", "ya.", ""}));
    EXPECT_EQ(maquetar({"asy."}, limiteTras(0)), (Lineas{"asy.", ""}));
    // Nunca tras la puntuación ni delante de ella.
    for (const char* p : {".", ",", ";"}) {
        const std::string tras = std::string("ab") + p + "ca.";
        EXPECT_EQ(maquetar({tras}, l), (Lineas{tras, ""})) << p;
        const std::string delante = std::string("a") + p + "a.";
        EXPECT_EQ(maquetar({delante}, limiteTras(0)), (Lineas{delante, ""})) << p;
    }
}

TEST(Maquetacion, LosOnceParesNoSeSeparan) {
    // "aXYa": la pluma pasa el límite en X; se parte tras X salvo que XY sea un par. "qu"
    // no se prueba: delante de una vocal nunca se parte.
    for (const char* par :
         {"rr", "ll", "ch", "cl", "cr", "gr", "br", "bl", "pr", "ah", "RR", "Ch", "bL"}) {
        const std::string palabra = std::string("a") + par + "a.";
        EXPECT_EQ(maquetar({palabra}, limiteTras(1)), (Lineas{palabra, ""})) << par;
    }
    for (const char* par : {"gl", "pl", "fr", "fl", "tr", "dr", "ns"}) {
        const std::string palabra = std::string("a") + par + "a.";
        EXPECT_EQ(maquetar({palabra}, limiteTras(1)),
                  (Lineas{palabra.substr(0, 2) + "-", palabra.substr(2), ""}))
            << par;
    }
}

TEST(Maquetacion, CortesDeLinea) {
    // En el espacio pasado el límite; la línea conserva su espacio final.
    EXPECT_EQ(maquetar({"uno dos tres."}, limiteTras(5)), (Lineas{"uno dos ", "tres.", ""}));
    // No se parte tras los dos últimos caracteres de una entrada, aunque la siguiente siga
    // la palabra; el espacio que une las entradas tampoco corta.
    EXPECT_EQ(maquetar({"mast", "a b."}, limiteTras(2)), (Lineas{"mast a ", "b.", ""}));
    // Primera línea de un párrafo sangrado: cinco espacios y nada al final.
    EXPECT_EQ(maquetar({"   Una frase larga.", "   Otra."}, limiteTras(12)),
              (Lineas{"     Una frase", "larga.", "", "     Otra.", ""}));
    EXPECT_EQ(maquetar({"   Breve."}, limiteTras(40)), (Lineas{"     Breve.", ""}));
}

TEST(Maquetacion, ParrafosCabecerasYTerminador) {
    const double l = limiteTras(60);
    // Las entradas de un párrafo se unen con un espacio; el párrafo acaba en punto cuando
    // sigue otro párrafo, un marcador o el terminador.
    EXPECT_EQ(maquetar({"*D", "Primera parte.", "sigue.", "   Otro.", "*C", "Fin."}, l),
              (Lineas{"*n*DECISION", "Primera parte. sigue.", "", "     Otro.", "", "*n*COMENTARIO",
                      "Fin.", ""}));
    EXPECT_EQ(maquetar({"*I", "a.", "*L3", "b.", "*L", "c."}, l),
              (Lineas{"*n*IMAGEN", "a.", "", "*n*LINEA 3", "b.", "", "*n*LINEA ", "c.", ""}));
    // Una letra desconocida repite la cabecera anterior (vacía si aún no hubo ninguna).
    EXPECT_EQ(maquetar({"*X", "a.", "*C", "*Q", "b."}, l),
              (Lineas{"", "a.", "", "*n*COMENTARIO", "*n*COMENTARIO", "b.", ""}));
    // Lo que no acaba en punto antes de un marcador, o al final, se pierde.
    EXPECT_EQ(maquetar({"sin punto", "*C", "Hola.", "   otra sin punto"}, l),
              (Lineas{"*n*COMENTARIO", "Hola.", ""}));
    // Una entrada vacía añade el espacio de unión y deja el carácter anterior.
    EXPECT_EQ(maquetar({"Fin.", "", "   Nuevo."}, l), (Lineas{"Fin. ", "", "     Nuevo.", ""}));
    // El terminador para la pasada aunque detrás quede texto de una carga anterior.
    llenarBuffer({"Hola.", "**", "   Resto viejo.", "**"}, false);
    Lineas salida;
    MedidaFalsa medida;
    MaquetarTexto(medida, {"Serifa", 12}, 500, l,
                  [&](const std::string& s) { salida.push_back(s); });
    EXPECT_EQ(salida, (Lineas{"Hola.", ""}));
}

TEST(Maquetacion, MideConLaLetraDelCuerpo) {
    MedidaFalsa medida;
    maquetar({"*D", "Algo.", "*C", "Otra cosa."}, limiteTras(60), &medida);
    EXPECT_EQ(medida.letras, (std::set<std::pair<std::string, double>>{{"Serifa", 12}}));
}

TEST(Maquetacion, ArchivoIntermedio) {
    CarpetaTemporal carpeta;
    const auto ruta = carpeta.ruta() / kArchivoIntermedio;
    carpeta.escribir(kArchivoIntermedio, "contenido anterior que debe desaparecer\r\n");
    llenarBuffer({"*D", "   Caf\xE9 con le", "che."});
    MedidaFalsa medida;
    MaquetarArchivo(medida, {"Serifa", 12}, 500, limiteTras(60), ruta);
    std::ifstream f(ruta, std::ios::binary);
    std::ostringstream leido;
    leido << f.rdbuf();
    EXPECT_EQ(leido.str(), "*n*DECISION\r\n     Caf\xE9 con le che.\r\n\r\n");

    try {
        MaquetarArchivo(medida, {"Serifa", 12}, 500, 1000, carpeta.ruta() / "no" / "hay");
        FAIL() << "debía fallar";
    } catch (const FalloImpresion& e) {
        EXPECT_EQ(e.numero(), kErrorAccesoArchivo);
        EXPECT_NE(std::string(e.what()).find("no/hay"), std::string::npos) << e.what();
    }
}
