// La pantalla de interpretación con los 64 textos de verdad. Las figuras elegidas y lo que
// deben enseñar se escriben aquí tal como están en data/hexagramas: 967876 es el 63 (Li
// abajo, K'an arriba) con las líneas 1, 2 y 6 mutantes, y su complementario 877877 es el
// 57.

#include "PantallasConDatos.h"
#include "core/AlmacenTextos.h"
#include "core/EstadoConsulta.h"
#include "interpretation/FRMInterpretar.h"
#include "platform/Plataforma.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBrowser>

#include <filesystem>

using namespace hexora;

namespace {

std::string cp(const char* utf8) { return textoCp1252(QString::fromUtf8(utf8)); }

const std::string k63 = cp("HEXAGRAMA PRINCIPAL|63-Chi Chi|Después de la Consumación|"
                           "Li, El Fuego|K'an, El Agua|012348|Después de la consumación hay ");
// Las dos primeras líneas del 63, mutantes, con sus interpretaciones.
const std::string kLinea1 =
    cp("012348|Nueve en el primer lugar: Uno |INTERPRETACIÓN: Tras un logro,");
const std::string kLinea2 =
    cp("012348|Seis en el segundo lugar: La m|INTERPRETACIÓN: Quizá sienta q");

class Interpretar : public PantallasConDatos {
protected:
    void SetUp() override {
        PantallasConDatos::SetUp();
        entorno.registrarFalsa(Pantalla::FRMImprimir);
        f = CargarComo<FRMInterpretar>(Pantalla::FRMInterpretar);
        ASSERT_NE(f, nullptr);
        activar(*f);
    }
    // Una consulta nueva, como la abre el menú principal.
    void abrirConsulta(const std::string& figura) {
        Pregunta = "\xBFQu\xE9 conviene?";
        Hexagrama = figura;
        CalcularComplementario();
        Resultado = "NO";
        f->Form_Activate();
    }
    std::string habilitadas() const {
        std::string r;
        for (int i = 0; i < 9; ++i)
            if (f->BTNINTERPRETAR[i]->isEnabled())
                r += char('0' + i);
        return r;
    }
    // Lo que enseña la pantalla en una línea: el marco, el nombre y los trigramas (el de
    // abajo primero), las secciones que se pueden pedir y el principio del texto a la vista
    // (el de la línea y su interpretación si es una línea).
    std::string vista() const {
        const auto principio = [](const QTextBrowser* t) {
            return "|" + t->toPlainText().trimmed().left(30);
        };
        return textoCp1252(f->Framehexagrama->title() + "|" + f->TXTHEXAGRAMA[0]->text() + "|" +
                           f->TXTHEXAGRAMA[1]->text() + "|" + f->TXTTRIGRAMA[1]->text() + "|" +
                           f->TXTTRIGRAMA[0]->text() + "|" + QString::fromStdString(habilitadas()) +
                           (f->Text1->isVisibleTo(f)
                                ? principio(f->Text1)
                                : principio(f->Text2[0]) + principio(f->Text2[1])));
    }
    // Lo que hay a la vista desde las secciones que se pueden pedir.
    std::string texto() const { return vista().substr(vista().rfind(habilitadas() + "|")); }
    bool sinTexto() const {
        return habilitadas().empty() && f->Text1->toPlainText().isEmpty() &&
               f->Text2[0]->toPlainText().isEmpty() && f->Text2[1]->toPlainText().isEmpty();
    }
    FRMInterpretar* f = nullptr;
};

// El cuadro enseña su texto entero, sin desplazarlo.
bool entero(const QTextBrowser* caja) {
    return caja->verticalScrollBar()->maximum() == 0 &&
           caja->document()->size().height() <= caja->viewport()->height();
}

} // namespace

// Una línea mutante se lee con el ratón o con Intro y dice su valor; el conmutador lleva al
// complementario, ida y vuelta. Al volver de imprimir, que deja en el buffer el texto del
// complementario, se vuelve a leer el que se ve. La consulta siguiente vuelve al principal y, sin
// líneas mutantes, no hay complementario.
TEST_F(Interpretar, ConsultaConSuComplementario) {
    abrirConsulta("967876");
    EXPECT_EQ(vista(), k63);
    f->LINEA_Click(1);
    EXPECT_EQ(texto(), kLinea2);
    f->LINEA[0]->setFocus(Qt::TabFocusReason);
    tecla(*f, Qt::Key_Return);
    EXPECT_EQ(texto(), kLinea1);
    EXPECT_EQ(f->LINEA[0]->accessibleName(), QString::fromUtf8("Línea 1: yang viejo (9)"));
    EXPECT_EQ(f->LINEA[1]->accessibleName(), QString::fromUtf8("Línea 2: yin viejo (6)"));
    f->BTNMENU_Click(0);
    EXPECT_EQ(vista(), "HEXAGRAMA COMPLEMENTARIO|57-Sun|El Viento Penetrante|Sun, El Viento|Sun, "
                       "El Viento|012|El viento que penetra logra \xE9x");
    f->BTNMENU_Click(0);
    EXPECT_EQ(vista(), k63);
    entorno.guion[Pantalla::FRMImprimir] = [](Formulario&) {
        CargarBuffer(Complementario.valor());
    };
    f->BTNMENU_Click(2);
    f->Form_Activate();
    f->BTNINTERPRETAR_GotFocus(3);
    EXPECT_EQ(texto(), kLinea1);
    abrirConsulta("787878");
    f->BTNMENU_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "El hexagrama complementario sólo se\ncrea cuando "
                                         "existen Lineas Cambiantes\nen el Hexagrama Principal.\n");
    EXPECT_EQ(vista().substr(0, 30), "HEXAGRAMA PRINCIPAL|63-Chi Chi");
}

// Sin texto que leer (una figura de un archivo de consultas dañado que no es ningún
// hexagrama, o "BINARIO.dat" corto) se avisa una vez por carga y no se ofrece
// ninguna sección: nunca el texto que quedó en el buffer de otra consulta.
TEST_F(Interpretar, FiguraSinTextoODatosCortos) {
    abrirConsulta("967876");
    abrirConsulta("123459");
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto,
              "El archivo \"hexagr.chi\" no contiene la figura \"123459\".");
    EXPECT_TRUE(sinTexto());
    const auto binario = carpeta.ruta() / "BINARIO.dat";
    std::filesystem::resize_file(binario, std::filesystem::file_size(binario) / 2);
    abrirConsulta("878787"); // el hexagrama 64, al final del archivo
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[1].texto.startsWith("El archivo \"BINARIO.dat\" se acaba antes"));
    EXPECT_TRUE(sinTexto());
    abrirConsulta("777777"); // el primero sí está entero
    EXPECT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_EQ(habilitadas(), "012");
}

// A 640 x 480 el texto de las líneas más largas de los 64 hexagramas (la 6 del 38, la 6 del
// 24 y la 1 del 44, todas mutantes) se lee sin desplazarlo, con sitio aún para su
// interpretación.
TEST_F(Interpretar, LineasMasLargasA640x480) {
    const int renglon = f->Text2[1]->fontMetrics().lineSpacing();
    for (const auto& [figura, boton] : {std::pair{"996969", 8}, {"966666", 8}, {"699999", 3}}) {
        abrirConsulta(figura);
        f->BTNINTERPRETAR_GotFocus(boton);
        QApplication::processEvents();
        EXPECT_TRUE(entero(f->Text2[0])) << figura;
        EXPECT_GE(f->Text2[1]->viewport()->height(), renglon * 4) << figura;
    }
}
