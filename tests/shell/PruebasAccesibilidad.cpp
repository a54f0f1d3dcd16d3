// Todas las pantallas tal como las recorre un lector de pantalla (la interfaz de
// accesibilidad de Qt) y tal como caben, con el marco de su ventana, en 640 x 480.

#include "PantallasConDatos.h"
#include "archive/ArchivoConsultas.h"
#include "casting/FRM64HEXAGRAMAS.h"
#include "casting/FRMIntroducir.h"
#include "casting/FRMTirada.h"
#include "casting/Figuras.h"
#include "core/EstadoConsulta.h"
#include "interpretation/FRMInterpretar.h"
#include "printing/FRMImprimir.h"
#include "shell/FRM256.h"
#include "shell/FRMPRINCIPAL.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>

using namespace hexora;

namespace {

// Cómo se dice el valor de cada línea; la prueba lo sabe por su cuenta.
const std::map<char, QString> kValores = {{'6', QString::fromUtf8("yin viejo (6)")},
                                          {'7', QString::fromUtf8("yang joven (7)")},
                                          {'8', QString::fromUtf8("yin joven (8)")},
                                          {'9', QString::fromUtf8("yang viejo (9)")}};

// La pregunta más ancha que se puede hacer.
const std::string kPreguntaAncha = "\xBF" + std::string(98, 'M') + "?";

// Marco que se supone a una ventana con título cuando la plataforma no dibuja ninguno (sin
// pantalla): el de un escritorio de letra grande.
const QMargins kMarcoSupuesto(4, 30, 4, 4);

bool sinPantalla() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

class Pantallas;

struct Caso {
    std::string nombre;
    // Deja el estado que la pantalla necesita, la muestra y devuelve su ventana.
    std::function<QWidget*(Pantallas&)> abrir;
    bool pantallaCompleta = false; // ocupa toda la pantalla, sin marco
};

// GoogleTest nombra cada caso por su pantalla.
void PrintTo(const Caso& caso, std::ostream* salida) { *salida << caso.nombre; }

class Pantallas : public PantallasConDatos, public ::testing::WithParamInterface<Caso> {
public:
    using PantallasConDatos::abrir;
    using PantallasConDatos::echarLinea;
    void SetUp() override {
        PantallasConDatos::SetUp();
        entorno.guion[Pantalla::FRM256] = [](Formulario& f) {
            static_cast<FRM256&>(f).BTNAUX_Click(0);
        };
        Pregunta = kPreguntaAncha;
        PreguntaAnterior = kPreguntaAncha;
    }
    void TearDown() override {
        if (menu)
            menu->hide();
        PantallasConDatos::TearDown();
    }
    // Con un gestor de ventanas de verdad, espera a que la ventana tenga su marco y se
    // haya vuelto a centrar con él.
    static void esperarMarco(QWidget* w) {
        if (sinPantalla())
            return;
        EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        if (!(w->windowFlags() & Qt::FramelessWindowHint) && !w->isFullScreen()) {
            EXPECT_TRUE(
                QTest::qWaitFor([w] { return !w->windowHandle()->frameMargins().isNull(); }, 3000));
        }
        QTest::qWait(800);
    }
    std::unique_ptr<FRMPRINCIPAL> menu;
    std::string figura; // la que enseña la pantalla, la línea de abajo primero
};

const std::vector<Caso> kCasos = {
    {"FRMPRINCIPAL",
     [](Pantallas& p) -> QWidget* {
         p.menu = std::make_unique<FRMPRINCIPAL>([] { return false; });
         if (!p.menu->Form_Load())
             return nullptr;
         // Sin pantalla, la virtual no mide 640 x 480: el menú se queda con su tamaño.
         if (sinPantalla())
             p.menu->show();
         else
             p.menu->showFullScreen();
         return p.menu.get();
     },
     true},
    {"FRM256", [](Pantallas& p) -> QWidget* { return &p.abrir(Pantalla::FRM256); }},
    {"FRMInicio",
     [](Pantallas&) -> QWidget* {
         Formulario* f = Cargar(Pantalla::FRMInicio);
         f->show();
         return f;
     }},
    {"frmconsulta", [](Pantallas& p) -> QWidget* { return &p.abrir(Pantalla::frmconsulta); }},
    {"FRMTirada",
     [](Pantallas& p) -> QWidget* {
         auto& f = p.abrir<FRMTirada>(Pantalla::FRMTirada);
         for (int i = 0; i < 3; ++i)
             p.echarLinea(f);
         p.figura = f.tirada().lineas();
         return &f;
     }},
    {"FRMIntroducir",
     [](Pantallas& p) -> QWidget* {
         auto& f = p.abrir<FRMIntroducir>(Pantalla::FRMIntroducir);
         for (int k : {3, 0, 1, 2})
             f.GRFLINEA[k]->click();
         p.figura = "9678";
         return &f;
     }},
    {"FRM64HEXAGRAMAS",
     [](Pantallas& p) -> QWidget* {
         auto& f = p.abrir<FRM64HEXAGRAMAS>(Pantalla::FRM64HEXAGRAMAS);
         f.List1->setCurrentRow(10);
         p.figura = lineasDeFila(11);
         return &f;
     }},
    {"FRMInterpretar",
     [](Pantallas& p) -> QWidget* {
         Hexagrama = p.figura = "967876";
         CalcularComplementario();
         Resultado = "NO";
         auto& f = p.abrir<FRMInterpretar>(Pantalla::FRMInterpretar);
         f.BTNINTERPRETAR_GotFocus(3); // el texto de una línea y su interpretación
         return &f;
     }},
    {"FRMGrabar", [](Pantallas& p) -> QWidget* { return &p.abrir(Pantalla::FRMGrabar); }},
    {"FRMRecuperar",
     [](Pantallas& p) -> QWidget* {
         Hexagrama = p.figura = "796687";
         GrabarConsulta("ANA", "05/03/2026");
         return &p.abrir(Pantalla::FRMRecuperar);
     }},
    {"FRMImprimir",
     [](Pantallas& p) -> QWidget* {
         Hexagrama = p.figura = "967876";
         CalcularComplementario();
         auto& f = p.abrir<FRMImprimir>(Pantalla::FRMImprimir);
         f.Actualiza(Hexagrama.valor()); // la vista previa del hexagrama que se imprime
         return &f;
     }},
};

// Recorre lo que un lector de pantalla ve de la ventana y anota lo que no sabría decir.
void revisar(QAccessibleInterface* i, int nivel, QStringList& faltas, QStringList& lineas) {
    if (!i || i->state().invisible)
        return;
    const QString nombre = i->text(QAccessible::Name);
    const QString descripcion = i->text(QAccessible::Description);
    const QString clase = i->object() ? i->object()->metaObject()->className() : "?";
    if ((nivel == 0 || i->state().focusable) && nombre.trimmed().isEmpty())
        faltas << clase + ": sin nombre";
    if (const auto* etiqueta = qobject_cast<const QLabel*>(i->object())) {
        const QString texto = etiqueta->text().trimmed();
        if (!texto.isEmpty() && !nombre.contains(texto) && !descripcion.contains(texto))
            faltas << "etiqueta \"" + texto + "\" con nombre \"" + nombre + "\"";
        if (!etiqueta->pixmap().isNull() && nombre.isEmpty())
            faltas << "imagen sin nombre";
    }
    // Lo que se pulsa, se elige o se escribe se alcanza con el tabulador.
    const auto* control = qobject_cast<const QWidget*>(i->object());
    if (control && control->isEnabled() &&
        (qobject_cast<const QAbstractButton*>(control) ||
         qobject_cast<const QAbstractItemView*>(control) ||
         qobject_cast<const QComboBox*>(control) || qobject_cast<const QLineEdit*>(control) ||
         (qobject_cast<const QPlainTextEdit*>(control) &&
          !static_cast<const QPlainTextEdit*>(control)->isReadOnly())) &&
        !(control->focusPolicy() & Qt::TabFocus))
        faltas << clase + " \"" + nombre + "\": fuera del tabulador";
    if (nombre.startsWith(QString::fromUtf8("Línea ")))
        lineas << nombre;
    for (int k = 0; k < i->childCount(); ++k)
        revisar(i->child(k), nivel + 1, faltas, lineas);
}

} // namespace

// Todo lo que se enfoca o informa tiene nombre, cada etiqueta dice su texto, cada línea de
// la figura su valor, y el tabulador llega a cada control.
TEST_P(Pantallas, NombresAccesibles) {
    QWidget* w = GetParam().abrir(*this);
    ASSERT_TRUE(w && w->isVisible());
    QStringList faltas;
    QStringList lineas;
    revisar(QAccessible::queryAccessibleInterface(w), 0, faltas, lineas);
    EXPECT_TRUE(faltas.isEmpty()) << faltas.join('\n').toStdString();
    QStringList esperadas;
    for (std::size_t i = 0; i < figura.size(); ++i)
        esperadas << QString::fromUtf8("Línea %1: ").arg(i + 1) + kValores.at(figura[i]);
    lineas.sort();
    EXPECT_EQ(lineas.join(" | ").toStdString(), esperadas.join(" | ").toStdString());
}

// La ventana entera, marco incluido, cabe en la pantalla de 640 x 480 y queda centrada; y
// nada de lo que enseña se corta.
TEST_P(Pantallas, CabeEn640x480) {
    QWidget* w = GetParam().abrir(*this);
    ASSERT_TRUE(w && w->isVisible());
    esperarMarco(w);
    QApplication::processEvents();
    const bool conTitulo =
        !(w->windowFlags() & Qt::FramelessWindowHint) && !GetParam().pantallaCompleta;
    // Sin gestor de ventanas no hay marco de verdad ni se vuelve a centrar con él: se mide
    // con un marco holgado supuesto y se mira que la ventana quede centrada.
    const QRect ventana(w->frameGeometry().topLeft(), w->size());
    const QRect marco = !sinPantalla() ? w->windowHandle()->frameGeometry()
                        : conTitulo    ? ventana.marginsAdded(kMarcoSupuesto)
                                       : ventana;
    if (!sinPantalla() && conTitulo) {
        EXPECT_NE(marco, w->geometry()) << "el gestor de ventanas no ha puesto el marco";
    }
    EXPECT_TRUE(marco.width() <= 640 && marco.height() <= 480 &&
                (sinPantalla() || QRect(0, 0, 640, 480).contains(marco)))
        << marco.x() << "," << marco.y() << " " << marco.width() << "x" << marco.height();
    const QPoint centro = sinPantalla() ? w->geometry().center() : marco.center();
    EXPECT_NEAR(centro.x(), 319.5, 2);
    EXPECT_NEAR(centro.y(), 239.5, 2);
    for (const QLabel* l : w->findChildren<QLabel*>()) {
        if (l->text().isEmpty() || !l->isVisible())
            continue;
        const int alto = l->wordWrap() ? l->heightForWidth(l->width()) : l->sizeHint().height();
        EXPECT_LE(alto, l->height()) << l->text().toStdString();
        if (!l->wordWrap()) {
            EXPECT_LE(l->sizeHint().width(), l->width()) << l->text().toStdString();
        }
    }
    for (const QGroupBox* g : w->findChildren<QGroupBox*>())
        EXPECT_LE(g->minimumSizeHint().width(), g->width()) << g->title().toStdString();
    for (const QPlainTextEdit* caja : w->findChildren<QPlainTextEdit*>())
        EXPECT_EQ(caja->verticalScrollBar()->maximum(), 0) << caja->toPlainText().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Todas, Pantallas, ::testing::ValuesIn(kCasos),
                         [](const ::testing::TestParamInfo<Caso>& caso) {
                             return caso.param.nombre;
                         });
