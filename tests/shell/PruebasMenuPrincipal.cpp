// El menú principal con las pantallas de cada acción cambiadas por otras de prueba: el
// arranque, la salida, la línea de estado y lo que cada acción hace con la última consulta.
// El camino de una consulta con el programa de verdad lo recorre recorrido.sh.

#include "PantallasConDatos.h"
#include "core/EstadoConsulta.h"
#include "shell/FRM256.h"
#include "shell/FRMPRINCIPAL.h"
#include "shell/Progreso.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

#include <fstream>
#include <iterator>

using namespace hexora;

namespace {

const std::vector<Pantalla> kCargadas = {Pantalla::FRMTirada,       Pantalla::FRMIntroducir,
                                         Pantalla::FRM64HEXAGRAMAS, Pantalla::frmconsulta,
                                         Pantalla::FRMInterpretar,  Pantalla::FRMRecuperar,
                                         Pantalla::FRMGrabar};

// Un mensaje en una línea: título, icono y texto.
std::string dicho(const Mensaje& m) {
    return m.titulo.toStdString() + "|" + std::to_string(static_cast<int>(m.icono)) + "|" +
           m.texto.toStdString();
}

class MenuPrincipal : public PantallasConDatos {
protected:
    void SetUp() override {
        PantallasConDatos::SetUp();
        for (Pantalla p : kCargadas)
            entorno.registrarFalsa(p);
        avisoConBoton(0);
    }
    void avisoConBoton(int boton) {
        entorno.guion[Pantalla::FRM256] = [this, boton](Formulario& f) {
            aviso = static_cast<FRM256&>(f).LABEL1->text();
            static_cast<FRM256&>(f).BTNAUX_Click(boton);
        };
    }
    void arrancar() {
        ASSERT_TRUE(menu.arrancar());
        entorno.sucesos.clear();
        entorno.mensajes.clear();
    }
    // En la pantalla dada el usuario deja estos valores (los que no están vacíos) y acepta
    // ("NO") o cancela ("SI").
    void deja(Pantalla p, std::string pregunta, std::string figura, const char* resultado) {
        entorno.guion[p] = [=](Formulario&) {
            if (!pregunta.empty())
                Pregunta = pregunta;
            if (!figura.empty())
                Hexagrama = figura;
            Resultado = resultado;
        };
    }
    QString aviso;
    bool otraCopia = false;
    FRMPRINCIPAL menu{[this] { return otraCopia; }};
};

} // namespace

// El aviso, con la versión del proyecto, y la carga de cada pantalla, en orden; la última
// pregunta vacía aunque hubiera algo y el temporal de una grabación cortada, borrado.
TEST_F(MenuPrincipal, ArranqueEnOrden) {
    PreguntaAnterior = "de otra vez";
    carpeta.escribir("usuarios.dat.nuevo", "medio archivo");
    ASSERT_TRUE(menu.arrancar());
    std::vector<std::string> esperado = {"modal:FRM256"};
    for (Pantalla p : kCargadas)
        esperado.push_back("carga:" + nombrePantalla(p));
    EXPECT_EQ(entorno.sucesos, esperado);
    EXPECT_TRUE(entorno.mensajes.empty());
    EXPECT_TRUE(aviso.startsWith("HEXORA v" HEXORA_VERSION " está diseñado para utilizar una "
                                 "definición gráfica de 640x480 pixels"));
    EXPECT_EQ(PreguntaAnterior.valor(), std::string(100, ' '));
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "usuarios.dat.nuevo"));
    EXPECT_TRUE(!Instancia(Pantalla::FRM256) && !Instancia(Pantalla::FRMInicio));
    EXPECT_TRUE(menu.isFullScreen());
}

// Ni una segunda copia, ni "Salir" en el aviso, ni la falta de un archivo de datos, ni una
// tabla dañada que se leería sin queja (una fila con el número 70) llegan al menú: como
// mucho un mensaje, y fuera sin preguntar "¿Finalizar HEXORA?".
TEST_F(MenuPrincipal, ArranquesQueTerminanEnSeguida) {
    const auto ruta = carpeta.ruta();
    std::ifstream original(ruta / "hexagr.chi");
    std::string tabla{std::istreambuf_iterator<char>(original), std::istreambuf_iterator<char>()};
    tabla.replace(tabla.find("\n7,") + 1, 1, "70");
    struct {
        std::function<void()> prepara;
        bool conAviso;
        int codigo;
        std::string dice;
    } casos[] = {
        {[&] { otraCopia = true; }, false, 0,
         "Información al usuario|1|Esta aplicación ya se está ejecutando\n\nAPLICACIÓN CANCELADA"},
        {[&] { otraCopia = false, avisoConBoton(1); }, true, 0, ""},
        {[&] { avisoConBoton(0), std::filesystem::rename(ruta / "trigr.chi", ruta / "x"); }, true,
         1, "Información al usuario|3|El archivo \"trigr.chi\""},
        {[&] {
             std::filesystem::rename(ruta / "x", ruta / "trigr.chi");
             carpeta.escribir("hexagr.chi", tabla);
         },
         true, 1, "Información al usuario|3|El archivo \"hexagr.chi\" está dañado"},
    };
    for (const auto& caso : casos) {
        caso.prepara();
        entorno.mensajes.clear();
        entorno.sucesos.clear();
        FRMPRINCIPAL otro{[this] { return otraCopia; }};
        EXPECT_FALSE(otro.arrancar()) << caso.dice;
        EXPECT_EQ(otro.codigoSalida(), caso.codigo) << caso.dice;
        EXPECT_EQ(!entorno.sucesos.empty(), caso.conAviso) << caso.dice;
        EXPECT_TRUE(otro.Form_QueryUnload()) << caso.dice;
        ASSERT_EQ(entorno.mensajes.size(), caso.dice.empty() ? 0u : 1u) << caso.dice;
        if (!caso.dice.empty()) {
            EXPECT_EQ(dicho(entorno.mensajes[0]).substr(0, caso.dice.size()), caso.dice);
        }
    }
}

// El ratón sobre un botón pone su pista y pita una vez; con el teclado, la pista sale cuando
// el usuario lleva el foco a un botón, no cuando lo pone el programa, Intro hace la acción
// (salir pregunta, y con "No" todo sigue; la última, los datos del programador con la
// versión) y el foco vuelve a ese botón.
TEST_F(MenuPrincipal, LineaDeEstadoFocoEIntro) {
    arrancar();
    activar(menu);
    const auto raton = [this](QWidget* w) {
        QMouseEvent evento(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                           Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &evento);
        return menu.Panmsg->text() + QString::number(entorno.pitidos);
    };
    raton(menu.BTNMENU[0]);
    EXPECT_EQ(raton(menu.BTNMENU[0]), "Realizar una CONSULTA1");
    EXPECT_EQ(raton(menu.BTNMENU[7]), "Datos del programador2");
    EXPECT_EQ(raton(menu.Image1), "2");
    menu.BTNMENU[5]->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_EQ(menu.Panmsg->text(), "");
    for (int i : {0, 1, 2, 3, 4, 6, 7}) {
        if (i == 6)
            entorno.respuestas = {RespuestaMensaje::No};
        menu.BTNMENU[i]->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(menu.Panmsg->text(), FRMPRINCIPAL::kAyudas[static_cast<std::size_t>(i)]);
        const auto antes = entorno.sucesos.size() + entorno.mensajes.size();
        tecla(menu, i % 2 ? Qt::Key_Enter : Qt::Key_Return,
              i % 2 ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_GT(entorno.sucesos.size() + entorno.mensajes.size(), antes) << i;
        EXPECT_EQ(menu.focusWidget(), menu.BTNMENU[i]) << i;
    }
    ASSERT_GE(entorno.mensajes.size(), 2u);
    const auto salir = entorno.mensajes.end() - 2;
    EXPECT_EQ(dicho(*salir), "SALIR|2|¿Finalizar HEXORA?");
    EXPECT_EQ(salir->botones, BotonesMensaje::SiNo);
    EXPECT_TRUE(menu.isVisible());
    const std::string datos = "Datos del Programador|0|HEXORA v" HEXORA_VERSION "\n\n1998";
    EXPECT_EQ(dicho(entorno.mensajes.back()).substr(0, datos.size()), datos);
}

// Una consulta aceptada es la última; las acciones canceladas la dejan como estaba aunque
// la pantalla cancelada dejara otra pregunta u otra figura a medias; la lista y la
// construcción manual la guardan, sin pregunta, después de interpretarla. Una pantalla que
// falta se da por cancelada.
TEST_F(MenuPrincipal, LaUltimaConsulta) {
    arrancar();
    menu.BTNMENU_Click(3);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "No hay consultas almacenadas con anterioridad.");
    deja(Pantalla::frmconsulta, "¿Cambio de trabajo?", "", "NO");
    deja(Pantalla::FRMTirada, "", "967876", "NO");
    std::vector<std::string> vistas;
    entorno.guion[Pantalla::FRMInterpretar] = [&](Formulario&) {
        vistas.push_back(std::string(Pregunta.recortado()) + "|" + Hexagrama.valor() + "|" +
                         Complementario.valor() + "|" + HexagramaAnterior.valor());
    };
    menu.BTNMENU_Click(0);
    const std::string consulta = "¿Cambio de trabajo?|967876|877877|967876";
    deja(Pantalla::frmconsulta, "a medias", "", "SI");
    menu.BTNMENU_Click(0);
    EXPECT_EQ(Pregunta.recortado(), "¿Cambio de trabajo?");
    deja(Pantalla::FRMIntroducir, "", "96", "SI");
    menu.BTNMENU_Click(1);
    deja(Pantalla::FRM64HEXAGRAMAS, "", "999999", "SI");
    menu.BTNMENU_Click(2);
    EXPECT_EQ(Hexagrama.valor(), "967876");
    deja(Pantalla::FRMRecuperar, "guardada", "888888", "SI");
    menu.BTNMENU_Click(4);
    EXPECT_EQ(std::string(Pregunta.recortado()) + "|" + Hexagrama.valor(),
              "¿Cambio de trabajo?|967876");
    Complementario = "";
    menu.BTNMENU_Click(3);
    EXPECT_EQ(vistas, (std::vector<std::string>{consulta, consulta}));
    deja(Pantalla::FRM64HEXAGRAMAS, "", "787878", "NO");
    menu.BTNMENU_Click(2);
    deja(Pantalla::FRMIntroducir, "", "699669", "NO");
    menu.BTNMENU_Click(1);
    EXPECT_EQ(vistas.at(2), "NO SE HA REALIZADO CONSULTA (Modo Manual)|787878|787878|967876");
    EXPECT_EQ(vistas.at(3), "NO SE HA REALIZADO CONSULTA (Modo Manual)|699669|788778|787878");
    olvidarRegistroPantallas();
    entorno.mensajes.clear();
    Pregunta = "otra";
    menu.BTNMENU_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "Esta parte del programa todavía no está disponible.");
    EXPECT_EQ(std::string(Pregunta.recortado()) + "|" + HexagramaAnterior.valor(),
              "NO SE HA REALIZADO CONSULTA (Modo Manual)|699669");
}

// La barra de la presentación: ocho pasos que nunca pasan de la pista ni del 100%; el azar
// suma un punto más a cada paso cuando pasa de la mitad.
TEST(Progreso, OchoPasosNuncaPasanDe100) {
    for (double azar : {0.49, 0.5}) {
        Progreso p;
        std::string titulos;
        for (int paso = 1; paso <= 8; ++paso) {
            avanzarProgreso(p, azar);
            titulos += p.titulo + "|";
        }
        EXPECT_DOUBLE_EQ(p.anchoTwips, 7191); // 375 + 8 x 852, dentro de la pista de 7335
        EXPECT_EQ(titulos, azar < 0.5 ? " 12% | 24% | 36% | 48% | 60% | 72% | 84% | 96% |"
                                      : " 13% | 26% | 39% | 52% | 65% | 78% | 91% |100|");
    }
}
