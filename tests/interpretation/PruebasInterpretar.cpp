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

#include <fstream>
#include <iterator>

using namespace hexora;

namespace {

std::string cp(const char* utf8) { return textoCp1252(QString::fromUtf8(utf8)); }

const QString kLinea1De63 = QString::fromUtf8("Nueve en el primer lugar: Uno frena las ruedas");
const QString kLinea2De63 =
    QString::fromUtf8("Seis en el segundo lugar: La mujer pierde la cortina");

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
    std::vector<int> habilitadas() const {
        std::vector<int> r;
        for (int i = 0; i < 9; ++i)
            if (f->BTNINTERPRETAR[i]->isEnabled())
                r.push_back(i);
        return r;
    }
    // Lo que enseña la pantalla en una línea: el marco, el nombre y los trigramas (el de
    // abajo primero), las secciones que se pueden pedir y el principio del texto a la vista
    // (el de la línea y su interpretación si es una línea).
    std::string vista() const {
        std::string s = textoCp1252(f->Framehexagrama->title() + "|" + f->TXTHEXAGRAMA[0]->text() +
                                    "|" + f->TXTHEXAGRAMA[1]->text() + "|" +
                                    f->TXTTRIGRAMA[1]->text() + "|" + f->TXTTRIGRAMA[0]->text()) +
                        "|";
        for (int i : habilitadas())
            s += std::to_string(i);
        const auto principio = [](const QTextBrowser* t) {
            return "|" + textoCp1252(t->toPlainText().trimmed().left(30));
        };
        return s + (f->Text1->isVisibleTo(f) ? principio(f->Text1)
                                             : principio(f->Text2[0]) + principio(f->Text2[1]));
    }
    void soltarRatonEn(QWidget* w) {
        QMouseEvent suelta(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                           Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &suelta);
    }
    FRMInterpretar* f = nullptr;
};

QString texto(const QTextBrowser* caja) { return caja->toPlainText().trimmed(); }

// El cuadro enseña su texto entero, sin desplazarlo.
bool entero(const QTextBrowser* caja) {
    return caja->verticalScrollBar()->maximum() == 0 &&
           caja->document()->size().height() <= caja->viewport()->height();
}

} // namespace

TEST_F(Interpretar, ConsultaNuevaConSusNombresYTextos) {
    abrirConsulta("967876");
    EXPECT_EQ(vista(), cp("HEXAGRAMA PRINCIPAL|63-Chi Chi|Después de la Consumación|Li, El Fuego|"
                          "K'an, El Agua|012348|Después de la consumación hay "));
    EXPECT_EQ(f->focusWidget(), f->BTNINTERPRETAR[0]);
    EXPECT_EQ(f->BTNMENU[0]->toolTip() + "|" + f->PREGUNTA->toPlainText(),
              QString::fromUtf8("Hexagrama Complementario|¿Qué conviene?"));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(f->LINEA[i]->toolTip(),
                  i == 0 || i == 1 || i == 5 ? QString("Interpretar línea %1").arg(i + 1) : "")
            << i;
    // Una línea fija no hace nada; una mutante muestra su texto y su interpretación; los
    // trigramas llevan a la imagen, el nombre a la decisión y el marco al complementario.
    f->LINEA_Click(2);
    EXPECT_TRUE(f->Text1->isVisibleTo(f));
    f->LINEA_Click(1);
    EXPECT_EQ(vista().substr(vista().rfind("012348|")),
              cp("012348|Seis en el segundo lugar: La m|INTERPRETACIÓN: Quizá sienta q"));
    soltarRatonEn(f->TXTTRIGRAMA[0]);
    EXPECT_EQ(vista().substr(vista().rfind('|')), cp("|El Agua está sobre el Fuego. A"));
    soltarRatonEn(f->TXTHEXAGRAMA[1]);
    EXPECT_EQ(vista().substr(vista().rfind('|')), cp("|Después de la consumación hay "));
    soltarRatonEn(f->Framehexagrama);
    EXPECT_EQ(vista(), "HEXAGRAMA COMPLEMENTARIO|57-Sun|El Viento Penetrante|Sun, El Viento|Sun, "
                       "El Viento|012|El viento que penetra logra \xE9x");
    // La consulta siguiente vuelve al principal, con su decisión y solo su línea mutante.
    abrirConsulta("777779");
    EXPECT_EQ(vista(),
              "HEXAGRAMA PRINCIPAL|1-Ch'ien|La Fuerza Creadora|Ch'ien, El Cielo|Ch'ien, El "
              "Cielo|0128|Ch'ien es el impulso primero d");
}

// Sin líneas mutantes no hay complementario; con ellas, el conmutador va y vuelve.
TEST_F(Interpretar, ComplementarioIdaYVuelta) {
    abrirConsulta("787878");
    f->BTNMENU_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "El hexagrama complementario sólo se\ncrea cuando "
                                         "existen Lineas Cambiantes\nen el Hexagrama Principal.\n");
    EXPECT_EQ(vista().substr(0, 30), "HEXAGRAMA PRINCIPAL|63-Chi Chi");
    abrirConsulta("967876");
    f->BTNMENU_Click(0);
    EXPECT_EQ(f->BTNMENU[0]->toolTip(), "Hexagrama Principal");
    EXPECT_EQ(vista().substr(0, 31), "HEXAGRAMA COMPLEMENTARIO|57-Sun");
    f->BTNMENU_Click(0);
    EXPECT_EQ(vista(), cp("HEXAGRAMA PRINCIPAL|63-Chi Chi|Después de la Consumación|Li, El Fuego|"
                          "K'an, El Agua|012348|Después de la consumación hay "));
}

// Al volver de archivar la pantalla sigue como estaba; al volver de imprimir los dos, que
// deja en el buffer el texto del complementario, vuelve a leer el que se ve.
TEST_F(Interpretar, VolverDeArchivarODeImprimir) {
    abrirConsulta("967876");
    f->BTNMENU_Click(0); // el complementario a la vista
    f->BTNINTERPRETAR_GotFocus(1);
    const QString comentario = texto(f->Text1);
    f->BTNMENU_Click(1);
    EXPECT_EQ(entorno.sucesos.back(), "modal:FRMGrabar");
    EXPECT_EQ(Resultado, "SI");
    f->Form_Activate();
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
    EXPECT_EQ(texto(f->Text1), comentario);
    EXPECT_EQ(habilitadas(), (std::vector<int>{0, 1, 2}));
    f->BTNMENU_Click(3);
    EXPECT_FALSE(f->isVisible());
    abrirConsulta("967876");
    entorno.guion[Pantalla::FRMImprimir] = [](Formulario&) {
        CargarBuffer(Complementario.valor());
    };
    f->BTNMENU_Click(2);
    f->Form_Activate();
    f->BTNINTERPRETAR_GotFocus(3);
    EXPECT_TRUE(texto(f->Text2[0]).startsWith(kLinea1De63)) << texto(f->Text2[0]).toStdString();
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA PRINCIPAL");
}

// Sin texto que leer (una figura de un archivo de consultas dañado que no es ningún
// hexagrama, o "BINARIO.dat" corto o ausente) se avisa una vez por carga y no se ofrece
// ninguna sección: nunca el texto que quedó en el buffer de otra consulta.
TEST_F(Interpretar, FiguraSinTextoODatosCortos) {
    abrirConsulta("967876");
    const auto sinTexto = [this] {
        return habilitadas().empty() && f->Text1->toPlainText().isEmpty() &&
               f->Text2[0]->toPlainText().isEmpty() && f->Text2[1]->toPlainText().isEmpty();
    };
    abrirConsulta("123459");
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto,
              "El archivo \"hexagr.chi\" no contiene la figura \"123459\".");
    EXPECT_EQ(entorno.mensajes[0].titulo, "Información al usuario");
    EXPECT_TRUE(sinTexto());
    f->BTNMENU_Click(0); // su complementaria tampoco existe
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[1].texto.contains("\"123458\""));
    EXPECT_TRUE(sinTexto());
    std::ifstream original(carpeta.ruta() / "BINARIO.dat", std::ios::binary);
    const std::string binario{std::istreambuf_iterator<char>(original),
                              std::istreambuf_iterator<char>()};
    carpeta.escribir("BINARIO.dat", binario.substr(0, binario.size() / 2));
    entorno.mensajes.clear();
    abrirConsulta("878787"); // el hexagrama 64, al final del archivo
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("El archivo \"BINARIO.dat\" se acaba antes"))
        << entorno.mensajes[0].texto.toStdString();
    EXPECT_TRUE(sinTexto());
    abrirConsulta("777777"); // el primero sí está entero
    EXPECT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(habilitadas(), (std::vector<int>{0, 1, 2}));
    f->BTNMENU_Click(1); // vuelta de archivar, con el archivo ya perdido
    std::filesystem::remove(carpeta.ruta() / "BINARIO.dat");
    f->Form_Activate();
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[1].texto.contains("no está en la carpeta del programa"));
    EXPECT_TRUE(sinTexto());
}

// Todo con el teclado: el tabulador muestra cada sección al llegar a su botón, e Intro,
// el Intro del teclado numérico y el espacio pulsan el botón que tiene el foco.
TEST_F(Interpretar, TecladoTabuladorIntroYEspacio) {
    abrirConsulta("967876");
    activar(*f);
    ASSERT_EQ(f->focusWidget(), f->BTNINTERPRETAR[0]);
    ASSERT_TRUE(tabularHasta(*f, f->BTNINTERPRETAR[4]));
    EXPECT_TRUE(texto(f->Text2[0]).startsWith(kLinea2De63));
    ASSERT_TRUE(tabularHasta(*f, f->BTNMENU[0]));
    tecla(*f, Qt::Key_Return);
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
    ASSERT_TRUE(tabularHasta(*f, f->BTNMENU[0]));
    tecla(*f, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA PRINCIPAL");
    // Una línea mutante de la figura se lee con Intro; cada una dice su valor.
    f->LINEA[0]->setFocus(Qt::TabFocusReason);
    tecla(*f, Qt::Key_Return);
    EXPECT_TRUE(texto(f->Text2[0]).startsWith(kLinea1De63));
    EXPECT_EQ(f->LINEA[0]->accessibleName(), QString::fromUtf8("Línea 1: yang viejo (9)"));
    EXPECT_EQ(f->LINEA[1]->accessibleName(), QString::fromUtf8("Línea 2: yin viejo (6)"));
    ASSERT_TRUE(tabularHasta(*f, f->BTNMENU[1]));
    tecla(*f, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(entorno.sucesos.back(), "modal:FRMGrabar");
    ASSERT_TRUE(tabularHasta(*f, f->BTNMENU[3]));
    tecla(*f, Qt::Key_Space);
    EXPECT_FALSE(f->isVisible());
}

// A 640 x 480 la pregunta más larga se ve entera en dos renglones, un salto de línea escrito
// en ella se ve como tal, y el texto de cada línea de los 64 hexagramas se lee sin
// desplazarlo, con sitio aún para su interpretación.
TEST_F(Interpretar, PreguntaEnteraYTextoDeCadaLineaA640x480) {
    activar(*f);
    const std::string larga =
        "\xBFME CONVIENE CAMBIAR DE TRABAJO ESTE A\xD1O O ESPERAR AL PR\xD3XIMO PARA VER "
        "QU\xC9 PASA CON TODO ESTO AHORA?";
    ASSERT_EQ(larga.size(), 100u);
    abrirConsulta("797767");
    for (const std::string& pregunta : {larga, std::string("\xBFUNO\r\nDOS?")}) {
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
            ASSERT_TRUE(f->Text2[0]->isVisible());
            EXPECT_TRUE(entero(f->Text2[0])) << "hexagrama " << fila << ", línea " << k - 2;
            EXPECT_GE(f->Text2[1]->viewport()->height(), renglon * 4) << fila;
        }
        ASSERT_LE(f->frameGeometry().height(), 480);
    }
}
