// El menú principal con las pantallas de cada acción cambiadas por otras de prueba: el
// arranque de verdad, la salida, la línea de estado y lo que cada acción hace con la última
// consulta.

#include "PantallasConDatos.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "platform/Plataforma.h"
#include "shell/FRM256.h"
#include "shell/FRMPRINCIPAL.h"
#include "shell/Progreso.h"

#include <QApplication>
#include <QCursor>
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
        entorno.guion[Pantalla::FRM256] = [boton](Formulario& f) {
            static_cast<FRM256&>(f).BTNAUX_Click(boton);
        };
    }
    void arrancar() {
        ASSERT_TRUE(menu.arrancar());
        entorno.sucesos.clear();
        entorno.mensajes.clear();
    }
    void moverRatonSobre(QWidget* w) {
        QMouseEvent evento(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                           Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &evento);
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

// Como lo hace el programa: el aviso, la carga de cada pantalla, las tablas de la carpeta
// del programa, la última consulta vacía aunque hubiera algo, el temporal de una grabación
// cortada borrado, y el menú a la vista y activo con la línea de estado vacía.
TEST_F(MenuPrincipal, ArranqueEnOrden) {
    vaciarTablas();
    QCursor::setPos(320, 240); // sobre el fondo, no sobre un botón
    PreguntaAnterior = "de otra vez";
    carpeta.escribir("usuarios.dat.nuevo", "medio archivo");
    ASSERT_TRUE(menu.arrancar());
    std::vector<std::string> esperado = {"modal:FRM256"};
    for (Pantalla p : kCargadas)
        esperado.push_back("carga:" + nombrePantalla(p));
    EXPECT_EQ(entorno.sucesos, esperado);
    EXPECT_TRUE(entorno.mensajes.empty());
    EXPECT_EQ(TablaHexagramas[1][4] + "|" + TablaTrigramas[8][2], "Ch'ien|El Lago");
    EXPECT_EQ(PreguntaAnterior.valor(), std::string(100, ' '));
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "usuarios.dat.nuevo"));
    EXPECT_TRUE(!Instancia(Pantalla::FRM256) && !Instancia(Pantalla::FRMInicio));
    activar(menu);
    EXPECT_TRUE(menu.isFullScreen());
    EXPECT_EQ(menu.Panmsg->text(), "");
    EXPECT_EQ(entorno.pitidos, 0);
    EXPECT_EQ(menu.BTNMENU[1]->x() - menu.BTNMENU[0]->x(), 68); // 1020 twips
    EXPECT_EQ(menu.Panmsg->geometry(), QRect(70, 429, 500, 28));
}

// Ni una segunda copia, ni la falta de un archivo de datos, ni una tabla dañada que se
// leería sin queja (una fila con el número 70) llegan al aviso: un mensaje y fuera.
TEST_F(MenuPrincipal, ArranquesQueTerminanEnSeguida) {
    otraCopia = true;
    EXPECT_FALSE(menu.arrancar());
    EXPECT_EQ(menu.codigoSalida(), 0);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(dicho(entorno.mensajes[0]), "Información al usuario|1|Esta aplicación ya se está "
                                          "ejecutando\n\nAPLICACIÓN CANCELADA");
    EXPECT_TRUE(entorno.sucesos.empty());
    EXPECT_TRUE(menu.Form_QueryUnload()); // sin preguntar "¿Finalizar HEXORA?"
    EXPECT_EQ(entorno.mensajes.size(), 1u);
    std::ifstream original(carpeta.ruta() / "hexagr.chi");
    std::string tabla{std::istreambuf_iterator<char>(original), std::istreambuf_iterator<char>()};
    tabla.replace(tabla.find("\n7,") + 1, 1, "70");
    for (const std::string archivo : {"trigr.chi", "hexagr.chi"}) {
        CarpetaTemporal datos;
        for (const char* nombre : {"trigr.chi", "hexagr.chi", "BINARIO.dat"})
            if (nombre != archivo)
                std::filesystem::copy_file(carpeta.ruta() / nombre, datos.ruta() / nombre);
        if (archivo == "hexagr.chi")
            datos.escribir(archivo, tabla);
        fijarCarpetaEjecutable(QString::fromStdString(datos.ruta().string()));
        entorno.mensajes.clear();
        FRMPRINCIPAL otro{[] { return false; }};
        EXPECT_FALSE(otro.arrancar()) << archivo;
        EXPECT_EQ(otro.codigoSalida(), 1);
        ASSERT_EQ(entorno.mensajes.size(), 1u) << archivo;
        EXPECT_TRUE(dicho(entorno.mensajes[0])
                        .find(archivo == "trigr.chi"
                                  ? "|3|El archivo \"trigr.chi\""
                                  : "\"hexagr.chi\" está dañado") != std::string::npos)
            << dicho(entorno.mensajes[0]);
    }
}

TEST_F(MenuPrincipal, SalirDesdeElAvisoOElMenu) {
    avisoConBoton(1);
    FRMPRINCIPAL otro{[] { return false; }};
    EXPECT_FALSE(otro.arrancar());
    EXPECT_EQ(entorno.sucesos, std::vector<std::string>{"modal:FRM256"});
    EXPECT_TRUE(otro.Form_QueryUnload() && entorno.mensajes.empty());
    avisoConBoton(0);
    arrancar();
    entorno.respuestas = {RespuestaMensaje::No, RespuestaMensaje::No, RespuestaMensaje::Si};
    menu.BTNMENU_Click(6);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(dicho(entorno.mensajes[0]), "SALIR|2|¿Finalizar HEXORA?");
    EXPECT_EQ(entorno.mensajes[0].botones, BotonesMensaje::SiNo);
    EXPECT_TRUE(menu.isVisible() && menu.BTNMENU[6]->isEnabled());
    menu.close(); // cerrar la ventana pregunta lo mismo
    EXPECT_TRUE(entorno.mensajes.size() == 2u && menu.isVisible());
    menu.BTNMENU_Click(6);
    EXPECT_EQ(Resultado, "FI");
    EXPECT_FALSE(menu.isVisible());
}

// El ratón sobre un botón pone su pista y pita una vez; con el teclado, la pista sale cuando
// el usuario lleva el foco a un botón, no cuando lo pone el programa, Intro hace la acción
// y al volver el foco sigue en ese botón.
TEST_F(MenuPrincipal, LineaDeEstadoFocoEIntro) {
    arrancar();
    activar(menu);
    moverRatonSobre(menu.BTNMENU[0]);
    moverRatonSobre(menu.BTNMENU[0]);
    EXPECT_EQ(menu.Panmsg->text() + QString::number(entorno.pitidos), "Realizar una CONSULTA1");
    moverRatonSobre(menu.BTNMENU[7]);
    EXPECT_EQ(menu.Panmsg->text() + QString::number(entorno.pitidos), "Datos del programador2");
    moverRatonSobre(menu.Image1);
    EXPECT_EQ(menu.Panmsg->text(), "");
    menu.BTNMENU[5]->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_EQ(menu.Panmsg->text(), "");
    for (int i : {0, 1, 2, 3, 4, 7}) {
        menu.BTNMENU[i]->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(menu.Panmsg->text(), FRMPRINCIPAL::kAyudas[static_cast<std::size_t>(i)]);
        const auto antes = entorno.sucesos.size() + entorno.mensajes.size();
        tecla(menu, i % 2 ? Qt::Key_Enter : Qt::Key_Return,
              i % 2 ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_GT(entorno.sucesos.size() + entorno.mensajes.size(), antes) << i;
        EXPECT_EQ(menu.focusWidget(), menu.BTNMENU[i]) << i;
    }
}

// Una consulta aceptada es la última; las acciones canceladas la dejan como estaba aunque
// la pantalla cancelada dejara otra pregunta u otra figura a medias; la lista y la
// construcción manual la guardan, sin pregunta, después de interpretarla.
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
    EXPECT_EQ(entorno.sucesos, (std::vector<std::string>{"modal:frmconsulta", "modal:FRMTirada",
                                                         "modal:FRMInterpretar"}));
    deja(Pantalla::frmconsulta, "a medias", "", "SI");
    menu.BTNMENU_Click(0);
    deja(Pantalla::frmconsulta, "nueva", "", "NO");
    deja(Pantalla::FRMTirada, "", "969", "SI");
    menu.BTNMENU_Click(0);
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
    EXPECT_EQ(Resultado, "NO");
    deja(Pantalla::FRM64HEXAGRAMAS, "", "787878", "NO");
    menu.BTNMENU_Click(2);
    deja(Pantalla::FRMIntroducir, "", "699669", "NO");
    menu.BTNMENU_Click(1);
    EXPECT_EQ(vistas.at(2), "NO SE HA REALIZADO CONSULTA (Modo Manual)|787878|787878|967876");
    EXPECT_EQ(vistas.at(3), "NO SE HA REALIZADO CONSULTA (Modo Manual)|699669|788778|787878");
    EXPECT_EQ(std::string(PreguntaAnterior.recortado()) + "|" + HexagramaAnterior.valor(),
              "NO SE HA REALIZADO CONSULTA (Modo Manual)|699669");
}

TEST_F(MenuPrincipal, PantallaQueAunNoExisteYDatosDelProgramador) {
    QString aviso;
    entorno.guion[Pantalla::FRM256] = [&aviso](Formulario& f) {
        aviso = static_cast<FRM256&>(f).LABEL1->text();
        static_cast<FRM256&>(f).BTNAUX_Click(0);
    };
    arrancar();
    // El aviso y los datos del programador dan la versión del proyecto, la del paquete.
    EXPECT_TRUE(aviso.startsWith("HEXORA v" HEXORA_VERSION " está diseñado para utilizar una "
                                 "definición gráfica de 640x480 pixels"));
    menu.BTNMENU_Click(7);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    const std::string datos = "Datos del Programador|0|HEXORA v" HEXORA_VERSION "\n\n1998";
    EXPECT_EQ(dicho(entorno.mensajes[0]).substr(0, datos.size()), datos);
    olvidarRegistroPantallas();
    PreguntaAnterior = Pregunta = "la anterior";
    menu.BTNMENU_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_EQ(entorno.mensajes[1].texto, "Esta parte del programa todavía no está disponible.");
    EXPECT_EQ(Pregunta.recortado(), "la anterior");
    EXPECT_TRUE(menu.BTNMENU[0]->isEnabled());
}

// La barra de la presentación: ocho pasos que nunca pasan de la pista ni del 100%.
TEST(Progreso, OchoPasosNuncaPasanDe100) {
    for (double azar : {0.0, 0.49, 0.5, 0.999}) {
        Progreso p;
        for (int paso = 1; paso <= 8; ++paso)
            avanzarProgreso(p, azar);
        EXPECT_DOUBLE_EQ(p.anchoTwips, 7191); // 375 + 8 x 852, dentro de la pista de 7335
        EXPECT_EQ(p.titulo, azar < 0.5 ? " 96% " : "100");
    }
    Progreso p;
    avanzarProgreso(p, 0.2);
    EXPECT_EQ(p.titulo, " 12% ");
    avanzarProgreso(p, 0.7);
    EXPECT_EQ(p.titulo, " 25% ");
}
