// El menú principal con las pantallas de cada acción cambiadas por otras de prueba: el
// arranque, la salida, el teclado y lo que cada acción hace con la última consulta.
// El camino de una consulta con el programa de verdad lo recorre recorrido.sh.

#include "PantallasConDatos.h"
#include "core/EstadoConsulta.h"
#include "shell/FRM256.h"
#include "shell/FRMPRINCIPAL.h"
#include "shell/Progreso.h"

#include <QPushButton>

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
        entorno.guion[Pantalla::FRM256] = [](Formulario& f) {
            static_cast<FRM256&>(f).BTNAUX_Click(0);
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
    bool otraCopia = false;
    FRMPRINCIPAL menu{[this] { return otraCopia; }};
};

} // namespace

// El aviso y la carga de cada pantalla, en orden; la última pregunta vacía aunque hubiera
// algo y el temporal de una grabación cortada, borrado.
TEST_F(MenuPrincipal, ArranqueEnOrden) {
    PreguntaAnterior = "de otra vez";
    carpeta.escribir("usuarios.dat.nuevo", "medio archivo");
    ASSERT_TRUE(menu.arrancar());
    std::vector<std::string> esperado = {"modal:FRM256"};
    for (Pantalla p : kCargadas)
        esperado.push_back("carga:" + nombrePantalla(p));
    EXPECT_EQ(entorno.sucesos, esperado);
    EXPECT_TRUE(entorno.mensajes.empty());
    EXPECT_EQ(PreguntaAnterior.valor(), std::string(100, ' '));
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "usuarios.dat.nuevo"));
    EXPECT_TRUE(!Instancia(Pantalla::FRM256) && !Instancia(Pantalla::FRMInicio));
}

// Ni una segunda copia ni la falta de un archivo de datos llegan al menú: un mensaje, y
// fuera sin preguntar "¿Finalizar HEXORA?".
TEST_F(MenuPrincipal, ArranquesQueTerminanEnSeguida) {
    std::filesystem::rename(carpeta.ruta() / "trigr.chi", carpeta.ruta() / "x");
    for (bool copia : {true, false}) {
        otraCopia = copia;
        entorno.mensajes.clear();
        const std::string dice =
            copia ? "Información al usuario|1|Esta aplicación ya se está ejecutando\n\n"
                    "APLICACIÓN CANCELADA"
                  : "Información al usuario|3|El archivo \"trigr.chi\"";
        FRMPRINCIPAL otro{[this] { return otraCopia; }};
        EXPECT_FALSE(otro.arrancar()) << dice;
        EXPECT_EQ(otro.codigoSalida(), copia ? 0 : 1) << dice;
        EXPECT_TRUE(otro.Form_QueryUnload()) << dice;
        ASSERT_EQ(entorno.mensajes.size(), 1u) << dice;
        EXPECT_EQ(dicho(entorno.mensajes[0]).substr(0, dice.size()), dice);
    }
}

// Con el teclado, Intro (también el del teclado numérico) hace la acción del botón que
// tiene el foco y el foco vuelve a él: salir pregunta, y con "No" todo sigue; la última
// acción da los datos del programador con la versión.
TEST_F(MenuPrincipal, IntroYFoco) {
    arrancar();
    activar(menu);
    entorno.respuestas = {RespuestaMensaje::No};
    for (int i : {6, 7}) {
        menu.BTNMENU[i]->setFocus(Qt::TabFocusReason);
        tecla(menu, i == 6 ? Qt::Key_Enter : Qt::Key_Return,
              i == 6 ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(menu.focusWidget(), menu.BTNMENU[i]) << i;
    }
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_EQ(dicho(entorno.mensajes[0]), "SALIR|2|¿Finalizar HEXORA?");
    EXPECT_EQ(entorno.mensajes[0].botones, BotonesMensaje::SiNo);
    EXPECT_TRUE(menu.isVisible());
    const std::string datos = "Datos del Programador|0|HEXORA v" HEXORA_VERSION "\n\n1998";
    EXPECT_EQ(dicho(entorno.mensajes[1]).substr(0, datos.size()), datos);
}

// Una consulta aceptada es la última; una cancelada la deja como estaba aunque la pantalla
// dejara otra pregunta a medias; la construcción manual la guarda, sin pregunta, después
// de interpretarla. Una pantalla que falta se da por cancelada.
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
    deja(Pantalla::frmconsulta, "a medias", "", "SI");
    menu.BTNMENU_Click(0);
    EXPECT_EQ(Pregunta.recortado(), "¿Cambio de trabajo?");
    Complementario = "";
    menu.BTNMENU_Click(3);
    const std::string consulta = "¿Cambio de trabajo?|967876|877877|967876";
    EXPECT_EQ(vistas, (std::vector<std::string>{consulta, consulta}));
    deja(Pantalla::FRMIntroducir, "", "699669", "NO");
    menu.BTNMENU_Click(1);
    EXPECT_EQ(vistas.at(2), "NO SE HA REALIZADO CONSULTA (Modo Manual)|699669|788778|967876");
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
