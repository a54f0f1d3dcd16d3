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

const std::vector<Caso> kCasos = {
    // Escape no toca la pregunta. Tras una figura hecha a mano no se ofrece ninguna; lo
    // pegado pierde lo que el archivo no podría guardar, el acento pegado como marca aparte
    // se compone y el Intro de quien la da por terminada no dobla el "?".
    {"Pregunta", Pantalla::frmconsulta,
     [](PantallasTirada& p, Formulario& f) {
         auto& c = static_cast<frmconsulta&>(f);
         c.PREGUNTA->insertPlainText("otra cosa");
         p.tecla(c, Qt::Key_Escape);
         EXPECT_EQ(Resultado.valor() + std::string(Pregunta.recortado()), cp("SI¿QUÉ HAGO?"));
         PreguntaAnterior = kPreguntaModoManual;
         p.abrir(Pantalla::frmconsulta);
         EXPECT_TRUE(c.PREGUNTA->toPlainText().isEmpty());
         c.PREGUNTA->insertPlainText(QString::fromUtf8("que\xCC\x81 中\U0001F600pasa ñoño?\n"));
         c.BTNAUX[0]->click();
     },
     "NO|787878|¿QUÉ PASA ÑOÑO?"},
    // Con r = 0 cada moneda queda en la cara en que empezó y con r = 0,25 le da la vuelta:
    // las seis líneas salen de abajo arriba.
    {"Monedas", Pantalla::FRMTirada,
     [](PantallasTirada& p, Formulario& f) {
         auto& t = static_cast<FRMTirada&>(f);
         for (int i = 0; i < 6; ++i) {
             fijarAleatorio([i] { return i % 2 == 0 ? 0.0 : 0.25; });
             p.echarLinea(t);
         }
         EXPECT_EQ(dibujadas(t.LINEA), "699669");
         p.reloj += 1.51; // la pantalla se cierra 1,5 s tras la sexta
         disparar(*t.TimerParada);
     },
     "NO|699669|¿QUÉ HAGO?"},
    // Cancelar tras tres líneas, a media parada de la cuarta, repone la figura que había: ni
    // un tic rezagado pone la línea.
    {"MonedasCanceladas", Pantalla::FRMTirada,
     [](PantallasTirada& p, Formulario& f) {
         auto& t = static_cast<FRMTirada&>(f);
         for (int i = 0; i < 3; ++i)
             p.echarLinea(t, 7 * i);
         t.BTNTIRAR->click();
         t.BTNTIRAR->click();
         disparar(*t.TimerParada);
         t.BTNAUX->click();
         EXPECT_FALSE(t.TimerParada->activo());
         p.reloj += 5;
         t.TimerParada_Timer();
         EXPECT_FALSE(visible(t.LINEA[3]));
     },
     "SI|787878|¿QUÉ HAGO?"},
    // Cada pulsación, con el teclado o cualquier botón del ratón, pone la línea siguiente
    // encima y borrar quita la última; solo la figura completa se acepta y, con ella, las
    // líneas ya no se pulsan. Cancelar repone la figura de antes.
    {"Manual", Pantalla::FRMIntroducir,
     [](PantallasTirada& p, Formulario& f) {
         auto& m = static_cast<FRMIntroducir&>(f);
         m.GRFLINEA[2]->click();
         m.BTNAUX[1]->click();
         EXPECT_EQ(Resultado.valor() + Hexagrama.valor(), "SI787878");
         p.abrir(Pantalla::FRMIntroducir);
         ASSERT_EQ(m.focusWidget(), m.GRFLINEA[0]);
         p.tecla(m, Qt::Key_Return); // 6
         p.tecla(m, Qt::Key_Tab);
         p.tecla(m, Qt::Key_Enter, Qt::KeypadModifier); // 7
         m.GRFLINEA[3]->click();
         QTest::mouseClick(m.GRFLINEA[2], Qt::RightButton);
         EXPECT_EQ(Hexagrama.valor() + " " + dibujadas(m.LINEA), "6798   6798");
         EXPECT_FALSE(visible(m.BTNAUX[0]));
         m.BTNBORRAR->click();
         for (int k : {0, 2, 1})
             m.GRFLINEA[k]->click();
         EXPECT_EQ(dibujadas(m.LINEA), "679687");
         EXPECT_FALSE(m.GRFLINEA[0]->isEnabled());
         m.BTNAUX[0]->click();
     },
     "NO|679687|¿QUÉ HAGO?"},
    // Doble clic en la entrada 10, T'ai (cielo abajo, tierra arriba); al volver sigue esa
    // elección, y una selección que llega por la interfaz de accesibilidad (la de un lector
    // de pantalla, que no mueve la fila actual) lleva consigo la figura que se enseña.
    {"ListaConRatonYLector", Pantalla::FRM64HEXAGRAMAS,
     [](PantallasTirada& p, Formulario& f) {
         auto& l = static_cast<FRM64HEXAGRAMAS&>(f);
         l.List1->scrollToItem(l.List1->item(10));
         const QPoint punto = l.List1->visualItemRect(l.List1->item(10)).center();
         QTest::mouseClick(l.List1->viewport(), Qt::LeftButton, {}, punto);
         QTest::mouseDClick(l.List1->viewport(), Qt::LeftButton, {}, punto);
         EXPECT_EQ(Resultado.valor() + Hexagrama.valor(), "NO777888");
         p.abrir(Pantalla::FRM64HEXAGRAMAS);
         EXPECT_EQ(l.label2[0]->text() + "|" + l.label2[1]->text(),
                   QString::fromUtf8("11 - T'ai|La Armonía"));
         QAccessibleInterface* lista = QAccessible::queryAccessibleInterface(l.List1);
         ASSERT_TRUE(lista && lista->tableInterface());
         QAccessibleInterface* celda = lista->tableInterface()->cellAt(1, 0);
         ASSERT_TRUE(celda && celda->actionInterface());
         celda->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
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
