#include "CarpetaTemporal.h"
#include "Falsos.h"
#include "core/AlmacenTextos.h"
#include "printing/Informe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

using namespace hexora;

namespace {

class Informe : public ::testing::Test {
protected:
    void SetUp() override {
        FuenteTexto = {"Cuerpo", 12};
        const std::vector<std::string> texto = {"*D", "   La decisi\xF3n.", "*L2",
                                                "   Texto de la l\xEDnea.", "**"};
        for (std::size_t j = 0; j < texto.size(); ++j)
            BufferTexto[j + 1] = texto[j];
        datos.pregunta = "  \xBFSirve?  ";
        datos.rotulo = "HEXAGRAMA PRINCIPAL";
        datos.trigramas = {"Arriba", "Abajo"};
        datos.titulos = {"63-Chi Chi", "Segundo nombre"};
        figura("967876");
    }

    void figura(const std::string& lineas) { std::copy_n(lineas.begin(), 6, datos.lineas.begin()); }

    FinImpresion imprimir() { return imprimir(carpeta.ruta() / kArchivoIntermedio); }
    FinImpresion imprimir(const std::filesystem::path& intermedio) {
        return Imprimir(
            datos, impresora, medida,
            [this](const AvisoFallo& a) {
                avisos.push_back(a);
                const auto r = respuestas.empty() ? RespuestaFallo::Aceptar : respuestas.front();
                if (!respuestas.empty())
                    respuestas.pop_front();
                return r;
            },
            intermedio);
    }

    const ImpresoraFalsa::Texto* texto(const std::string& t) const {
        for (const auto& x : impresora.textos)
            if (x.texto == t)
                return &x;
        return nullptr;
    }

    CarpetaTemporal carpeta;
    DatosInforme datos;
    ImpresoraFalsa impresora;
    MedidaFalsa medida;
    std::vector<AvisoFallo> avisos;
    std::deque<RespuestaFallo> respuestas;
};

} // namespace

TEST_F(Informe, FiguraYRotulosDeLosTrigramas) {
    ASSERT_EQ(imprimir(), FinImpresion::Terminado);
    EXPECT_EQ(impresora.dibujos,
              (std::vector<std::string>{
                  // línea 6, yin viejo: dos barras y el aspa
                  "rect 500 1550 1100 1650", "rect 1400 1550 2000 1650", "seg 1200 1550 1300 1650",
                  "seg 1200 1650 1300 1550",
                  "rect 500 1750 2000 1850",                             // yang joven
                  "rect 500 1950 1100 2050", "rect 1400 1950 2000 2050", // yin joven
                  "rect 500 2300 2000 2400", // tras el hueco entre trigramas
                  "rect 500 2500 1100 2600", "rect 1400 2500 2000 2600", "seg 1200 2500 1300 2600",
                  "seg 1200 2600 1300 2500",
                  // línea 1, yang viejo: dos barras y el círculo
                  "rect 500 2700 1100 2800", "rect 1400 2700 2000 2800", "circ 1250 2750 70"}));

    // Los rótulos van tras dibujar su línea, donde la dejó la pluma, con el nombre de la
    // letra del cuerpo y el tamaño que tuviera la impresora.
    const auto* superior = texto("Trigrama Superior:");
    ASSERT_NE(superior, nullptr);
    EXPECT_EQ(superior->x, 2500);
    EXPECT_EQ(superior->y, 1550); // el aspa acaba arriba
    EXPECT_TRUE(superior->negrita && superior->subrayado);
    EXPECT_EQ(superior->letra, "Cuerpo");
    EXPECT_EQ(superior->tamano, 10);
    const auto* nombre = texto("  Arriba");
    ASSERT_NE(nombre, nullptr);
    EXPECT_EQ(nombre->y, 1550);
    EXPECT_GT(nombre->x, 2500);
    EXPECT_FALSE(nombre->negrita || nombre->subrayado);
    EXPECT_EQ(texto("Trigrama Inferior:")->y, 2400); // bajo la barra entera

    // Yang viejo arriba (pluma en el centro del círculo), yin joven en la línea 3 y dos
    // valores que no son líneas, que no se dibujan.
    impresora = ImpresoraFalsa();
    figura("x78 79");
    ASSERT_EQ(imprimir(), FinImpresion::Terminado);
    EXPECT_EQ(texto("Trigrama Superior:")->y, 1600);
    EXPECT_EQ(texto("Trigrama Inferior:")->y, 2400);
    for (const auto& d : impresora.dibujos) {
        EXPECT_EQ(d.find(" 2700 "), std::string::npos) << d;
        EXPECT_EQ(d.find(" 1950 "), std::string::npos) << d;
    }
}

TEST_F(Informe, CabeceraYCuerpo) {
    ASSERT_EQ(imprimir(), FinImpresion::Terminado);
    const auto& t = impresora.textos;
    ASSERT_GE(t.size(), 7u);
    EXPECT_EQ(t[0].texto, ""); // abre el documento
    EXPECT_EQ(t[1].texto, "CONSULTA:");
    EXPECT_EQ(std::make_pair(t[1].x, t[1].y), std::make_pair(500.0, 100.0));
    EXPECT_TRUE(t[1].negrita && t[1].subrayado);
    EXPECT_EQ(t[2].texto, " \xBFSirve?");
    EXPECT_EQ(t[2].y, 100);
    EXPECT_FALSE(t[2].negrita || t[2].subrayado);
    EXPECT_EQ(t[4].texto, "HEXAGRAMA PRINCIPAL");
    EXPECT_TRUE(t[4].negrita && t[4].subrayado && t[4].x == 500);
    EXPECT_EQ(t[6].texto, "63-Chi Chi");
    EXPECT_TRUE(t[6].negrita && !t[6].subrayado && t[6].x == 500);
    // La cabecera sale con la letra que tuviera la impresora.
    EXPECT_EQ(t[1].letra, "Inicial");

    // El cuerpo: lo que escribió la maquetación, cada línea en x 500 con la letra del
    // cuerpo; las cabeceras en negrita y subrayadas, sin su marca.
    const auto segundo =
        std::find_if(t.begin(), t.end(), [](const auto& x) { return x.texto == "Segundo nombre"; });
    ASSERT_NE(segundo, t.end());
    std::vector<ImpresoraFalsa::Texto> cuerpo(segundo + 3, t.end());
    std::vector<std::string> esperado = {"DECISION", "     La decisi\xF3n.",       "",
                                         "LINEA 2",  "     Texto de la l\xEDnea.", ""};
    ASSERT_EQ(cuerpo.size(), esperado.size());
    for (std::size_t i = 0; i < cuerpo.size(); ++i) {
        EXPECT_EQ(cuerpo[i].texto, esperado[i]);
        const bool cabecera = i == 0 || i == 3;
        EXPECT_EQ(cuerpo[i].negrita, cabecera) << i;
        EXPECT_EQ(cuerpo[i].subrayado, cabecera) << i;
        EXPECT_EQ(cuerpo[i].x, 500);
        EXPECT_EQ(std::make_pair(cuerpo[i].letra, cuerpo[i].tamano),
                  std::make_pair(std::string("Cuerpo"), 12.0));
    }
    EXPECT_EQ(impresora.documento, std::vector<std::string>{"fin"});
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / kArchivoIntermedio));
    EXPECT_TRUE(avisos.empty());
}

TEST_F(Informe, FallosDeImpresora) {
    // Reintentar repite el paso que falló.
    int fallos = 1;
    impresora.antes = [&](const std::string& op) {
        if (op == "imprimir" && fallos-- > 0)
            throw FalloImpresion(kErrorImpresora, "sin papel");
    };
    respuestas = {RespuestaFallo::Reintentar};
    EXPECT_EQ(imprimir(), FinImpresion::Terminado);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].texto, "IMPRESORA NO PREPARADA (error 482)\r\nsin papel");
    EXPECT_TRUE(avisos[0].conOpciones);
    EXPECT_EQ(impresora.textos[1].texto, "CONSULTA:");

    // Omitir sigue con el paso siguiente: sin figura, pero con el resto.
    impresora = ImpresoraFalsa();
    avisos.clear();
    impresora.antes = [](const std::string& op) {
        if (op == "dibujar")
            throw FalloImpresion(kErrorImpresora, "");
    };
    respuestas.assign(6, RespuestaFallo::Omitir);
    EXPECT_EQ(imprimir(), FinImpresion::Terminado);
    EXPECT_EQ(avisos.size(), 6u); // una por línea de la figura
    EXPECT_TRUE(impresora.dibujos.empty());
    EXPECT_NE(texto("Trigrama Inferior:"), nullptr);
    EXPECT_NE(texto("DECISION"), nullptr);

    // Anular cancela el documento y deja el archivo intermedio de la maquetación.
    impresora = ImpresoraFalsa();
    avisos.clear();
    impresora.antes = [](const std::string& op) {
        if (op == "terminar")
            throw FalloImpresion(kErrorImpresora, "");
    };
    respuestas = {RespuestaFallo::Anular};
    EXPECT_EQ(imprimir(), FinImpresion::Anulado);
    EXPECT_EQ(impresora.documento, std::vector<std::string>{"cancelar"});
    EXPECT_TRUE(std::filesystem::exists(carpeta.ruta() / kArchivoIntermedio));
}

TEST_F(Informe, FallosDeArchivos) {
    // Sin error de impresora antes, un fallo de archivo solo deja Aceptar; el documento a
    // medias se cancela.
    const auto imposible = carpeta.ruta() / "no-existe" / kArchivoIntermedio;
    EXPECT_EQ(imprimir(imposible), FinImpresion::Abandonado);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_EQ(avisos[0].texto.rfind("ERROR 75 (SUB IMPRIMIR)\r\n", 0), 0u) << avisos[0].texto;
    EXPECT_FALSE(avisos[0].conOpciones);
    EXPECT_EQ(impresora.documento, std::vector<std::string>{"cancelar"});
    EXPECT_NE(texto("CONSULTA:"), nullptr);

    // Tras un error de impresora, los fallos de archivo también dejan elegir; omitidos, el
    // documento sale sin cuerpo.
    impresora = ImpresoraFalsa();
    avisos.clear();
    int fallos = 1;
    impresora.antes = [&](const std::string& op) {
        if (op == "ancho" && fallos-- > 0)
            throw FalloImpresion(kErrorImpresora, "");
    };
    respuestas = {RespuestaFallo::Reintentar, RespuestaFallo::Omitir, RespuestaFallo::Omitir};
    EXPECT_EQ(imprimir(imposible), FinImpresion::Terminado);
    ASSERT_EQ(avisos.size(), 3u);
    EXPECT_EQ(avisos[1].texto.rfind("ERROR 75 (SUB IMPRIMIR)", 0), 0u);
    EXPECT_EQ(avisos[2].texto.rfind("ERROR 53 (SUB IMPRIMIR)", 0), 0u);
    EXPECT_TRUE(avisos[1].conOpciones && avisos[2].conOpciones);
    EXPECT_EQ(texto("DECISION"), nullptr);
    EXPECT_EQ(impresora.documento, std::vector<std::string>{"fin"});
}
