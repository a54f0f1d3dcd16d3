// La maquetación con una superficie de medida falsa: cada carácter mide 100 twips.

#include "CarpetaTemporal.h"
#include "Falsos.h"
#include "core/AlmacenTextos.h"
#include "printing/Maquetacion.h"
#include "printing/Silabacion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace hexora;
using Lineas = std::vector<std::string>;

namespace {

// Límite con el que caben justo n caracteres en la línea.
double limiteTras(int n) { return 500 + 100.0 * n + 50; }

void llenarBuffer(const Lineas& entradas) {
    std::size_t j = 1;
    for (const auto& e : entradas)
        BufferTexto[j++] = e;
}

Lineas maquetar(Lineas entradas, double limite, MedidaFalsa* medida = nullptr) {
    entradas.push_back("**");
    llenarBuffer(entradas);
    MedidaFalsa propia;
    Lineas salida;
    MaquetarTexto(medida ? *medida : propia, {"Serifa", 12}, 500, limite,
                  [&](const std::string& l) { salida.push_back(l); });
    return salida;
}

// Palabra con un guion en cada punto donde se puede partir.
std::string conCortes(const std::string& palabra) {
    const std::vector<bool> cortes = CortesPermitidos(palabra);
    std::string r;
    for (std::size_t k = 0; k < palabra.size(); ++k)
        r += palabra[k] + std::string(cortes[k] ? "-" : "");
    return r;
}

} // namespace

// Solo se parte donde dejan a la vez la regla del programa (consonante seguida de vocal,
// sin separar los pares inseparables ni tocar la puntuación) y la silabación española: ni
// los cortes mal hechos de antes (mient-ras, dup-licado, a-guardar, A-sí) ni los que el
// español sí deja (ha-blar, co-rrer); sí muer-te, cons-tan-cia o can-to. Sin patrones de
// guiones no se parte nada. Las vocales llevan o no tilde, en cualquier caja; la "y" y la
// "ü" no lo son.
TEST(Maquetacion, SoloPartePorDondeDejanLaReglaYLaSilabacion) {
    for (const auto& [palabra, esperado] : std::vector<std::pair<std::string, std::string>>{
             {"mientras", "mientras"},
             {"penetraci\xF3n", "pe-netra-ci\xF3n"},
             {"duplicado", "dupli-ca-do"},
             {"aguardar", "aguar-dar"},
             {"As\xED", "As\xED"},
             {"ad\xF3nde", "ad\xF3n-de"},
             {"hablar", "hablar"},
             {"correr", "correr"},
             {"muerte", "muer-te"},
             {"constancia", "cons-tan-cia"},
             {"INTERPRETACI\xD3N", "IN-TERPRE-TA-CI\xD3N"},
             {"\xBF"
              "Casa,",
              "\xBF"
              "Ca-sa,"},
             {"caya", "ca-ya"}})
        EXPECT_EQ(conCortes(palabra), esperado) << palabra;
    EXPECT_TRUE(EsVocal("\xC9") && EsVocal("u") && !EsVocal("y") && !EsVocal("\xFC") &&
                !EsVocal("ae"));
    fijarPatronesSilabacion("/no/existe/hyph_es_ES.dic");
    EXPECT_FALSE(haySilabacion());
    EXPECT_EQ(conCortes("duplicado"), "duplicado");
    EXPECT_EQ(maquetar({"ya casa."}, limiteTras(5)), (Lineas{"ya ", "casa.", ""}));
    fijarPatronesSilabacion({});
    EXPECT_TRUE(haySilabacion());
}

TEST(Maquetacion, NingunaLineaPasaDelLimite) {
    // La palabra se parte lo más tarde posible con su guion dentro; si no se puede, en el
    // último espacio, que se queda al final de la línea.
    EXPECT_EQ(maquetar({"uno canto."}, limiteTras(8)), (Lineas{"uno can-", "to.", ""}));
    EXPECT_EQ(maquetar({"el aguardar."}, limiteTras(6)), (Lineas{"el ", "aguar-", "dar.", ""}));
    EXPECT_EQ(maquetar({"ya mientras."}, limiteTras(9)), (Lineas{"ya ", "mientras.", ""}));
    EXPECT_EQ(maquetar({"uno dos tres."}, limiteTras(5)), (Lineas{"uno ", "dos ", "tres.", ""}));
    // El espacio que une dos entradas también corta, y una palabra se parte aunque acabe
    // la entrada.
    EXPECT_EQ(maquetar({"mast", "a b."}, limiteTras(5)), (Lineas{"mast ", "a b.", ""}));
    EXPECT_EQ(maquetar({"uno casa", "dos."}, limiteTras(7)), (Lineas{"uno ca-", "sa dos.", ""}));
    // La primera línea de un párrafo se mide con sus cinco espacios de sangría.
    EXPECT_EQ(maquetar({"   Una frase larga.", "   Otra."}, limiteTras(12)),
              (Lineas{"     Una", "frase larga.", "", "     Otra.", ""}));
    // Solo una palabra más larga que la línea se corta sin guion; un carácter más ancho que
    // la línea va solo.
    EXPECT_EQ(maquetar({"xxxxxxxxxx."}, limiteTras(4)), (Lineas{"xxxx", "xxxx", "xx.", ""}));
    EXPECT_EQ(maquetar({"ab."}, limiteTras(0)), (Lineas{"a", "b", ".", ""}));
}

// Las entradas de un párrafo se unen con un espacio; el párrafo acaba en punto cuando sigue
// otro, un marcador o el terminador; una letra desconocida repite la cabecera anterior y lo
// que no acaba en punto se pierde. Se mide con la letra del cuerpo.
TEST(Maquetacion, ParrafosCabecerasYLetra) {
    const double l = limiteTras(60);
    MedidaFalsa medida;
    EXPECT_EQ(maquetar({"*D", "Primera parte.", "sigue.", "   Otro.", "*C", "Fin."}, l, &medida),
              (Lineas{"*n*DECISION", "Primera parte. sigue.", "", "     Otro.", "", "*n*COMENTARIO",
                      "Fin.", ""}));
    EXPECT_EQ(medida.letras, (std::set<std::pair<std::string, double>>{{"Serifa", 12}}));
    EXPECT_EQ(maquetar({"*I", "a.", "*L3", "b.", "*L", "c."}, l),
              (Lineas{"*n*IMAGEN", "a.", "", "*n*LINEA 3", "b.", "", "*n*LINEA ", "c.", ""}));
    EXPECT_EQ(maquetar({"*X", "a.", "*C", "*Q", "b."}, l),
              (Lineas{"", "a.", "", "*n*COMENTARIO", "*n*COMENTARIO", "b.", ""}));
    EXPECT_EQ(maquetar({"sin punto", "*C", "Hola.", "   otra sin punto"}, l),
              (Lineas{"*n*COMENTARIO", "Hola.", ""}));
    EXPECT_EQ(maquetar({"Fin.", "", "   Nuevo."}, l), (Lineas{"Fin. ", "", "     Nuevo.", ""}));
    // El terminador para la pasada aunque detrás quede texto de una carga anterior.
    EXPECT_EQ(maquetar({"Hola.", "**", "   Resto viejo."}, l), (Lineas{"Hola.", ""}));
}

TEST(Maquetacion, ArchivoIntermedio) {
    CarpetaTemporal carpeta;
    const auto ruta = carpeta.ruta() / kArchivoIntermedio;
    carpeta.escribir(kArchivoIntermedio, "contenido anterior que debe desaparecer\r\n");
    llenarBuffer({"*D", "   Caf\xE9 con le", "che.", "**"});
    MedidaFalsa medida;
    MaquetarArchivo(medida, {"Serifa", 12}, 500, limiteTras(60), ruta);
    std::ostringstream leido;
    leido << std::ifstream(ruta, std::ios::binary).rdbuf();
    EXPECT_EQ(leido.str(), "*n*DECISION\r\n     Caf\xE9 con le che.\r\n\r\n");
    try {
        MaquetarArchivo(medida, {"Serifa", 12}, 500, 1000, carpeta.ruta() / "no" / "hay");
        FAIL() << "debía fallar";
    } catch (const FalloImpresion& e) {
        EXPECT_EQ(e.numero(), kErrorAccesoArchivo);
        EXPECT_NE(std::string(e.what()).find("no/hay"), std::string::npos) << e.what();
    }
}
