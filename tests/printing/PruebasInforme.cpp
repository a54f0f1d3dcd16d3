#include "CarpetaTemporal.h"
#include "Falsos.h"
#include "core/AlmacenTextos.h"
#include "printing/Informe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <tuple>

using namespace hexora;
using Textos = std::vector<std::tuple<std::string, double, double, bool, bool>>;

namespace {

class Informe : public ::testing::Test {
protected:
    void SetUp() override {
        FuenteTexto = {"Cuerpo", 12};
        const std::vector<std::string> texto = {"*D", "   La decisi\xF3n.", "*L2",
                                                "   La l\xEDnea.", "**"};
        std::copy(texto.begin(), texto.end(), BufferTexto.begin() + 1);
        datos = {
            "  \xBFSirve?  ", "HEXAGRAMA PRINCIPAL", {}, {"Arriba", "Abajo"}, {"63-Chi", "Dos"}};
        figura("967876");
    }
    void figura(const std::string& l) { std::copy_n(l.begin(), 6, datos.lineas.begin()); }
    // Imprime con una impresora nueva que falla según antes; contesta los avisos en orden.
    FinImpresion imprimir(std::function<void(const std::string&)> antes = {},
                          std::deque<RespuestaFallo> respuestas = {},
                          const std::string& carpetaIntermedio = "") {
        p = ImpresoraFalsa();
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
            intermedio(carpetaIntermedio));
    }
    std::filesystem::path intermedio(const std::string& sub = "") const {
        return carpeta.ruta() / sub / kArchivoIntermedio;
    }
    const ImpresoraFalsa::Texto& texto(const std::string& t) const {
        static const ImpresoraFalsa::Texto ninguno{"", -1, -1, false, false, "", 0};
        const auto it = std::find_if(p.textos.begin(), p.textos.end(),
                                     [&](const auto& x) { return x.texto == t; });
        return it == p.textos.end() ? ninguno : *it;
    }
    static std::function<void(const std::string&)> fallar(const std::string& op, int numero,
                                                          int veces = 1000) {
        return [=](const std::string& o) mutable {
            if (o == op && veces-- > 0)
                throw FalloImpresion(numero, "detalle");
        };
    }
    CarpetaTemporal carpeta;
    DatosInforme datos;
    ImpresoraFalsa p;
    MedidaFalsa medida;
    std::vector<AvisoFallo> avisos;
};

} // namespace

// La figura de 967876 de arriba abajo, con el hueco entre los trigramas: las barras, el aspa
// del yin viejo y el círculo del yang viejo; lo que no es una línea no se dibuja. Dónde caen
// los rótulos se mira en el PDF de verdad (PruebasImprimir).
TEST_F(Informe, FiguraDeArribaAbajo) {
    ASSERT_EQ(imprimir(), FinImpresion::Terminado);
    EXPECT_EQ(p.dibujos,
              (std::vector<std::string>{
                  "rect 500 1550 1100 1650", "rect 1400 1550 2000 1650", "seg 1200 1550 1300 1650",
                  "seg 1200 1650 1300 1550", "rect 500 1750 2000 1850", "rect 500 1950 1100 2050",
                  "rect 1400 1950 2000 2050", "rect 500 2300 2000 2400", "rect 500 2500 1100 2600",
                  "rect 1400 2500 2000 2600", "seg 1200 2500 1300 2600", "seg 1200 2600 1300 2500",
                  "rect 500 2700 1100 2800", "rect 1400 2700 2000 2800", "circ 1250 2750 70"}));
    EXPECT_EQ(texto("Trigrama Superior:").letra, "Cuerpo");
    figura("x78 79");
    ASSERT_EQ(imprimir(), FinImpresion::Terminado);
    EXPECT_EQ(p.dibujos.size(), 7u);
    for (const auto& d : p.dibujos)
        EXPECT_TRUE(d.find(" 2700 ") == std::string::npos && d.find(" 1950 ") == std::string::npos)
            << d;
}

TEST_F(Informe, CabeceraYCuerpo) {
    ASSERT_EQ(imprimir(), FinImpresion::Terminado);
    Textos vistos;
    for (const auto& t : p.textos)
        vistos.emplace_back(t.texto, t.x, t.y, t.negrita, t.subrayado);
    // La cabecera, con la letra que tuviera la impresora.
    EXPECT_EQ(Textos(vistos.begin(), vistos.begin() + 7),
              (Textos{{"", 0, 0, false, false},
                      {"CONSULTA:", 500, 100, true, true},
                      {" \xBFSirve?", 1400, 100, false, false},
                      {"", 0, 340, true, false},
                      {"HEXAGRAMA PRINCIPAL", 500, 580, true, true},
                      {"", 0, 820, true, false},
                      {"63-Chi", 500, 1060, true, false}}));
    EXPECT_EQ(p.textos[1].letra, "Inicial");
    // El cuerpo, tras el segundo nombre y dos líneas vacías: lo que escribió la maquetación
    // en x 500 con la letra del cuerpo, y las cabeceras en negrita y subrayadas sin marca.
    const auto dos = std::find_if(vistos.begin(), vistos.end(),
                                  [](const auto& t) { return std::get<0>(t) == "Dos"; });
    ASSERT_EQ(vistos.end() - dos, 9);
    const double y = std::get<2>(*dos) + 3 * 240;
    EXPECT_EQ(Textos(dos + 3, vistos.end()),
              (Textos{{"DECISION", 500, y, true, true},
                      {"     La decisi\xF3n.", 500, y + 240, false, false},
                      {"", 500, y + 480, false, false},
                      {"LINEA 2", 500, y + 720, true, true},
                      {"     La l\xEDnea.", 500, y + 960, false, false},
                      {"", 500, y + 1200, false, false}}));
    EXPECT_EQ(std::tie(p.textos.back().letra, p.textos.back().tamano),
              std::make_tuple("Cuerpo", 12.0));
    EXPECT_EQ(p.documento, std::vector<std::string>{"fin"});
    EXPECT_FALSE(std::filesystem::exists(intermedio()));
    EXPECT_TRUE(avisos.empty());
}

// Reintentar repite el paso que falló y nada se pierde; Omitir sigue con el siguiente;
// Anular cancela el documento y deja el archivo intermedio. Un fallo de archivo sin un error
// de impresora antes solo deja Aceptar y el documento a medias se cancela; tras uno, también
// deja elegir y, omitido, el documento sale sin cuerpo.
TEST_F(Informe, FallosDeLaImpresoraYDeArchivos) {
    EXPECT_EQ(imprimir(fallar("imprimir", kErrorImpresora, 1), {RespuestaFallo::Reintentar}),
              FinImpresion::Terminado);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].texto, "IMPRESORA NO PREPARADA (error 482)\r\ndetalle");
    EXPECT_TRUE(avisos[0].conOpciones);
    EXPECT_EQ(p.textos[1].texto, "CONSULTA:");
    EXPECT_EQ(imprimir(fallar("dibujar", kErrorImpresora), std::deque(6, RespuestaFallo::Omitir)),
              FinImpresion::Terminado);
    EXPECT_EQ(avisos.size(), 6u);
    EXPECT_TRUE(p.dibujos.empty());
    EXPECT_EQ(texto("Trigrama Inferior:").x + texto("DECISION").x, 2500 + 500);
    EXPECT_EQ(imprimir(fallar("terminar", kErrorImpresora), {RespuestaFallo::Anular}),
              FinImpresion::Anulado);
    EXPECT_EQ(p.documento, std::vector<std::string>{"cancelar"});
    EXPECT_TRUE(std::filesystem::exists(intermedio()));
    EXPECT_EQ(imprimir({}, {}, "no-existe"), FinImpresion::Abandonado);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].texto.rfind("ERROR 75 (SUB IMPRIMIR)\r\n", 0), 0u) << avisos[0].texto;
    EXPECT_FALSE(avisos[0].conOpciones);
    EXPECT_EQ(p.documento, std::vector<std::string>{"cancelar"});
    EXPECT_EQ(imprimir(fallar("ancho", kErrorImpresora, 1),
                       {RespuestaFallo::Reintentar, RespuestaFallo::Omitir, RespuestaFallo::Omitir},
                       "no-existe"),
              FinImpresion::Terminado);
    ASSERT_EQ(avisos.size(), 3u);
    EXPECT_EQ(avisos[1].texto.substr(0, 9) + avisos[2].texto.substr(0, 9), "ERROR 75 ERROR 53 ");
    EXPECT_TRUE(avisos[1].conOpciones && avisos[2].conOpciones);
    EXPECT_EQ(texto("DECISION").x, -1);
    EXPECT_EQ(p.documento, std::vector<std::string>{"fin"});
}
