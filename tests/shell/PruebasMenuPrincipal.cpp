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

// Intro del teclado numérico en "Salir" pregunta, y con "No" todo sigue y el foco vuelve al
// botón (el Intro de los botones lo trata igual Formulario en todas las pantallas).
TEST_F(MenuPrincipal, SalirConNo) {
    ASSERT_TRUE(menu.arrancar());
    activar(menu);
    entorno.respuestas = {RespuestaMensaje::No};
    menu.BTNMENU[6]->setFocus(Qt::TabFocusReason);
    tecla(menu, Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(dicho(entorno.mensajes[0]), "SALIR|2|¿Finalizar HEXORA?");
    EXPECT_EQ(entorno.mensajes[0].botones, BotonesMensaje::SiNo);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(menu.focusWidget(), menu.BTNMENU[6]);
}

// Sin consulta no hay última que ver; la construcción manual guarda la figura, sin
// pregunta, después de interpretarla, y al verla otra vez se rehace el complementario. Una
// pantalla que falta se da por cancelada. (La tirada desde el menú la recorre el programa de
// verdad en recorrido.sh.)
TEST_F(MenuPrincipal, LaUltimaConsulta) {
    ASSERT_TRUE(menu.arrancar());
    menu.BTNMENU_Click(3);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "No hay consultas almacenadas con anterioridad.");
    entorno.guion[Pantalla::FRMIntroducir] = [](Formulario&) {
        Hexagrama = "699669";
        Resultado = "NO";
    };
    std::vector<std::string> vistas;
    entorno.guion[Pantalla::FRMInterpretar] = [&](Formulario&) {
        vistas.push_back(std::string(Pregunta.recortado()) + "|" + Hexagrama.valor() + "|" +
                         Complementario.valor() + "|" + HexagramaAnterior.valor());
    };
    menu.BTNMENU_Click(1);
    Complementario = "";
    menu.BTNMENU_Click(3);
    const std::string manual = "NO SE HA REALIZADO CONSULTA (Modo Manual)|699669|788778|";
    EXPECT_EQ(vistas, (std::vector<std::string>{manual + "      ", manual + "699669"}));
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
        for (int paso = 1; paso <= 8; ++paso)
            avanzarProgreso(p, azar);
        EXPECT_DOUBLE_EQ(p.anchoTwips, 7191); // 375 + 8 x 852, dentro de la pista de 7335
        EXPECT_EQ(p.titulo, azar < 0.5 ? " 96% " : "100");
    }
}
