// La maquetación y el informe con la superficie falsa: cada carácter mide 100 twips.

#include "CarpetaTemporal.h"
#include "Falsos.h"
#include "core/AlmacenTextos.h"
#include "printing/Informe.h"
#include "printing/Silabacion.h"

#include <gtest/gtest.h>

#include <deque>

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

Lineas maquetar(Lineas entradas, double limite) {
    entradas.push_back("**");
    llenarBuffer(entradas);
    SuperficieFalsa medida;
    Lineas salida;
    MaquetarTexto(medida, {"Serifa", 12}, 500, limite,
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
// español sí deja (ha-blar, co-rrer). Sin patrones de guiones no se parte nada. Las vocales
// llevan o no tilde, en cualquier caja; la "y" y la "ü" no lo son.
TEST(Maquetacion, SoloPartePorDondeDejanLaReglaYLaSilabacion) {
    for (std::string esperado :
         {"mientras", "pe-netra-ci\xF3n", "dupli-ca-do", "aguar-dar", "As\xED", "ad\xF3n-de",
          "hablar", "correr", "muer-te", "cons-tan-cia", "IN-TERPRE-TA-CI\xD3N",
          "\xBF"
          "Ca-sa,",
          "ca-ya"}) {
        std::string palabra = esperado;
        palabra.erase(std::remove(palabra.begin(), palabra.end(), '-'), palabra.end());
        EXPECT_EQ(conCortes(palabra), esperado);
    }
    EXPECT_TRUE(EsVocal("\xC9") && EsVocal("u") && !EsVocal("y") && !EsVocal("\xFC") &&
                !EsVocal("ae"));
    fijarPatronesSilabacion("/no/existe/hyph_es_ES.dic");
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
// que no acaba en punto se pierde. El terminador para la pasada aunque detrás quede texto de
// una carga anterior.
TEST(Maquetacion, ParrafosYCabeceras) {
    const double l = limiteTras(60);
    EXPECT_EQ(maquetar({"*D", "Primera parte.", "sigue.", "   Otro.", "*L", "Fin."}, l),
              (Lineas{"*n*DECISION", "Primera parte. sigue.", "", "     Otro.", "", "*n*LINEA ",
                      "Fin.", ""}));
    EXPECT_EQ(maquetar({"*X", "a.", "*C", "*Q", "b.", "   sin punto"}, l),
              (Lineas{"", "a.", "", "*n*COMENTARIO", "*n*COMENTARIO", "b.", ""}));
    EXPECT_EQ(maquetar({"Fin.", "", "   Nuevo.", "**", "   Resto viejo."}, l),
              (Lineas{"Fin. ", "", "     Nuevo.", ""}));
}

namespace {

class Informe : public ::testing::Test {
protected:
    void SetUp() override {
        llenarBuffer({"*D", "   La decisi\xF3n.", "**"});
        datos = {"\xBFSirve?", "HEXAGRAMA PRINCIPAL", {}, {"Arriba", "Abajo"}, {"63-Chi", "Dos"}};
        figura("967876");
    }
    void figura(const std::string& l) { std::copy_n(l.begin(), 6, datos.lineas.begin()); }
    // Imprime con una impresora nueva que falla según antes; contesta los avisos en orden.
    FinImpresion imprimir(std::function<void(const std::string&)> antes = {},
                          std::deque<RespuestaFallo> respuestas = {},
                          const std::string& carpetaIntermedio = "") {
        p = SuperficieFalsa();
        p.antes = std::move(antes);
        avisos.clear();
        return Imprimir(
            datos, p, medida,
            [&](const AvisoFallo& a) {
                avisos.push_back(a);
                const auto r = respuestas.empty() ? RespuestaFallo::Aceptar : respuestas.front();
                if (!respuestas.empty())
                    respuestas.pop_front();
                return r;
            },
            carpeta.ruta() / carpetaIntermedio / kArchivoIntermedio);
    }
    // La x del texto t, o -1 si no se imprimió.
    double x(const std::string& t) const {
        for (const auto& [texto, x] : p.textos)
            if (texto == t)
                return x;
        return -1;
    }
    static std::function<void(const std::string&)> fallar(const std::string& op, int veces = 1000) {
        return [=](const std::string& o) mutable {
            if (o == op && veces-- > 0)
                throw FalloImpresion(kErrorImpresora, "detalle");
        };
    }
    CarpetaTemporal carpeta;
    DatosInforme datos;
    SuperficieFalsa p, medida;
    std::vector<AvisoFallo> avisos;
};

} // namespace

// La figura de 967876 de arriba abajo, con el hueco entre los trigramas: las barras, el aspa
// del yin viejo y el círculo del yang viejo; lo que no es una línea no se dibuja. El texto
// y dónde caen los rótulos se miran en el PDF de verdad (PruebasImprimir).
TEST_F(Informe, FiguraDeArribaAbajo) {
    ASSERT_EQ(imprimir(), FinImpresion::Terminado);
    EXPECT_EQ(
        p.dibujos,
        (Lineas{"rect 500 1550 1100 1650", "rect 1400 1550 2000 1650", "seg 1200 1550 1300 1650",
                "seg 1200 1650 1300 1550", "rect 500 1750 2000 1850", "rect 500 1950 1100 2050",
                "rect 1400 1950 2000 2050", "rect 500 2300 2000 2400", "rect 500 2500 1100 2600",
                "rect 1400 2500 2000 2600", "seg 1200 2500 1300 2600", "seg 1200 2600 1300 2500",
                "rect 500 2700 1100 2800", "rect 1400 2700 2000 2800", "circ 1250 2750 70"}));
    figura("x78 79");
    ASSERT_EQ(imprimir(), FinImpresion::Terminado);
    EXPECT_EQ(p.dibujos.size(), 7u);
    for (const auto& d : p.dibujos)
        EXPECT_TRUE(d.find(" 2700 ") == std::string::npos && d.find(" 1950 ") == std::string::npos)
            << d;
}

// Reintentar repite el paso que falló y nada se pierde; Omitir sigue con el siguiente;
// Anular cancela el documento y deja el archivo intermedio. Un fallo de archivo sin un error
// de impresora antes solo deja Aceptar y el documento a medias se cancela; tras uno, también
// deja elegir y, omitido, el documento sale sin cuerpo.
TEST_F(Informe, FallosDeLaImpresoraYDeArchivos) {
    EXPECT_EQ(imprimir(fallar("imprimir", 1), {RespuestaFallo::Reintentar}),
              FinImpresion::Terminado);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].texto, "IMPRESORA NO PREPARADA (error 482)\r\ndetalle");
    EXPECT_TRUE(avisos[0].conOpciones);
    EXPECT_EQ(p.textos[1].first, "CONSULTA:");
    EXPECT_EQ(imprimir(fallar("dibujar"), std::deque(6, RespuestaFallo::Omitir)),
              FinImpresion::Terminado);
    EXPECT_EQ(avisos.size(), 6u);
    EXPECT_TRUE(p.dibujos.empty());
    EXPECT_EQ(x("Trigrama Inferior:") + x("DECISION"), 2500 + 500);
    EXPECT_EQ(imprimir(fallar("terminar"), {RespuestaFallo::Anular}), FinImpresion::Anulado);
    EXPECT_EQ(p.documento, Lineas{"cancelar"});
    EXPECT_TRUE(std::filesystem::exists(carpeta.ruta() / kArchivoIntermedio));
    EXPECT_EQ(imprimir({}, {}, "no-existe"), FinImpresion::Abandonado);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].texto.rfind("ERROR 75 (SUB IMPRIMIR)\r\n", 0), 0u) << avisos[0].texto;
    EXPECT_FALSE(avisos[0].conOpciones);
    EXPECT_EQ(p.documento, Lineas{"cancelar"});
    EXPECT_EQ(imprimir(fallar("ancho", 1),
                       {RespuestaFallo::Reintentar, RespuestaFallo::Omitir, RespuestaFallo::Omitir},
                       "no-existe"),
              FinImpresion::Terminado);
    ASSERT_EQ(avisos.size(), 3u);
    EXPECT_EQ(avisos[1].texto.substr(0, 9) + avisos[2].texto.substr(0, 9), "ERROR 75 ERROR 53 ");
    EXPECT_TRUE(avisos[1].conOpciones && avisos[2].conOpciones);
    EXPECT_EQ(x("DECISION"), -1);
    EXPECT_EQ(p.documento, Lineas{"fin"});
}
