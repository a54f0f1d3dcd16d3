// La pantalla de interpretación con los 64 textos de verdad. Las figuras elegidas y lo que
// deben enseñar se escriben aquí tal como están en data/hexagramas: 967876 es el 63 (Li
// abajo, K'an arriba) con las líneas 1, 2 y 6 mutantes, y su complementario 877877 es el
// 57.

#include "PantallasConDatos.h"
#include "casting/Figuras.h"
#include "core/AlmacenTextos.h"
#include "core/EstadoConsulta.h"
#include "interpretation/FRMInterpretar.h"
#include "platform/Plataforma.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>

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
        entorno.registrarFalsa(Pantalla::FRMGrabar);
        entorno.registrarFalsa(Pantalla::FRMImprimir);
        f = CargarComo<FRMInterpretar>(Pantalla::FRMInterpretar);
        ASSERT_NE(f, nullptr);
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
    void soltarRatonEn(QWidget* w) {
        QMouseEvent suelta(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &suelta);
    }
    FRMInterpretar* f = nullptr;
};

// El cuadro enseña su texto entero, sin desplazarlo.
bool entero(const QTextBrowser* caja) {
    return caja->verticalScrollBar()->maximum() == 0 &&
           caja->document()->size().height() <= caja->viewport()->height();
}

} // namespace

// Una línea fija no hace nada; una mutante muestra su texto y su interpretación; los
// trigramas llevan a la imagen, el nombre a la decisión y el marco o el conmutador al
// complementario, ida y vuelta. Sin líneas mutantes no hay complementario.
TEST_F(Interpretar, ConsultaConSuComplementario) {
    abrirConsulta("967876");
    EXPECT_EQ(vista(), k63);
    EXPECT_EQ(f->focusWidget(), f->BTNINTERPRETAR[0]);
    EXPECT_EQ(f->BTNMENU[0]->toolTip() + "|" + f->PREGUNTA->toPlainText(),
              QString::fromUtf8("Hexagrama Complementario|¿Qué conviene?"));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(f->LINEA[i]->toolTip(),
                  i == 0 || i == 1 || i == 5 ? QString("Interpretar línea %1").arg(i + 1) : "")
            << i;
    f->LINEA_Click(2);
    EXPECT_TRUE(f->Text1->isVisibleTo(f));
    f->LINEA_Click(1);
    EXPECT_EQ(texto(), kLinea2);
    soltarRatonEn(f->TXTTRIGRAMA[0]);
    EXPECT_EQ(texto(), cp("012348|El Agua está sobre el Fuego. A"));
    soltarRatonEn(f->TXTHEXAGRAMA[1]);
    EXPECT_EQ(texto(), cp("012348|Después de la consumación hay "));
    soltarRatonEn(f->Framehexagrama);
    EXPECT_EQ(vista(), "HEXAGRAMA COMPLEMENTARIO|57-Sun|El Viento Penetrante|Sun, El Viento|Sun, "
                       "El Viento|012|El viento que penetra logra \xE9x");
    EXPECT_EQ(f->BTNMENU[0]->toolTip(), "Hexagrama Principal");
    f->BTNMENU_Click(0);
    EXPECT_EQ(vista(), k63);
    // La consulta siguiente vuelve al principal, con su decisión y solo su línea mutante.
    abrirConsulta("777779");
    EXPECT_EQ(vista(),
              "HEXAGRAMA PRINCIPAL|1-Ch'ien|La Fuerza Creadora|Ch'ien, El Cielo|Ch'ien, El "
              "Cielo|0128|Ch'ien es el impulso primero d");
    abrirConsulta("787878");
    f->BTNMENU_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "El hexagrama complementario sólo se\ncrea cuando "
                                         "existen Lineas Cambiantes\nen el Hexagrama Principal.\n");
    EXPECT_EQ(vista().substr(0, 30), "HEXAGRAMA PRINCIPAL|63-Chi Chi");
}

// Al volver de archivar la pantalla sigue como estaba; al volver de imprimir los dos, que
// deja en el buffer el texto del complementario, vuelve a leer el que se ve.
TEST_F(Interpretar, VolverDeArchivarODeImprimir) {
    abrirConsulta("967876");
    f->BTNMENU_Click(0); // el complementario a la vista
    f->BTNINTERPRETAR_GotFocus(1);
    const std::string comentario = vista();
    f->BTNMENU_Click(1);
    EXPECT_EQ(entorno.sucesos.back() + Resultado.valor(), "modal:FRMGrabarSI");
    f->Form_Activate();
    EXPECT_EQ(vista(), comentario);
    abrirConsulta("967876");
    entorno.guion[Pantalla::FRMImprimir] = [](Formulario&) {
        CargarBuffer(Complementario.valor());
    };
    f->BTNMENU_Click(2);
    f->Form_Activate();
    f->BTNINTERPRETAR_GotFocus(3);
    EXPECT_EQ(texto(), kLinea1);
}

// Sin texto que leer (una figura de un archivo de consultas dañado que no es ningún
// hexagrama, o "BINARIO.dat" corto o ausente) se avisa una vez por carga y no se ofrece
// ninguna sección: nunca el texto que quedó en el buffer de otra consulta.
TEST_F(Interpretar, FiguraSinTextoODatosCortos) {
    abrirConsulta("967876");
    abrirConsulta("123459");
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].titulo + "|" + entorno.mensajes[0].texto,
              "Información al usuario|El archivo \"hexagr.chi\" no contiene la figura \"123459\".");
    EXPECT_TRUE(sinTexto());
    f->BTNMENU_Click(0); // su complementaria tampoco existe
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[1].texto.contains("\"123458\""));
    EXPECT_TRUE(sinTexto());
    const auto binario = carpeta.ruta() / "BINARIO.dat";
    std::filesystem::resize_file(binario, std::filesystem::file_size(binario) / 2);
    abrirConsulta("878787"); // el hexagrama 64, al final del archivo
    ASSERT_EQ(entorno.mensajes.size(), 3u);
    EXPECT_TRUE(entorno.mensajes[2].texto.startsWith("El archivo \"BINARIO.dat\" se acaba antes"));
    EXPECT_TRUE(sinTexto());
    abrirConsulta("777777"); // el primero sí está entero
    EXPECT_EQ(entorno.mensajes.size(), 3u);
    EXPECT_EQ(habilitadas(), "012");
    f->BTNMENU_Click(1); // vuelta de archivar, con el archivo ya perdido
    std::filesystem::remove(binario);
    f->Form_Activate();
    ASSERT_EQ(entorno.mensajes.size(), 4u);
    EXPECT_TRUE(entorno.mensajes[3].texto.contains("no está en la carpeta del programa"));
    EXPECT_TRUE(sinTexto());
}

// Con el teclado el tabulador muestra cada sección al llegar a su botón; una línea mutante
// se lee con Intro y cada una dice su valor.
TEST_F(Interpretar, TecladoYNombresDeLasLineas) {
    abrirConsulta("967876");
    activar(*f);
    ASSERT_TRUE(tabularHasta(*f, f->BTNINTERPRETAR[4]));
    EXPECT_EQ(texto(), kLinea2);
    f->LINEA[0]->setFocus(Qt::TabFocusReason);
    tecla(*f, Qt::Key_Return);
    EXPECT_EQ(texto(), kLinea1);
    EXPECT_EQ(f->LINEA[0]->accessibleName(), QString::fromUtf8("Línea 1: yang viejo (9)"));
    EXPECT_EQ(f->LINEA[1]->accessibleName(), QString::fromUtf8("Línea 2: yin viejo (6)"));
    ASSERT_TRUE(tabularHasta(*f, f->BTNMENU[3]));
    tecla(*f, Qt::Key_Space);
    EXPECT_FALSE(f->isVisible());
}

// A 640 x 480 la pregunta más larga se ve entera en dos renglones, un salto de línea escrito
// en ella se ve como tal, y el texto de cada línea de los 64 hexagramas se lee sin
// desplazarlo, con sitio aún para su interpretación.
TEST_F(Interpretar, PreguntaEnteraYTextoDeCadaLineaA640x480) {
    activar(*f);
    abrirConsulta("797767");
    for (const char* pregunta : {"\xBFME CONVIENE CAMBIAR DE TRABAJO ESTE A\xD1O O ESPERAR AL "
                                 "PR\xD3XIMO PARA VER QU\xC9 PASA CON TODO ESTO AHORA?",
                                 "\xBFUNO\r\nDOS?"}) {
        Pregunta = pregunta;
        f->Form_Activate();
        QApplication::processEvents();
        EXPECT_EQ(f->PREGUNTA->toPlainText(), textoQt(pregunta).replace("\r\n", "\n"));
        EXPECT_TRUE(entero(f->PREGUNTA));
        int renglones = 0;
        for (QTextBlock b = f->PREGUNTA->document()->begin(); b.isValid(); b = b.next())
            renglones += b.layout()->lineCount();
        EXPECT_EQ(renglones, 2);
    }
    const int renglon = f->Text2[1]->fontMetrics().lineSpacing();
    for (int fila = 1; fila <= 64; ++fila) {
        std::string figura = lineasDeFila(fila);
        for (char& c : figura)
            c = c == '7' ? '9' : '6';
        abrirConsulta(figura);
        for (int k = 3; k < 9; ++k) {
            f->BTNINTERPRETAR_GotFocus(k);
            QApplication::processEvents();
            EXPECT_TRUE(entero(f->Text2[0])) << "hexagrama " << fila << ", línea " << k - 2;
            EXPECT_GE(f->Text2[1]->viewport()->height(), renglon * 4) << fila;
        }
    }
}
