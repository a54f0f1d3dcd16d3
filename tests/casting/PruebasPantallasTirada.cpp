// Las pantallas de la pregunta, la tirada de monedas, la construcción manual y la lista de
// los 64, con el ratón y solo con el teclado: cada caso es lo que hace el usuario y la
// consulta que deja la pantalla al cerrarse.

#include "PantallasConDatos.h"
#include "casting/FRM64HEXAGRAMAS.h"
#include "casting/FRMIntroducir.h"
#include "casting/FRMTirada.h"
#include "casting/Pregunta.h"
#include "casting/frmconsulta.h"
#include "core/EstadoConsulta.h"
#include "platform/Plataforma.h"
#include "widgets/GRAFICOS.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace hexora;

namespace {

std::string cp(const char* utf8) { return textoCp1252(QString::fromUtf8(utf8)); }

bool visible(const QWidget* w) { return !w->isHidden(); }

class PantallasTirada;

struct Caso {
    const char* nombre;
    Pantalla pantalla;
    std::function<void(PantallasTirada&, Formulario&)> guion;
    const char* deja; // "Resultado|Hexagrama|Pregunta" al cerrarse
};

void PrintTo(const Caso& caso, std::ostream* salida) { *salida << caso.nombre; }

class PantallasTirada : public PantallasConDatos, public ::testing::WithParamInterface<Caso> {
public:
    using PantallasConDatos::abrir;
    using PantallasConDatos::echarLinea;
    using PantallasConDatos::reloj;
    using PantallasConDatos::tabularHasta;
    using PantallasConDatos::tecla;
};

// Las líneas que enseñan las seis casillas, por su imagen, la de abajo primero.
std::string dibujadas(const std::array<QLabel*, 6>& lineas) {
    std::string s;
    for (QLabel* l : lineas)
        for (int v = 0; v < 4; ++v)
            if (visible(l) && l->pixmap().cacheKey() == Graficos().GRFLINEA[v].cacheKey())
                s += char('6' + v);
    return s;
}

void teclear(QWidget* caja, const char* utf8) {
    for (const QChar c : QString::fromUtf8(utf8)) {
        QKeyEvent pulsada(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(caja, &pulsada);
    }
}

const std::vector<Caso> kCasos = {
    // La anterior se ofrece toda seleccionada y lo tecleado la sustituye; Escape no toca
    // la pregunta. Tras una figura hecha a mano no se ofrece ninguna; lo pegado pierde lo que
    // el archivo no podría guardar, con aviso, y el acento pegado como marca aparte se
    // compone. El Intro de quien la da por terminada no dobla el "?".
    {"Pregunta", Pantalla::frmconsulta,
     [](PantallasTirada& p, Formulario& f) {
         auto& c = static_cast<frmconsulta&>(f);
         EXPECT_EQ(c.PREGUNTA->textCursor().selectedText(), QString::fromUtf8("¿QUÉ HAGO?"));
         teclear(c.PREGUNTA, "otra cosa");
         EXPECT_EQ(c.PREGUNTA->toPlainText(), "otra cosa");
         p.tecla(c, Qt::Key_Escape);
         EXPECT_EQ(Resultado.valor() + std::string(Pregunta.recortado()), cp("SI¿QUÉ HAGO?"));
         PreguntaAnterior = kPreguntaModoManual;
         p.abrir(Pantalla::frmconsulta);
         EXPECT_TRUE(c.PREGUNTA->toPlainText().isEmpty());
         EXPECT_FALSE(visible(c.BTNAUX[0])); // nada que aceptar
         c.PREGUNTA->insertPlainText(QString::fromUtf8("que\xCC\x81 中\U0001F600pasa"));
         EXPECT_EQ(c.PREGUNTA->toPlainText(), QString::fromUtf8("qué pasa"));
         EXPECT_TRUE(visible(c.LabelAviso));
         teclear(c.PREGUNTA, " ñoño?");
         p.tecla(c, Qt::Key_Return);
         p.tecla(c, Qt::Key_Tab);
         ASSERT_EQ(c.focusWidget(), c.BTNAUX[0]);
         p.tecla(c, Qt::Key_Return);
     },
     "NO|787878|¿QUÉ PASA ÑOÑO?"},
    // Con r = 0 cada moneda queda en la cara en que empezó y con r = 0,25 le da la vuelta:
    // las seis líneas salen de abajo arriba. El espacio lanza, los dos Intro paran, y la
    // pantalla se cierra 1,5 s tras la sexta.
    {"Monedas", Pantalla::FRMTirada,
     [](PantallasTirada& p, Formulario& f) {
         auto& t = static_cast<FRMTirada&>(f);
         EXPECT_EQ(t.PREGUNTA->toPlainText(), QString::fromUtf8("¿QUÉ HAGO?"));
         for (int i = 0; i < 6; ++i) {
             fijarAleatorio([i] { return i % 2 == 0 ? 0.0 : 0.25; });
             ASSERT_EQ(t.focusWidget(), t.BTNTIRAR) << i;
             p.tecla(t, Qt::Key_Space);
             EXPECT_EQ(t.BTNTIRAR->accessibleName(), "PARAR MONEDAS");
             disparar(*t.Timer1);
             p.tecla(t, i % 2 ? Qt::Key_Enter : Qt::Key_Return,
                     i % 2 ? Qt::KeypadModifier : Qt::NoModifier);
             EXPECT_FALSE(t.BTNTIRAR->isEnabled()); // frenando
             // El foco se aparta a la pregunta, no a cancelar, donde caería una pulsación de más.
             EXPECT_EQ(t.focusWidget(), t.PREGUNTA);
             while (!visible(t.LINEA[i])) {
                 p.reloj += 0.011;
                 ASSERT_TRUE(disparar(*t.TimerParada));
             }
         }
         EXPECT_EQ(dibujadas(t.LINEA), "699669");
         t.BTNTIRAR->click(); // en la pausa el botón no responde
         p.reloj += 1.49;
         disparar(*t.TimerParada);
         EXPECT_TRUE(t.isVisible());
         p.reloj += 0.02;
         disparar(*t.TimerParada);
         EXPECT_FALSE(t.TimerParada->activo());
     },
     "NO|699669|¿QUÉ HAGO?"},
    // Cancelar tras tres líneas, a media parada (ni un tic rezagado pone la línea) o con
    // Escape en la pausa final repone la figura que había; cada vez se empieza sin líneas.
    {"MonedasCanceladas", Pantalla::FRMTirada,
     [](PantallasTirada& p, Formulario& f) {
         auto& t = static_cast<FRMTirada&>(f);
         for (int i = 0; i < 3; ++i)
             p.echarLinea(t, 7 * i);
         t.BTNAUX->click();
         EXPECT_EQ(Resultado.valor() + Hexagrama.valor(), "SI787878");
         p.abrir(Pantalla::FRMTirada);
         EXPECT_FALSE(visible(t.LINEA[0]));
         t.BTNTIRAR->click();
         t.BTNTIRAR->click();
         disparar(*t.TimerParada);
         t.BTNAUX->click();
         EXPECT_FALSE(t.TimerParada->activo());
         p.reloj += 5;
         t.TimerParada_Timer();
         EXPECT_FALSE(visible(t.LINEA[0]));
         p.abrir(Pantalla::FRMTirada);
         for (int i = 0; i < 6; ++i)
             p.echarLinea(t, i);
         ASSERT_TRUE(t.TimerParada->activo());
         QTest::keyClick(&t, Qt::Key_Escape);
         p.reloj += 5;
         t.TimerParada_Timer();
     },
     "SI|787878|¿QUÉ HAGO?"},
    // Cada pulsación, con el teclado o cualquier botón del ratón, pone la línea siguiente
    // encima y borrar quita la última; solo la figura completa se acepta y, con ella, las
    // líneas ya no se pulsan. Cancelar repone la figura de antes.
    {"Manual", Pantalla::FRMIntroducir,
     [](PantallasTirada& p, Formulario& f) {
         auto& m = static_cast<FRMIntroducir&>(f);
         const auto estado = [&m] {
             return Hexagrama.valor() + " " + dibujadas(m.LINEA) +
                    (visible(m.BTNAUX[0]) ? " aceptar" : "") +
                    (m.BTNBORRAR->isEnabled() ? " borrar" : "") +
                    (m.GRFLINEA[0]->isEnabled() ? " lineas" : "");
         };
         m.GRFLINEA[2]->click();
         m.BTNAUX[1]->click();
         EXPECT_EQ(Resultado.valor() + Hexagrama.valor(), "SI787878");
         p.abrir(Pantalla::FRMIntroducir);
         EXPECT_EQ(estado(), "        lineas");
         ASSERT_EQ(m.focusWidget(), m.GRFLINEA[0]);
         p.tecla(m, Qt::Key_Return); // 6
         p.tecla(m, Qt::Key_Tab);
         p.tecla(m, Qt::Key_Enter, Qt::KeypadModifier); // 7
         m.GRFLINEA[3]->click();
         QTest::mouseClick(m.GRFLINEA[2], Qt::RightButton);
         EXPECT_EQ(estado(), "6798   6798 borrar lineas");
         ASSERT_TRUE(p.tabularHasta(m, m.BTNBORRAR));
         p.tecla(m, Qt::Key_Space);
         for (int k : {0, 2, 1})
             m.GRFLINEA[k]->click();
         EXPECT_EQ(estado(), "679687 679687 aceptar borrar");
         ASSERT_EQ(m.focusWidget(), m.BTNAUX[0]);
         p.tecla(m, Qt::Key_Return);
     },
     "NO|679687|¿QUÉ HAGO?"},
    // Doble clic en la entrada 10, T'ai (cielo abajo, tierra arriba); al volver sigue esa
    // elección, y una selección que llega por la interfaz de accesibilidad (la de un lector
    // de pantalla, que no mueve la fila actual) lleva consigo la figura, los nombres y aceptar.
    {"ListaConRatonYLector", Pantalla::FRM64HEXAGRAMAS,
     [](PantallasTirada& p, Formulario& f) {
         auto& l = static_cast<FRM64HEXAGRAMAS&>(f);
         ASSERT_EQ(l.List1->count(), 64);
         l.List1->scrollToItem(l.List1->item(10));
         const QPoint punto = l.List1->visualItemRect(l.List1->item(10)).center();
         QTest::mouseClick(l.List1->viewport(), Qt::LeftButton, {}, punto);
         QTest::mouseDClick(l.List1->viewport(), Qt::LeftButton, {}, punto);
         EXPECT_EQ(Resultado.valor() + Hexagrama.valor(), "NO777888");
         EXPECT_FALSE(l.isVisible());
         p.abrir(Pantalla::FRM64HEXAGRAMAS);
         EXPECT_EQ(l.label2[0]->text() + "|" + l.label2[1]->text(),
                   QString::fromUtf8("11 - T'ai|La Armonía"));
         QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(l.List1);
         ASSERT_TRUE(lista && lista->tableInterface());
         QAccessibleInterface* celda = lista->tableInterface()->cellAt(1, 0);
         ASSERT_TRUE(celda && celda->actionInterface());
         celda->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
         EXPECT_EQ(l.label2[0]->text(), "2 - K'un");
         EXPECT_EQ(l.LINEA[0]->accessibleName(), QString::fromUtf8("Línea 1: yin joven (8)"));
         l.BTNAUX[0]->click();
     },
     "NO|888888|¿QUÉ HAGO?"},
    // Escape cancela; flechas e Intro aceptan.
    {"ListaConTeclado", Pantalla::FRM64HEXAGRAMAS,
     [](PantallasTirada& p, Formulario& f) {
         auto& l = static_cast<FRM64HEXAGRAMAS&>(f);
         p.tecla(l, Qt::Key_Escape);
         EXPECT_EQ(Resultado.valor() + Hexagrama.valor(), "SI787878");
         p.abrir(Pantalla::FRM64HEXAGRAMAS);
         l.List1->setCurrentRow(0);
         ASSERT_EQ(l.focusWidget(), l.List1);
         p.tecla(l, Qt::Key_Down);
         p.tecla(l, Qt::Key_Down);
         EXPECT_EQ(l.label2[0]->text(), "3 - Chun");
         p.tecla(l, Qt::Key_Enter, Qt::KeypadModifier);
     },
     "NO|788878|¿QUÉ HAGO?"},
};

} // namespace

// Todas parten de la misma consulta anterior, que cancelar debe dejar intacta.
TEST_P(PantallasTirada, DejaLaConsulta) {
    Pregunta = PreguntaAnterior = cp("¿QUÉ HAGO?");
    Hexagrama = "787878";
    Resultado = "";
    Formulario& f = abrir(GetParam().pantalla);
    GetParam().guion(*this, f);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(Resultado.valor() + "|" + Hexagrama.valor() + "|" + std::string(Pregunta.recortado()),
              cp(GetParam().deja));
}

INSTANTIATE_TEST_SUITE_P(Casos, PantallasTirada, ::testing::ValuesIn(kCasos),
                         [](const ::testing::TestParamInfo<Caso>& caso) {
                             return std::string(caso.param.nombre);
                         });
