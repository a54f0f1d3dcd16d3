#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
#include "core/EstadoConsulta.h"
#include "core/Tablas.h"
#include "platform/Plataforma.h"
#include "shell/FRM256.h"
#include "shell/FRMPRINCIPAL.h"
#include "shell/RegistroPantallas.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace hexora;

namespace {

const std::vector<Pantalla> kCargadasEnElArranque = {
    Pantalla::FRMTirada,   Pantalla::FRMIntroducir,  Pantalla::FRM64HEXAGRAMAS,
    Pantalla::frmconsulta, Pantalla::FRMInterpretar, Pantalla::FRMRecuperar,
    Pantalla::FRMGrabar};

class MenuPrincipal : public ::testing::Test {
protected:
    void SetUp() override {
        registrarPantallas();
        for (Pantalla p : kCargadasEnElArranque)
            entorno.registrarFalsa(p);
        entorno.guion[Pantalla::FRM256] = [](Formulario& f) {
            static_cast<FRM256&>(f).BTNAUX_Click(0);
        };
    }

    // Arranca el menú y deja solo los sucesos de lo que venga después.
    void arrancar() {
        ASSERT_TRUE(menu.Form_Load());
        entorno.sucesos.clear();
        entorno.mensajes.clear();
    }

    void moverRatonSobre(QWidget* w) {
        QMouseEvent evento(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)),
                           Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &evento);
    }

    // El usuario acepta en la pantalla dada dejando estos valores.
    void acepta(Pantalla p, std::string pregunta, std::string figura) {
        entorno.guion[p] = [pregunta, figura](Formulario&) {
            if (!pregunta.empty())
                Pregunta = pregunta;
            if (!figura.empty())
                Hexagrama = figura;
            Resultado = "NO";
        };
    }
    void cancela(Pantalla p, std::string pregunta, std::string figura) {
        acepta(p, pregunta, figura);
        auto aceptar = entorno.guion[p];
        entorno.guion[p] = [aceptar](Formulario& f) {
            aceptar(f);
            Resultado = "SI";
        };
    }

    EntornoPantallas entorno;
    bool otraCopia = false;
    FRMPRINCIPAL menu{[this] { return otraCopia; }};
};

} // namespace

TEST_F(MenuPrincipal, ArranqueEnOrden) {
    vaciarTablas();
    ASSERT_TRUE(menu.Form_Load());
    std::vector<std::string> esperado = {"modal:FRM256"};
    for (Pantalla p : kCargadasEnElArranque)
        esperado.push_back("carga:" + nombrePantalla(p));
    EXPECT_EQ(entorno.sucesos, esperado);
    EXPECT_TRUE(entorno.mensajes.empty());
    EXPECT_EQ(TablaHexagramas[64][1], "64"); // tablas cargadas de la carpeta del programa
    EXPECT_EQ(valorHexagrama(), 0);
    EXPECT_NE(Resultado, "SI");
    EXPECT_NE(Resultado, "NO");
    EXPECT_EQ(PreguntaAnterior.valor(), std::string(100, ' '));
    EXPECT_EQ(Instancia(Pantalla::FRM256), nullptr); // aviso y presentación descargados
    EXPECT_EQ(Instancia(Pantalla::FRMInicio), nullptr);
    EXPECT_EQ(menu.Panmsg->text(), "");
}

TEST_F(MenuPrincipal, DisposicionA640x480) {
    arrancar();
    EXPECT_EQ(menu.geometry(), QRect(0, 0, 640, 480));
    EXPECT_EQ(menu.FrameMENU1->pos(), QPoint(0, 0));
    EXPECT_EQ(menu.FrameMENU2->geometry().right(), 639); // esquina superior derecha
    EXPECT_EQ(menu.BTNMENU[7]->geometry().right(), 639);
    EXPECT_EQ(menu.BTNMENU[7]->y(), menu.FrameMENU2->height()); // justo debajo
    EXPECT_EQ(menu.BTNMENU[1]->x() - menu.BTNMENU[0]->x(), 68); // 1020 twips
    const QRect estado = menu.Panmsg->geometry();
    EXPECT_NEAR(estado.center().x(), 320, 1);
    EXPECT_EQ(480 - estado.bottom() - 1, twipsAPixeles(350));
}

TEST_F(MenuPrincipal, SegundaCopiaTerminaSinPreguntar) {
    otraCopia = true;
    EXPECT_FALSE(menu.Form_Load());
    EXPECT_EQ(menu.codigoSalida(), 0);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    const auto& m = entorno.mensajes[0];
    EXPECT_EQ(m.texto, "Esta aplicación ya se está ejecutando\n\nAPLICACIÓN CANCELADA");
    EXPECT_EQ(m.titulo, "Información al usuario");
    EXPECT_EQ(m.icono, IconoMensaje::Exclamacion);
    EXPECT_EQ(m.botones, BotonesMensaje::Aceptar);
    EXPECT_EQ(Resultado, "EC");
    EXPECT_TRUE(entorno.sucesos.empty()); // ni aviso ni pantallas
    EXPECT_TRUE(menu.Form_QueryUnload());
    EXPECT_EQ(entorno.mensajes.size(), 1u); // no pregunta "¿Finalizar HEXORA?"
}

TEST_F(MenuPrincipal, SalirDesdeElAvisoNoMuestraNadaMas) {
    entorno.guion[Pantalla::FRM256] = [](Formulario& f) {
        static_cast<FRM256&>(f).BTNAUX_Click(1);
    };
    EXPECT_FALSE(menu.Form_Load());
    EXPECT_EQ(entorno.sucesos, std::vector<std::string>{"modal:FRM256"});
    EXPECT_TRUE(entorno.mensajes.empty());
    EXPECT_TRUE(menu.Form_QueryUnload());
    EXPECT_TRUE(entorno.mensajes.empty());
}

TEST_F(MenuPrincipal, FaltaUnArchivoDeDatos) {
    CarpetaTemporal vacia;
    fijarCarpetaEjecutable(QString::fromStdString(vacia.ruta().string()));
    EXPECT_FALSE(menu.Form_Load());
    EXPECT_EQ(menu.codigoSalida(), 1);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.contains("\"trigr.chi\""))
        << entorno.mensajes[0].texto.toStdString();
    EXPECT_EQ(entorno.mensajes[0].icono, IconoMensaje::Critico);
    EXPECT_EQ(entorno.mensajes[0].titulo, "Información al usuario");
}

// Una tabla dañada que se leería sin queja (un número de fila fuera de 1 a 64) para el
// arranque con el mismo aviso, nombrando el archivo; y el temporal de una grabación cortada
// no sobrevive al arranque.
TEST_F(MenuPrincipal, TablaDanadaYTemporalDeUnaGrabacionCortada) {
    CarpetaTemporal datos;
    for (const char* nombre : {"trigr.chi", "BINARIO.dat"})
        std::filesystem::copy_file(std::filesystem::path(HEXORA_CARPETA_PROGRAMA) / nombre,
                                   datos.ruta() / nombre);
    std::ifstream original(std::filesystem::path(HEXORA_CARPETA_PROGRAMA) / "hexagr.chi");
    std::string tabla{std::istreambuf_iterator<char>(original), std::istreambuf_iterator<char>()};
    const auto fila7 = tabla.find("\n7,");
    ASSERT_NE(fila7, std::string::npos);
    datos.escribir("hexagr.chi", tabla.replace(fila7 + 1, 1, "70"));
    datos.escribir("usuarios.dat.nuevo", "medio archivo");
    fijarCarpetaEjecutable(QString::fromStdString(datos.ruta().string()));
    EXPECT_FALSE(menu.Form_Load());
    EXPECT_EQ(menu.codigoSalida(), 1);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.contains("\"hexagr.chi\" est\u00e1 da\u00f1ado"))
        << entorno.mensajes[0].texto.toStdString();
    EXPECT_FALSE(std::filesystem::exists(datos.ruta() / "usuarios.dat.nuevo"));
}

TEST_F(MenuPrincipal, PreguntaDeSalida) {
    arrancar();
    menu.show();
    entorno.respuestas = {RespuestaMensaje::No};
    menu.BTNMENU_Click(6);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "¿Finalizar HEXORA?");
    EXPECT_EQ(entorno.mensajes[0].titulo, "SALIR");
    EXPECT_EQ(entorno.mensajes[0].botones, BotonesMensaje::SiNo);
    EXPECT_EQ(entorno.mensajes[0].icono, IconoMensaje::Pregunta);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(Resultado, "NO");
    for (auto* b : menu.BTNMENU)
        EXPECT_TRUE(b->isEnabled());

    // Cerrar la ventana por otra vía pregunta lo mismo.
    entorno.respuestas = {RespuestaMensaje::No};
    menu.close();
    EXPECT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(menu.isVisible());

    entorno.respuestas = {RespuestaMensaje::Si};
    menu.BTNMENU_Click(6);
    EXPECT_EQ(Resultado, "FI");
    EXPECT_FALSE(menu.isVisible());
}

TEST_F(MenuPrincipal, LineaDeEstadoPitaUnaVezPorBoton) {
    arrancar();
    menu.show();
    moverRatonSobre(menu.BTNMENU[0]);
    moverRatonSobre(menu.BTNMENU[0]);
    EXPECT_EQ(menu.Panmsg->text(), "Realizar una CONSULTA");
    EXPECT_EQ(entorno.pitidos, 1);
    moverRatonSobre(menu.BTNMENU[5]);
    moverRatonSobre(menu.BTNMENU[7]);
    EXPECT_EQ(menu.Panmsg->text(), "Datos del programador");
    EXPECT_EQ(entorno.pitidos, 3);
    moverRatonSobre(menu.Image1);
    EXPECT_EQ(menu.Panmsg->text(), "");
    moverRatonSobre(menu.BTNMENU[7]);
    EXPECT_EQ(entorno.pitidos, 4);
}

// Con el teclado: Intro en un botón hace su acción y, al volver, el foco sigue en ese
// botón; la pista sale en la línea de estado cuando el usuario lleva el foco a un botón,
// no cuando lo pone el programa.
TEST_F(MenuPrincipal, ElFocoVuelveAlBotonDeCadaAccion) {
    arrancar();
    menu.show();
    QApplication::setActiveWindow(&menu);
    menu.BTNMENU[5]->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_EQ(menu.Panmsg->text(), "");
    for (int i : {0, 1, 2, 3, 4, 7}) {
        menu.BTNMENU[i]->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(menu.Panmsg->text(), FRMPRINCIPAL::kAyudas[static_cast<std::size_t>(i)]);
        const auto antes = entorno.sucesos.size() + entorno.mensajes.size();
        QTest::keyClick(menu.BTNMENU[i], i % 2 ? Qt::Key_Enter : Qt::Key_Return,
                        i % 2 ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_GT(entorno.sucesos.size() + entorno.mensajes.size(), antes) << i;
        EXPECT_EQ(menu.focusWidget(), menu.BTNMENU[i]) << i;
    }
}

TEST_F(MenuPrincipal, UltimaConsultaAntesYDespuesDeAceptarUna) {
    arrancar();
    menu.BTNMENU_Click(3);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "No hay consultas almacenadas con anterioridad.");
    EXPECT_EQ(entorno.mensajes[0].icono, IconoMensaje::Informacion);
    EXPECT_TRUE(entorno.sucesos.empty());

    acepta(Pantalla::frmconsulta, "¿Cambio de trabajo?", "");
    acepta(Pantalla::FRMTirada, "", "967876");
    menu.BTNMENU_Click(0);
    EXPECT_EQ(entorno.sucesos, (std::vector<std::string>{"modal:frmconsulta", "modal:FRMTirada",
                                                         "modal:FRMInterpretar"}));
    EXPECT_EQ(Complementario.valor(), "877877");
    EXPECT_EQ(PreguntaAnterior.recortado(), "¿Cambio de trabajo?");
    EXPECT_EQ(HexagramaAnterior.valor(), "967876");

    Pregunta = "otra";
    Hexagrama = "777777";
    Complementario = "";
    entorno.sucesos.clear();
    menu.BTNMENU_Click(3);
    EXPECT_EQ(entorno.sucesos, std::vector<std::string>{"modal:FRMInterpretar"});
    EXPECT_EQ(Pregunta.recortado(), "¿Cambio de trabajo?");
    EXPECT_EQ(Hexagrama.valor(), "967876");
    EXPECT_EQ(Complementario.valor(), "877877");
    EXPECT_EQ(Resultado, "NO");
}

TEST_F(MenuPrincipal, CancelarNuncaDestruyeLaUltimaConsulta) {
    arrancar();
    PreguntaAnterior = "la anterior";
    HexagramaAnterior = "777888";
    Pregunta = "la anterior";
    Hexagrama = "777888";

    // Tirada cancelada tras escribir otra pregunta: la pantalla repone la figura.
    acepta(Pantalla::frmconsulta, "nueva pregunta", "");
    cancela(Pantalla::FRMTirada, "", "777888");
    menu.BTNMENU_Click(0);
    EXPECT_EQ(Pregunta.recortado(), "la anterior");
    EXPECT_EQ(Hexagrama.valor(), "777888");
    EXPECT_EQ(entorno.sucesos.back(), "modal:FRMTirada");

    // Lista de los 64 cancelada después de elegir otra figura.
    cancela(Pantalla::FRM64HEXAGRAMAS, "", "999999");
    menu.BTNMENU_Click(2);
    EXPECT_EQ(Hexagrama.valor(), "777888");
    EXPECT_EQ(HexagramaAnterior.valor(), "777888");
    EXPECT_EQ(PreguntaAnterior.recortado(), "la anterior");

    // Construcción manual cancelada.
    cancela(Pantalla::FRMIntroducir, "", "777888");
    menu.BTNMENU_Click(1);
    EXPECT_EQ(HexagramaAnterior.valor(), "777888");
    EXPECT_EQ(PreguntaAnterior.recortado(), "la anterior");

    // Recuperación cancelada.
    cancela(Pantalla::FRMRecuperar, "guardada", "888888");
    menu.BTNMENU_Click(4);
    EXPECT_EQ(Pregunta.recortado(), "la anterior");
    EXPECT_EQ(Hexagrama.valor(), "777888");
    EXPECT_EQ(std::count(entorno.sucesos.begin(), entorno.sucesos.end(), "modal:FRMInterpretar"),
              0);
}

TEST_F(MenuPrincipal, SeleccionYManualGuardanLaConsultaTrasInterpretarla) {
    arrancar();
    acepta(Pantalla::FRM64HEXAGRAMAS, "", "787878");
    // Durante la interpretación aún no es la última consulta.
    entorno.guion[Pantalla::FRMInterpretar] = [](Formulario&) {
        EXPECT_EQ(Resultado, "NO");
        EXPECT_EQ(HexagramaAnterior.valor(), "      ");
    };
    menu.BTNMENU_Click(2);
    EXPECT_EQ(HexagramaAnterior.valor(), "787878");
    EXPECT_EQ(PreguntaAnterior.recortado(), "NO SE HA REALIZADO CONSULTA (Modo Manual)");
}

TEST_F(MenuPrincipal, PantallaQueAunNoExiste) {
    arrancar();
    olvidarRegistroPantallas();
    PreguntaAnterior = "la anterior";
    Pregunta = "la anterior";
    menu.BTNMENU_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "Esta parte del programa todavía no está disponible.");
    EXPECT_EQ(Pregunta.recortado(), "la anterior");
    for (auto* b : menu.BTNMENU)
        EXPECT_TRUE(b->isEnabled());
}

// El aviso y los datos del programador dan la versión del proyecto, la misma del paquete.
TEST_F(MenuPrincipal, AvisoYDatosDelProgramador) {
    QString aviso;
    entorno.guion[Pantalla::FRM256] = [&aviso](Formulario& f) {
        aviso = static_cast<FRM256&>(f).LABEL1->text();
        static_cast<FRM256&>(f).BTNAUX_Click(0);
    };
    arrancar();
    EXPECT_TRUE(aviso.startsWith("HEXORA v" HEXORA_VERSION " está diseñado para utilizar una "
                                 "definición gráfica de 640x480 pixels"))
        << aviso.toStdString();
    EXPECT_TRUE(aviso.contains("256 colores")) << aviso.toStdString();
    menu.BTNMENU_Click(7);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    const auto partes = entorno.mensajes[0].texto.split("\n\n");
    ASSERT_EQ(partes.size(), 4);
    EXPECT_EQ(partes[0], "HEXORA v" HEXORA_VERSION);
    EXPECT_TRUE(partes[1].contains("1998") && partes[1].contains("2004"));
    EXPECT_TRUE(partes[3].startsWith("EMAIL:"));
    EXPECT_EQ(entorno.mensajes[0].titulo, "Datos del Programador");
}
