#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
#include "archive/ArchivoConsultas.h"
#include "archive/FRMGrabar.h"
#include "archive/FRMRecuperar.h"
#include "core/CarpetaPrograma.h"
#include "core/EstadoConsulta.h"
#include "core/LlamadasSistema.h"
#include "core/Tablas.h"
#include "platform/Plataforma.h"
#include "shell/RegistroPantallas.h"

#include <QAccessible>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cerrno>

using namespace hexora;

namespace {

class PantallasArchivo : public ::testing::Test {
protected:
    void SetUp() override {
        fijarCarpetaPrograma(HEXORA_CARPETA_PROGRAMA);
        CargarTablas();
        fijarCarpetaPrograma(carpeta.ruta());
        registrarPantallas();
        Registro = RegistroConsulta();
        Pregunta = "\xBFQu\xE9 hago?";
        Hexagrama = "967876";
    }

    void grabar(const std::string& usuario, const std::string& pregunta,
                const std::string& figura) {
        Pregunta = pregunta;
        Hexagrama = figura;
        GrabarConsulta(usuario, "05/03/2026");
    }

    FRMRecuperar* abrirRecuperar() {
        auto* f = CargarComo<FRMRecuperar>(Pantalla::FRMRecuperar);
        f->Form_Activate();
        return f;
    }

    CarpetaTemporal carpeta; // antes que el entorno: se restaura después
    EntornoPantallas entorno;
};

} // namespace

TEST_F(PantallasArchivo, GrabarPideUnNombreNoVacio) {
    auto* f = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    f->show();
    EXPECT_FALSE(f->BTNAUX[0]->isVisible());
    f->TXTUsuario->setText("   ");
    EXPECT_FALSE(f->BTNAUX[0]->isVisible());
    // Lo que Windows-1252 no tiene desaparece del cuadro al pegarlo.
    f->TXTUsuario->setText(QString::fromUtf8("  josé 中 "));
    EXPECT_EQ(f->TXTUsuario->text(), QString::fromUtf8("  josé  "));
    EXPECT_TRUE(f->BTNAUX[0]->isVisible());
    f->BTNAUX_Click(0);
    EXPECT_EQ(Instancia(Pantalla::FRMGrabar), nullptr); // se descarga tras grabar
    const auto registros = leerConsultas();
    ASSERT_EQ(registros.size(), 1u);
    EXPECT_EQ(recortar(registros[0].Usuario()), "JOS\xC9");
    const QDate hoy = QDate::currentDate();
    EXPECT_EQ(registros[0].Fecha(), formatearFecha(hoy.day(), hoy.month(), hoy.year()));
    EXPECT_EQ(registros[0].Lineas(), "967876");
}

// Un nombre pegado con lo que Windows-1252 no tiene, o larguísimo: se queda lo que cabe,
// se avisa en la pantalla y se graba justo lo que se ve.
TEST_F(PantallasArchivo, NombrePegadoFueraDeWindows1252OLarguisimo) {
    auto* f = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    f->show();
    EXPECT_FALSE(f->LabelAviso->isVisible());
    // Los acentos pegados como marcas aparte (u + ´, n + ~) se componen y no se avisa.
    f->TXTUsuario->setText(QString::fromUtf8("Nu\xCC\x81n\xCC\x83"
                                             "ez"));
    EXPECT_EQ(f->TXTUsuario->text(), QString::fromUtf8("Núñez"));
    EXPECT_FALSE(f->LabelAviso->isVisible());
    // Más de 30 caracteres que no caben, delante de un nombre que sí.
    f->TXTUsuario->setText(QString(40, QChar(0x4E2D)) + QString::fromUtf8("josé\t\U0001F600"));
    EXPECT_EQ(f->TXTUsuario->text(), QString::fromUtf8("josé"));
    EXPECT_TRUE(f->LabelAviso->isVisible());
    EXPECT_EQ(f->LabelAviso->text(), "Se han quitado caracteres que el archivo no puede guardar.");
    // Cien mil caracteres pegados en medio: entra lo que cabe y lo de detrás sigue.
    f->TXTUsuario->setCursorPosition(2);
    f->TXTUsuario->insert(QString(100000, QLatin1Char('n')));
    EXPECT_EQ(f->TXTUsuario->text(),
              "jo" + QString(26, QLatin1Char('n')) + QString::fromUtf8("sé"));
    EXPECT_EQ(f->TXTUsuario->cursorPosition(), 28);
    EXPECT_EQ(f->LabelAviso->text(), "El nombre admite como mucho 30 caracteres.");
    f->BTNAUX_Click(0);
    EXPECT_TRUE(entorno.mensajes.empty());
    const auto registros = leerConsultas();
    ASSERT_EQ(registros.size(), 1u);
    EXPECT_EQ(registros[0].Usuario(), "JO" + std::string(26, 'N') + "S\xC9");
}

TEST_F(PantallasArchivo, ListasParalelasYDevolverLaConsulta) {
    grabar("ANA", "primera", "777777");
    grabar("ZOE", "tercera", "888888");
    grabar("ANA", "segunda", "123456"); // figura que no es ningún hexagrama
    auto* f = abrirRecuperar();
    ASSERT_EQ(f->CMBUSUARIO->count(), 3);
    EXPECT_EQ(f->CMBUSUARIO->itemText(1), QString("ANA").leftJustified(30));
    EXPECT_EQ(f->CMBCONSULTA->itemText(1).size(), 100);
    EXPECT_EQ(f->label2[0]->text(), " 1 - " + textoQt(TablaHexagramas[1][4]));

    f->CMBCONSULTA->setCurrentIndex(1);
    EXPECT_EQ(f->CMBUSUARIO->currentIndex(), 1);
    EXPECT_EQ(f->LBLFecha->text(), "05/03/2026");
    EXPECT_EQ(f->label2[0]->text(), " 0 - ");
    EXPECT_EQ(f->label2[1]->text(), "");
    f->CMBUSUARIO->setCurrentIndex(2);
    EXPECT_EQ(f->CMBCONSULTA->currentIndex(), 2);

    f->CMBUSUARIO->setCurrentIndex(0);
    f->BTNAUX_Click(0);
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Pregunta.recortado(), "primera");
    EXPECT_EQ(Hexagrama.valor(), "777777");
    EXPECT_FALSE(f->isVisible());
}

TEST_F(PantallasArchivo, BorrarPreguntaAntes) {
    grabar("ANA", "uno", "777777");
    auto* f = abrirRecuperar();
    const std::string antes = std::string(leerConsultas()[0].bytes());
    entorno.respuestas = {RespuestaMensaje::No};
    f->BTNAUX_Click(2);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "ELIMINAR CONSULTA SELECCIONADA");
    EXPECT_EQ(entorno.mensajes[0].titulo, "HEXORA");
    EXPECT_EQ(entorno.mensajes[0].botones, BotonesMensaje::SiNo);
    ASSERT_EQ(leerConsultas().size(), 1u);
    EXPECT_EQ(leerConsultas()[0].bytes(), antes);
}

TEST_F(PantallasArchivo, SinArchivoOConArchivoDanado) {
    abrirRecuperar();
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_EQ(entorno.mensajes[0].texto, "NO EXITEN CONSULTAS ARCHIVADAS");
    EXPECT_EQ(entorno.mensajes[0].icono, IconoMensaje::Informacion);
    EXPECT_EQ(Resultado, "SI");
    EXPECT_FALSE(std::filesystem::exists(carpeta.ruta() / "usuarios.dat"));

    carpeta.escribir("usuarios.dat", std::string(170, 'x'));
    abrirRecuperar();
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[1].texto.contains("170 bytes"));
    EXPECT_EQ(Resultado, "SI");
}

// Lo que no se puede leer se dice con su causa, en las dos pantallas, y nada se escribe:
// ni un archivo que es una carpeta se toma por vacío, ni un stat fallido pisa el archivo.
TEST_F(PantallasArchivo, ArchivoQueNoSePuedeLeerEnLasPantallas) {
    std::filesystem::create_directory(carpeta.ruta() / "usuarios.dat");
    abrirRecuperar();
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.contains("no es un archivo normal"));
    EXPECT_EQ(entorno.mensajes[0].titulo, "Información al usuario");
    EXPECT_EQ(Resultado, "SI");
    auto* g = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    g->TXTUsuario->setText("ana");
    g->BTNAUX_Click(0);
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_EQ(Instancia(Pantalla::FRMGrabar), g); // sigue abierta: no se ha guardado
    EXPECT_TRUE(std::filesystem::is_empty(carpeta.ruta() / "usuarios.dat"));
    std::filesystem::remove(carpeta.ruta() / "usuarios.dat");

    grabar("ZOE", "una", "777777");
    const auto antes = leerConsultas();
    fijarFalloSistema([](Llamada l) { return l == Llamada::Stat ? EIO : 0; });
    g->BTNAUX_Click(0);
    fijarFalloSistema({});
    ASSERT_EQ(entorno.mensajes.size(), 3u);
    EXPECT_TRUE(entorno.mensajes[2].texto.contains("error de entrada/salida del disco"));
    EXPECT_EQ(leerConsultas(), antes);
}

// Un cambio hecho sin confirmar en el disco, y el traslado del archivo a la carpeta del
// usuario, se dicen; lo demás de la grabación sigue igual (la pantalla se cierra).
TEST_F(PantallasArchivo, GrabacionSinConfirmarYArchivoTrasladado) {
    CarpetaTemporal usuario;
    fijarCarpetaPrograma(carpeta.ruta());
    fijarCarpetaEscritura(usuario.ruta());
    grabar("ANA", "de antes", "777777");
    std::filesystem::rename(usuario.ruta() / "usuarios.dat", carpeta.ruta() / "usuarios.dat");
    auto* r = abrirRecuperar();
    EXPECT_EQ(r->CMBUSUARIO->count(), 1); // el de la carpeta del programa se ve
    r->BTNAUX_Click(1);

    fijarFalloSistema([](Llamada l) { return l == Llamada::SincronizarCarpeta ? EIO : 0; });
    auto* g = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    g->TXTUsuario->setText("bea");
    g->BTNAUX_Click(0);
    fijarFalloSistema({});
    fijarCarpetaEscritura({});
    ASSERT_EQ(entorno.mensajes.size(), 2u);
    EXPECT_TRUE(entorno.mensajes[0].texto.contains(
        QString::fromStdString((usuario.ruta() / "usuarios.dat").string())));
    EXPECT_EQ(entorno.mensajes[1].texto, "La consulta se ha guardado, pero el sistema no ha "
                                         "confirmado que haya quedado en el disco.");
    EXPECT_EQ(Instancia(Pantalla::FRMGrabar), nullptr);
    EXPECT_EQ(std::filesystem::file_size(usuario.ruta() / "usuarios.dat"), 320u);
}

// Archivar y recuperar solo con el teclado: escribir e Intro; en recuperar, flechas,
// tabulador, espacio e Intro. La fecha y las líneas de la elegida se pueden leer.
TEST_F(PantallasArchivo, TecladoArchivarYRecuperar) {
    grabar("ANA", "primera", "777777");
    auto* g = CargarComo<FRMGrabar>(Pantalla::FRMGrabar);
    g->show();
    g->TXTUsuario->setFocus();
    Pregunta = "segunda";
    Hexagrama = "967876";
    QTest::keyClicks(g->focusWidget(), "zoe");
    QTest::keyClick(g->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Instancia(Pantalla::FRMGrabar), nullptr);
    ASSERT_EQ(leerConsultas().size(), 2u);

    auto* f = abrirRecuperar();
    f->show();
    ASSERT_EQ(f->focusWidget(), f->CMBUSUARIO);
    QTest::keyClick(f->focusWidget(), Qt::Key_Down);
    EXPECT_EQ(f->CMBCONSULTA->currentIndex(), 1);
    QAccessibleInterface* fecha = QAccessible::queryAccessibleInterface(f->LBLFecha);
    const QDate hoy = QDate::currentDate();
    EXPECT_EQ(fecha->text(QAccessible::Name),
              textoQt(formatearFecha(hoy.day(), hoy.month(), hoy.year())));
    EXPECT_EQ(fecha->text(QAccessible::Description), "Fecha de la consulta");
    EXPECT_EQ(f->LINEA[0]->accessibleName(), QString::fromUtf8("Línea 1: yang viejo (9)"));

    // Eliminar con el espacio y decir que no; luego aceptar con Intro.
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(f->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(f->focusWidget(), f->BTNAUX[2]);
    entorno.respuestas = {RespuestaMensaje::No};
    QTest::keyClick(f->focusWidget(), Qt::Key_Space);
    EXPECT_EQ(entorno.mensajes.back().texto, "ELIMINAR CONSULTA SELECCIONADA");
    QTest::keyClick(f->focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(f->focusWidget(), f->BTNAUX[0]);
    QTest::keyClick(f->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Pregunta.recortado(), "segunda");
    EXPECT_EQ(Hexagrama.valor(), "967876");
}

// Mientras se avisa de que no quedan consultas, la pantalla de recuperar ya está oculta
// también para el lector de pantalla: no enseña la lista que ya no vale.
TEST_F(PantallasArchivo, AvisoSinConsultasConLaPantallaOculta) {
    grabar("ANA", "uno", "777777");
    auto* f = abrirRecuperar();
    f->show();
    bool vista = false;
    bool oculta = false;
    fijarServicioMensajes([&](const Mensaje& m) {
        if (m.texto == "NO EXITEN CONSULTAS ARCHIVADAS") {
            vista = true;
            oculta = !f->isVisible() && QAccessible::queryAccessibleInterface(f)->state().invisible;
        }
        return RespuestaMensaje::Si;
    });
    f->BTNAUX_Click(2);
    EXPECT_TRUE(vista);
    EXPECT_TRUE(oculta);
    EXPECT_TRUE(leerConsultas().empty());
    EXPECT_EQ(Resultado, "SI");
    EXPECT_EQ(Instancia(Pantalla::FRMRecuperar), nullptr);
}

// La búsqueda deja en las dos listas, en paralelo, las consultas cuyo usuario o pregunta
// contienen lo escrito, sin mayúsculas ni acentos; borrar y devolver actúan sobre la que se
// ve (su sitio en el archivo, no en la lista filtrada) y tras borrar la búsqueda sigue.
TEST_F(PantallasArchivo, BuscarEntreLasConsultas) {
    grabar("ANA", "\xBFMe mudo?", "777777"); // ¿Me mudo?
    grabar("ANA", "otra", "888888");
    grabar("N\xDA\xD1"
           "EZ",
           "trabajo nuevo", "967876"); // NÚÑEZ
    grabar("ZOE", "mudanza al norte", "787878");
    auto* f = abrirRecuperar();
    f->show();
    const auto listas = [f] {
        QStringList r;
        for (int i = 0; i < f->CMBUSUARIO->count(); ++i)
            r << f->CMBUSUARIO->itemText(i).trimmed() + "|" + f->CMBCONSULTA->itemText(i).trimmed();
        return r;
    };
    EXPECT_EQ(listas().size(), 4);

    QTest::keyClicks(f->TXTBuscar, "nunez");
    EXPECT_EQ(listas(), QStringList{QString::fromUtf8("NÚÑEZ|trabajo nuevo")});
    EXPECT_EQ(f->LINEA[0]->accessibleName(), QString::fromUtf8("Línea 1: yang viejo (9)"));

    f->TXTBuscar->setText(QString::fromUtf8("MÚD"));
    EXPECT_EQ(listas(), (QStringList{QString::fromUtf8("ANA|¿Me mudo?"), "ZOE|mudanza al norte"}));
    QTest::keyClick(f->TXTBuscar, Qt::Key_Down);
    EXPECT_EQ(f->focusWidget(), f->CMBUSUARIO);
    f->CMBCONSULTA->setCurrentIndex(1);
    EXPECT_EQ(f->CMBUSUARIO->currentIndex(), 1);
    entorno.respuestas = {RespuestaMensaje::Si};
    f->BTNAUX_Click(2); // borra la de ZOE, la cuarta del archivo
    std::vector<std::string> quedan;
    for (const auto& r : leerConsultas())
        quedan.push_back(std::string(recortar(r.Texto())));
    EXPECT_EQ(quedan, (std::vector<std::string>{"\xBFMe mudo?", "otra", "trabajo nuevo"}));
    EXPECT_EQ(f->TXTBuscar->text(), QString::fromUtf8("MÚD"));
    EXPECT_EQ(listas(), QStringList{QString::fromUtf8("ANA|¿Me mudo?")});

    f->TXTBuscar->setText("xyz");
    EXPECT_EQ(f->CMBUSUARIO->count(), 0);
    EXPECT_FALSE(f->BTNAUX[0]->isVisibleTo(f));
    EXPECT_FALSE(f->BTNAUX[2]->isVisibleTo(f));
    EXPECT_TRUE(f->LBLFecha->text().isEmpty());

    f->TXTBuscar->setText("trabajo");
    f->BTNAUX_Click(0);
    EXPECT_EQ(Resultado, "NO");
    EXPECT_EQ(Pregunta.recortado(), "trabajo nuevo");
    EXPECT_EQ(Hexagrama.valor(), "967876");
}
