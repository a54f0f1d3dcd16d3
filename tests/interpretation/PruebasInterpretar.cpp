#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
#include "casting/Figuras.h"
#include "core/AlmacenTextos.h"
#include "core/Aritmetica.h"
#include "core/CarpetaPrograma.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "interpretation/FRMInterpretar.h"
#include "platform/Plataforma.h"
#include "shell/RegistroPantallas.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace hexora;

namespace {

class Interpretar : public ::testing::Test {
protected:
    void SetUp() override {
        fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
        CargarTablas();
        registrarPantallas();
        entorno.registrarFalsa(Pantalla::FRMGrabar);
        entorno.registrarFalsa(Pantalla::FRMImprimir);
        f = CargarComo<FRMInterpretar>(Pantalla::FRMInterpretar);
        ASSERT_NE(f, nullptr);
    }

    // Una consulta nueva, como la abre el menú principal.
    void abrir(const std::string& figura) {
        Pregunta = "\xBFQu\xE9 conviene?";
        Hexagrama = figura;
        CalcularComplementario();
        Resultado = "NO";
        f->Form_Activate();
    }

    // Principio del texto que el almacén da para la figura y la sección, para comparar
    // con lo que enseña la pantalla sin repetir su formato.
    static QString principioDe(const std::string& figura, const char* seccion) {
        CargarBuffer(figura);
        return textoQt(recortar(ExtraerSeccion(seccion).texto)).left(40);
    }

    std::vector<int> habilitadas() const {
        std::vector<int> r;
        for (int i = 0; i < 9; ++i)
            if (f->BTNINTERPRETAR[i]->isEnabled())
                r.push_back(i);
        return r;
    }

    // La pantalla a la vista y activa, para que el teclado vaya a donde esté el foco.
    void mostrar() {
        f->show();
        QApplication::setActiveWindow(f);
        QApplication::processEvents();
    }
    void tecla(int codigo, Qt::KeyboardModifiers modificadores = Qt::NoModifier) {
        QTest::keyClick(f->focusWidget(), static_cast<Qt::Key>(codigo), modificadores);
    }
    // Tabulador hasta llegar al control; false si no se llega.
    bool tabularHasta(QWidget* w) {
        for (int i = 0; i < 40 && f->focusWidget() != w; ++i)
            tecla(Qt::Key_Tab);
        return f->focusWidget() == w;
    }

    EntornoPantallas entorno;
    FRMInterpretar* f = nullptr;
};

// Líneas que ocupa el texto de un cuadro con el ancho que tiene.
int lineasDe(const QTextBrowser* caja) {
    int n = 0;
    for (QTextBlock b = caja->document()->begin(); b.isValid(); b = b.next())
        n += b.layout()->lineCount();
    return n;
}

// El cuadro enseña su texto entero, sin desplazarlo.
bool entero(const QTextBrowser* caja) {
    return caja->verticalScrollBar()->maximum() == 0 &&
           caja->document()->size().height() <= caja->viewport()->height();
}

} // namespace

TEST_F(Interpretar, ConsultaNuevaAbreConLaDecision) {
    const QString decision = principioDe("797767", "D");
    abrir("797767"); // líneas 2 y 5 mutantes
    EXPECT_TRUE(f->Text1->isVisibleTo(f));
    EXPECT_TRUE(f->Text1->toPlainText().contains(decision)) << decision.toStdString();
    EXPECT_EQ(f->focusWidget(), f->BTNINTERPRETAR[0]);
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA PRINCIPAL");
    EXPECT_EQ(f->BTNMENU[0]->toolTip(), "Hexagrama Complementario");
    EXPECT_EQ(f->PREGUNTA->toPlainText(), QString::fromUtf8("¿Qué conviene?"));
    EXPECT_EQ(f->TXTHEXAGRAMA[0]->text(),
              textoQt(recortar(TablaHexagramas[NumeroHexagrama("797767")][1])) + "-" +
                  textoQt(TablaHexagramas[NumeroHexagrama("797767")][4]));
    EXPECT_EQ(f->TXTTRIGRAMA[1]->text(), textoQt(NombreTrigrama("797")));
    EXPECT_EQ(f->TXTTRIGRAMA[0]->text(), textoQt(NombreTrigrama("767")));

    EXPECT_EQ(habilitadas(), (std::vector<int>{0, 1, 2, 4, 7}));
    for (int i = 0; i < 6; ++i) {
        const QString esperado =
            i == 1 || i == 4 ? QString("Interpretar línea %1").arg(i + 1) : QString();
        EXPECT_EQ(f->LINEA[i]->toolTip(), esperado) << i;
    }

    // Una línea fija no hace nada; una mutante muestra su sección en dos cuadros.
    f->LINEA_Click(0);
    EXPECT_TRUE(f->Text1->isVisibleTo(f));
    f->LINEA_Click(4);
    EXPECT_FALSE(f->Text1->isVisibleTo(f));
    EXPECT_TRUE(f->Text2[1]->toPlainText().startsWith(QString::fromUtf8("INTERPRETACIÓN")));
    EXPECT_FALSE(f->Text2[0]->toPlainText().contains(QString::fromUtf8("INTERPRETACIÓN")));
    EXPECT_FALSE(f->Text2[0]->toPlainText().isEmpty());
    EXPECT_EQ(f->IndiceSeccion, 7);

    // La consulta siguiente, con otra línea mutante, solo habilita la suya.
    abrir("777779");
    EXPECT_EQ(habilitadas(), (std::vector<int>{0, 1, 2, 8}));
    EXPECT_TRUE(f->Text1->isVisibleTo(f)); // vuelve a la decisión
}

TEST_F(Interpretar, SinLineasMutantesNoHayComplementario) {
    abrir("787878");
    EXPECT_EQ(habilitadas(), (std::vector<int>{0, 1, 2}));
    for (auto* l : f->LINEA)
        EXPECT_TRUE(l->toolTip().isEmpty());
    const QString antes = f->Text1->toPlainText();
    f->BTNMENU_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "El hexagrama complementario sólo se\ncrea cuando "
                                         "existen Lineas Cambiantes\nen el Hexagrama Principal.\n");
    EXPECT_EQ(entorno.mensajes[0].titulo, "Información al usuario");
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA PRINCIPAL");
    EXPECT_EQ(f->Text1->toPlainText(), antes);
}

TEST_F(Interpretar, ConmutarDosVecesVuelveAlPrincipal) {
    const QString decisionComplementario = principioDe("877877", "D");
    const QString decisionPrincipal = principioDe("967876", "D");
    abrir("967876");
    f->BTNMENU_Click(0);
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
    EXPECT_EQ(f->BTNMENU[0]->toolTip(), "Hexagrama Principal");
    EXPECT_EQ(habilitadas(), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(f->Text1->toPlainText().contains(decisionComplementario));
    EXPECT_EQ(f->TXTTRIGRAMA[1]->text(), textoQt(NombreTrigrama("877")));
    EXPECT_EQ(f->IndiceSeccion, -1);

    f->BTNMENU_Click(0);
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA PRINCIPAL");
    EXPECT_EQ(habilitadas(), (std::vector<int>{0, 1, 2, 3, 4, 8}));
    EXPECT_TRUE(f->Text1->toPlainText().contains(decisionPrincipal));
    EXPECT_FALSE(f->LINEA[0]->toolTip().isEmpty());
}

TEST_F(Interpretar, VolverDeArchivarNoRehaceLaPantalla) {
    abrir("967876");
    f->BTNMENU_Click(0); // el complementario a la vista
    f->BTNINTERPRETAR_GotFocus(1);
    const QString comentario = f->Text1->toPlainText();
    EXPECT_EQ(f->IndiceSeccion, 1);

    f->BTNMENU_Click(1);
    EXPECT_EQ(entorno.sucesos.back(), "modal:FRMGrabar");
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(f->IndiceSeccion, -1); // el siguiente foco siempre muestra su sección
    f->Form_Activate();              // vuelta de la pantalla de archivar
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
    EXPECT_EQ(f->Text1->toPlainText(), comentario);
    EXPECT_EQ(habilitadas(), (std::vector<int>{0, 1, 2}));

    f->BTNINTERPRETAR_GotFocus(1); // con IndiceSeccion en -1 se vuelve a extraer
    EXPECT_EQ(f->IndiceSeccion, 1);
    f->BTNMENU_Click(3);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(f->IndiceSeccion, -1);
}

TEST_F(Interpretar, TrasImprimirLosDosElBufferVuelveAlQueSeVe) {
    abrir("967876");
    const auto decisionPrincipal = ExtraerSeccion("D").texto;
    // La impresión de los dos hexagramas deja en el buffer el texto del complementario.
    entorno.guion[Pantalla::FRMImprimir] = [](Formulario&) {
        CargarBuffer(Complementario.valor());
    };
    f->BTNMENU_Click(2);
    EXPECT_NE(ExtraerSeccion("D").texto, decisionPrincipal);
    f->Form_Activate();
    EXPECT_EQ(ExtraerSeccion("D").texto, decisionPrincipal);
    f->BTNINTERPRETAR_GotFocus(3);
    EXPECT_TRUE(f->Text2[1]->toPlainText().startsWith(QString::fromUtf8("INTERPRETACIÓN")));
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA PRINCIPAL");
}

TEST_F(Interpretar, PulsarTitulosYTrigramas) {
    abrir("967876");
    f->BTNINTERPRETAR_GotFocus(3);
    QMouseEvent suelta(QEvent::MouseButtonRelease, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(f->TXTTRIGRAMA[0], &suelta);
    EXPECT_EQ(f->IndiceSeccion, 2);
    QApplication::sendEvent(f->TXTHEXAGRAMA[1], &suelta);
    EXPECT_EQ(f->IndiceSeccion, 0);
    QApplication::sendEvent(f->Framehexagrama, &suelta);
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
}

// Sin texto que leer (una figura de un archivo de consultas dañado que no es ningún
// hexagrama, o "BINARIO.dat" corto o ausente) se avisa una vez por carga y no se ofrece
// ninguna sección: nunca el texto que quedó en el buffer de otra consulta.
TEST_F(Interpretar, FiguraSinTextoODatosCortos) {
    abrir("967876");
    const auto sinTexto = [this] {
        return habilitadas().empty() && f->Text1->toPlainText().isEmpty() &&
               f->Text2[0]->toPlainText().isEmpty() && f->Text2[1]->toPlainText().isEmpty();
    };
    abrir("123459");
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto,
              "El archivo \"hexagr.chi\" no contiene la figura \"123459\".");
    EXPECT_EQ(entorno.mensajes[0].titulo, "Información al usuario");
    EXPECT_TRUE(sinTexto());
    f->BTNMENU_Click(0); // su complementaria tampoco existe
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[1].texto.contains("\"123458\""));
    EXPECT_TRUE(sinTexto());
    f->BTNMENU_Click(0);
    EXPECT_TRUE(sinTexto());

    std::ifstream original(std::string(HEXORA_CARPETA_PROGRAMA) + "/BINARIO.dat", std::ios::binary);
    const std::string binario{std::istreambuf_iterator<char>(original),
                              std::istreambuf_iterator<char>()};
    CarpetaTemporal carpeta;
    carpeta.escribir("BINARIO.dat", binario.substr(0, binario.size() / 2));
    entorno.mensajes.clear();
    abrir("878787"); // el hexagrama 64, al final del archivo
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("El archivo \"BINARIO.dat\" se acaba antes"))
        << entorno.mensajes[0].texto.toStdString();
    EXPECT_TRUE(sinTexto());

    abrir("777777"); // el primero sí está entero
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
    abrir("797767"); // líneas 2 y 5 mutantes
    mostrar();
    ASSERT_EQ(f->focusWidget(), f->BTNINTERPRETAR[0]);
    ASSERT_TRUE(tabularHasta(f->BTNINTERPRETAR[7]));
    EXPECT_EQ(f->IndiceSeccion, 7);
    EXPECT_TRUE(f->Text2[0]->isVisibleTo(f));

    ASSERT_TRUE(tabularHasta(f->BTNMENU[0]));
    tecla(Qt::Key_Return);
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA COMPLEMENTARIO");
    ASSERT_TRUE(tabularHasta(f->BTNMENU[0]));
    tecla(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(f->Framehexagrama->title(), "HEXAGRAMA PRINCIPAL");

    // Una línea mutante de la figura se lee con Intro; las seis dicen su valor.
    f->LINEA[1]->setFocus(Qt::TabFocusReason);
    tecla(Qt::Key_Return);
    EXPECT_EQ(f->IndiceSeccion, 4);
    EXPECT_EQ(f->LINEA[1]->accessibleName(), QString::fromUtf8("Línea 2: yang viejo (9)"));
    EXPECT_EQ(f->LINEA[1]->toolTip(), QString::fromUtf8("Interpretar línea 2"));

    ASSERT_TRUE(tabularHasta(f->BTNMENU[1]));
    tecla(Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(entorno.sucesos.back(), "modal:FRMGrabar");
    ASSERT_TRUE(tabularHasta(f->BTNMENU[3]));
    tecla(Qt::Key_Space);
    EXPECT_FALSE(f->isVisible());
}

// A 640 x 480 la pregunta se ve entera, en dos renglones la más larga, y el texto de cada
// línea de los 64 hexagramas se lee sin desplazarlo, con sitio aún para su interpretación.
TEST_F(Interpretar, PreguntaEnteraYTextoDeCadaLineaA640x480) {
    mostrar();
    const std::string larga =
        "\xBFME CONVIENE CAMBIAR DE TRABAJO ESTE A\xD1O O ESPERAR AL PR\xD3XIMO PARA VER "
        "QU\xC9 PASA CON TODO ESTO AHORA?";
    ASSERT_EQ(larga.size(), 100u);
    Pregunta = larga;
    Hexagrama = "797767";
    CalcularComplementario();
    Resultado = "NO";
    f->Form_Activate();
    QApplication::processEvents();
    EXPECT_EQ(f->PREGUNTA->toPlainText(), textoQt(larga));
    EXPECT_TRUE(entero(f->PREGUNTA));
    EXPECT_EQ(lineasDe(f->PREGUNTA), 2);

    // Un salto de línea escrito en la pregunta se ve como tal.
    Pregunta = "\xBFUNO\r\nDOS?";
    f->Form_Activate();
    QApplication::processEvents();
    EXPECT_EQ(f->PREGUNTA->toPlainText(), "¿UNO\nDOS?");
    EXPECT_TRUE(entero(f->PREGUNTA));

    Pregunta = larga;
    const int renglon = f->Text2[1]->fontMetrics().lineSpacing();
    for (int fila = 1; fila <= 64; ++fila) {
        // La misma figura con las seis líneas mutantes: el texto de todas sus líneas.
        std::string figura = lineasDeFila(fila);
        for (char& c : figura)
            c = c == '7' ? '9' : '6';
        abrir(figura);
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
