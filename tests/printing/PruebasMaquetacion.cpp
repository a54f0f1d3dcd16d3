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

// Límite con el que caben justo n caracteres en la línea (cada carácter mide 100).
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

namespace {

// Palabra con un guion en cada punto donde se puede partir.
std::string conCortes(const std::string& palabra) {
    const std::vector<bool> cortes = CortesPermitidos(palabra);
    std::string r;
    for (std::size_t k = 0; k < palabra.size(); ++k)
        r += palabra[k] + std::string(cortes[k] ? "-" : "");
    return r;
}

} // namespace

TEST(Maquetacion, SoloPartePorDondeDejanLaReglaYLaSilabacion) {
    // Los cortes mal hechos de antes (mient-ras, penet-ración, dup-licado, conf-lictos,
    // cent-ro, cump-le, a-guardar, A-sí, a-dónde) y los que la regla del programa no deja
    // aunque el español sí (ha-blar, co-rrer, pe-ne-tra: consonante sin vocal detrás).
    const std::vector<std::pair<std::string, std::string>> casos = {
        {"mientras", "mientras"},
        {"penetraci\xF3n", "pe-netra-ci\xF3n"},
        {"duplicado", "dupli-ca-do"},
        {"conflictos", "conflic-tos"},
        {"centro", "centro"},
        {"cumple", "cumple"},
        {"aguardar", "aguar-dar"},
        {"As\xED", "As\xED"},
        {"ad\xF3nde", "ad\xF3n-de"},
        {"hablar", "hablar"},
        {"correr", "correr"},
        {"INTERPRETACI\xD3N", "IN-TERPRE-TA-CI\xD3N"},
        {"\xBF"
         "Casa,",
         "\xBF"
         "Ca-sa,"},
        {"caya", "ca-ya"},
    };
    for (const auto& [palabra, esperado] : casos)
        EXPECT_EQ(conCortes(palabra), esperado) << palabra;

    // Sin patrones de guiones no se parte nada: las líneas acaban en los espacios.
    fijarPatronesSilabacion("/no/existe/hyph_es_ES.dic");
    EXPECT_FALSE(haySilabacion());
    EXPECT_EQ(conCortes("duplicado"), "duplicado");
    EXPECT_EQ(maquetar({"ya casa."}, limiteTras(5)), (Lineas{"ya ", "casa.", ""}));
    fijarPatronesSilabacion({});
    EXPECT_TRUE(haySilabacion());
}

TEST(Maquetacion, NingunaLineaPasaDelLimite) {
    // Se parte la palabra lo más tarde posible con su guion dentro del límite.
    EXPECT_EQ(maquetar({"casa."}, limiteTras(3)), (Lineas{"ca-", "sa.", ""}));
    EXPECT_EQ(maquetar({"uno canto."}, limiteTras(8)), (Lineas{"uno can-", "to.", ""}));
    EXPECT_EQ(maquetar({"caSA."}, limiteTras(3)), (Lineas{"ca-", "SA.", ""}));
    EXPECT_EQ(maquetar({"el aguardar."}, limiteTras(6)), (Lineas{"el ", "aguar-", "dar.", ""}));
    // Si no se puede partir, en el último espacio, que se queda al final de la línea.
    EXPECT_EQ(maquetar({"ya mientras."}, limiteTras(9)), (Lineas{"ya ", "mientras.", ""}));
    EXPECT_EQ(maquetar({"ya hablar."}, limiteTras(7)), (Lineas{"ya ", "hablar.", ""}));
    EXPECT_EQ(maquetar({"uno dos tres."}, limiteTras(5)), (Lineas{"uno ", "dos ", "tres.", ""}));
    // El espacio que une dos entradas también corta, y una palabra se parte aunque acabe
    // la entrada.
    EXPECT_EQ(maquetar({"mast", "a b."}, limiteTras(5)), (Lineas{"mast ", "a b.", ""}));
    EXPECT_EQ(maquetar({"uno casa", "dos."}, limiteTras(7)), (Lineas{"uno ca-", "sa dos.", ""}));
    // La primera línea de un párrafo sangrado se mide con sus cinco espacios: "Una fra-"
    // cabría con los tres de la entrada, pero no con los cinco.
    EXPECT_EQ(maquetar({"   Una frase larga.", "   Otra."}, limiteTras(12)),
              (Lineas{"     Una", "frase larga.", "", "     Otra.", ""}));
    // Solo una palabra más larga que la línea se corta donde llegue, sin guion; un
    // carácter más ancho que la línea va solo.
    EXPECT_EQ(maquetar({"xxxxxxxxxx."}, limiteTras(4)), (Lineas{"xxxx", "xxxx", "xx.", ""}));
    EXPECT_EQ(maquetar({"ab."}, limiteTras(0)), (Lineas{"a", "b", ".", ""}));
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
