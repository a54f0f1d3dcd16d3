// Todas las pantallas tal como las recorre un lector de pantalla (la interfaz de
// accesibilidad de Qt) y tal como caben, con el marco de su ventana, en 640 x 480.

#include "PantallasConDatos.h"
#include "archive/ArchivoConsultas.h"
#include "casting/FRM64HEXAGRAMAS.h"
#include "casting/FRMIntroducir.h"
#include "casting/FRMTirada.h"
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

#include <memory>

using namespace hexora;

namespace {

// Cómo se dice el valor de cada línea (6 a 9); la prueba lo sabe por su cuenta.
const char* const kValores[] = {"yin viejo (6)", "yang joven (7)", "yin joven (8)",
                                "yang viejo (9)"};

class Pantallas;

struct Caso {
    std::string nombre;
    // Deja el estado que la pantalla necesita, la muestra y devuelve su ventana.
    std::function<QWidget*(Pantallas&)> abrir;
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
        // La pregunta más ancha que se puede hacer.
        Pregunta = PreguntaAnterior = "\xBF" + std::string(98, 'M') + "?";
    }
    void TearDown() override {
        if (menu)
            menu->hide();
        PantallasConDatos::TearDown();
    }
    std::unique_ptr<FRMPRINCIPAL> menu;
    std::string figura; // la que enseña la pantalla, la línea de abajo primero
};

// Una pantalla que no necesita nada antes de abrirse.
Caso sola(Pantalla p, std::string nombre) {
    return {std::move(nombre), [p](Pantallas& f) -> QWidget* { return &f.abrir(p); }};
}

const std::vector<Caso> kCasos = {
    {"FRMPRINCIPAL",
     [](Pantallas& p) -> QWidget* {
         p.menu = std::make_unique<FRMPRINCIPAL>([] { return false; });
         if (!p.menu->Form_Load())
             return nullptr;
         p.menu->showFullScreen();
         return p.menu.get();
     }},
    sola(Pantalla::FRM256, "FRM256"),
    sola(Pantalla::FRMInicio, "FRMInicio"),
    sola(Pantalla::frmconsulta, "frmconsulta"),
    sola(Pantalla::FRMGrabar, "FRMGrabar"),
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
         f.List1->setCurrentRow(10); // la undécima figura, T'ai
         p.figura = "777888";
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
    const QString clase = i->object() ? i->object()->metaObject()->className() : "?";
    if ((nivel == 0 || i->state().focusable) && nombre.trimmed().isEmpty())
        faltas << clase + ": sin nombre";
    if (const auto* etiqueta = qobject_cast<const QLabel*>(i->object())) {
        const QString texto = etiqueta->text().trimmed();
        if (!nombre.contains(texto) && !i->text(QAccessible::Description).contains(texto))
            faltas << "etiqueta \"" + texto + "\" con nombre \"" + nombre + "\"";
        if (!etiqueta->pixmap().isNull() && nombre.isEmpty())
            faltas << "imagen sin nombre";
    }
    // Lo que se pulsa, se elige o se escribe se alcanza con el tabulador.
    const auto* control = qobject_cast<const QWidget*>(i->object());
    const auto* editor = qobject_cast<const QPlainTextEdit*>(control);
    if (control && control->isEnabled() && !(control->focusPolicy() & Qt::TabFocus) &&
        (qobject_cast<const QAbstractButton*>(control) ||
         qobject_cast<const QAbstractItemView*>(control) ||
         qobject_cast<const QComboBox*>(control) || qobject_cast<const QLineEdit*>(control) ||
         (editor && !editor->isReadOnly())))
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
        esperadas << QString::fromUtf8("Línea %1: %2").arg(i + 1).arg(kValores[figura[i] - '6']);
    lineas.sort();
    EXPECT_EQ(lineas.join(" | ").toStdString(), esperadas.join(" | ").toStdString());
}

// La ventana entera, marco incluido, cabe en la pantalla de 640 x 480 y queda centrada; y
// nada de lo que enseña se corta. Solo con pantalla de verdad (encaje.sh la pone con un
// gestor de ventanas): sin ella no hay marco ni 640 x 480.
TEST_P(Pantallas, CabeEn640x480) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        GTEST_SKIP() << "sin pantalla no hay marco que medir";
    QWidget* w = GetParam().abrir(*this);
    ASSERT_TRUE(w && w->isVisible());
    // Espera a que el gestor de ventanas ponga el marco y vuelva a centrarla con él.
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    EXPECT_TRUE(w == menu.get() || (w->windowFlags() & Qt::FramelessWindowHint) ||
                QTest::qWaitFor([w] { return !w->windowHandle()->frameMargins().isNull(); }, 3000))
        << "el gestor de ventanas no ha puesto el marco";
    QTest::qWait(800);
    QApplication::processEvents();
    const QRect marco = w->windowHandle()->frameGeometry();
    EXPECT_TRUE(QRect(0, 0, 640, 480).contains(marco))
        << marco.x() << "," << marco.y() << " " << marco.width() << "x" << marco.height();
    EXPECT_NEAR(marco.center().x(), 319.5, 2);
    EXPECT_NEAR(marco.center().y(), 239.5, 2);
    for (const QLabel* l : w->findChildren<QLabel*>()) {
        if (l->text().isEmpty() || !l->isVisible())
            continue;
        const int alto = l->wordWrap() ? l->heightForWidth(l->width()) : l->sizeHint().height();
        EXPECT_LE(alto, l->height()) << l->text().toStdString();
        EXPECT_TRUE(l->wordWrap() || l->sizeHint().width() <= l->width())
            << l->text().toStdString();
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
