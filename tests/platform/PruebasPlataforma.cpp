#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
#include "platform/CarpetaEjecucion.h"
#include "platform/InstanciaUnica.h"
#include "platform/Plataforma.h"
#include "platform/VisorAyuda.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hexora;

// Una excepción que sale de un manejador de eventos no termina el programa: se muestra
// como error y se siguen atendiendo eventos.
TEST(AplicacionSegura, UnaExcepcionEnUnManejadorSeMuestraYSeSigue) {
    EntornoPantallas entorno;
    QTimer::singleShot(0, [] { throw std::length_error("basic_string::_M_create"); });
    bool despues = false;
    QTimer::singleShot(0, [&] { despues = true; });
    Esperar(2);
    EXPECT_TRUE(despues);
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.startsWith("No se ha podido completar la operación"));
    EXPECT_EQ(entorno.mensajes[0].icono, IconoMensaje::Critico);
}

// El cuadro de mensajes de Qt, con las traducciones del arranque: los saltos de línea del
// sistema, el título por omisión, los botones en español y la respuesta del pulsado.
TEST(Mensajes, CuadroDeQtEnEspanol) {
    cargarTraducciones(static_cast<QApplication&>(*QApplication::instance()));
    QString visto;
    QTimer temporizador;
    QObject::connect(&temporizador, &QTimer::timeout, [&] {
        auto* cuadro = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!cuadro)
            return;
        visto = cuadro->windowTitle() + "|" + cuadro->text() + "|";
        for (QAbstractButton* b : cuadro->buttons())
            visto += b->text().remove('&') + " ";
        if (QAbstractButton* reintentar = cuadro->button(QMessageBox::Retry))
            reintentar->click();
        else
            cuadro->reject();
    });
    temporizador.start(20);
    EXPECT_EQ(
        MsgBox("uno\r\n\r\ndos", BotonesMensaje::AnularReintentarOmitir, IconoMensaje::Critico),
        RespuestaMensaje::Reintentar);
    EXPECT_EQ(visto.toStdString(), "HEXORA|uno\n\ndos|Reintentar Ignorar Interrumpir ");
}

TEST(InstanciaUnica, UnaCopiaVivaBloqueaYUnaMuertaNo) {
    QTemporaryDir carpeta;
    const QString ruta = carpeta.filePath("hexora.lock");
    {
        InstanciaUnica primera(ruta);
        ASSERT_TRUE(primera.adquirir());
        EXPECT_FALSE(InstanciaUnica(ruta).adquirir());
    }
    // Un proceso que toma el bloqueo y muere sin soltarlo no debe impedir arrancar.
    const pid_t hijo = fork();
    if (hijo == 0)
        _exit(InstanciaUnica(ruta).adquirir() ? 0 : 1);
    int estado = 0;
    waitpid(hijo, &estado, 0);
    ASSERT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
    ASSERT_TRUE(QFile::exists(ruta)); // el bloqueo quedó abandonado
    EXPECT_TRUE(InstanciaUnica(ruta).adquirir());
}

// Sin sesión, una carpeta de ejecución privada del usuario (0700), que se vuelve a cerrar
// si alguien le abrió los permisos; un enlace dejado por otro en su lugar no se usa.
TEST(CarpetaEjecucion, PrivadaDelUsuario) {
    // Se quita XDG_RUNTIME_DIR, como en un arranque sin sesión, y al acabar se repone.
    const QByteArray anterior = qgetenv("XDG_RUNTIME_DIR");
    const auto reponer = qScopeGuard([&] {
        anterior.isEmpty() ? qunsetenv("XDG_RUNTIME_DIR") : qputenv("XDG_RUNTIME_DIR", anterior);
    });
    const auto sesion = [] { return qgetenv("XDG_RUNTIME_DIR").toStdString(); };
    QTemporaryDir temporal;
    const std::string base = temporal.path().toStdString();
    const std::string ruta = base + "/runtime-" + std::to_string(geteuid());
    for (int vez = 0; vez < 2; ++vez) {
        unsetenv("XDG_RUNTIME_DIR");
        EXPECT_EQ(fijarCarpetaEjecucion(base), "");
        EXPECT_EQ(sesion(), ruta);
        EXPECT_EQ(std::filesystem::status(ruta).permissions(), std::filesystem::perms(0700));
        ASSERT_EQ(chmod(ruta.c_str(), 0755), 0);
    }
    ASSERT_EQ(rmdir(ruta.c_str()), 0);
    ASSERT_EQ(symlink(base.c_str(), ruta.c_str()), 0);
    unsetenv("XDG_RUNTIME_DIR");
    const std::string fallo = fijarCarpetaEjecucion(base);
    EXPECT_NE(fallo.find("no es una carpeta"), std::string::npos) << fallo;
    EXPECT_EQ(sesion(), "");
}

TEST(Ayuda, ArchivoQueFaltaYArchivoQueSeAbre) {
    EntornoPantallas entorno;
    CarpetaTemporal carpeta;
    AbrirAyuda("HEXORA.HLP");
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.contains("HEXORA.HLP"));
    carpeta.escribir("HEXORA.HLP", "<h1><a name=\"indice\"></a>Ayuda</h1><p>Índice</p>");
    AbrirAyuda("HEXORA.HLP");
    ASSERT_TRUE(VisorAyudaAbierto() && VisorAyudaAbierto()->isVisible());
    EXPECT_TRUE(VisorAyudaAbierto()->toPlainText().contains(QString::fromUtf8("Índice")));
    VisorAyudaAbierto()->close();
}

TEST(CarpetasPrograma, InstaladoYSinPermisoDeEscritura) {
    QTemporaryDir raiz;
    QDir(raiz.path()).mkpath("bin");
    QDir(raiz.path()).mkpath("share/hexora");
    const QString bin = raiz.filePath("bin");
    const auto siempre = [](const QString&) { return true; };
    QFile(raiz.filePath("share/hexora/hexagr.chi")).open(QIODevice::WriteOnly);
    // Instalado, se escribe en la del usuario aunque se pueda en share/hexora (root).
    const auto instalado = elegirCarpetas(bin, siempre, "/u");
    EXPECT_EQ(instalado.datos, QDir::cleanPath(raiz.filePath("share/hexora")));
    EXPECT_EQ(instalado.escritura, "/u");
    // Los datos junto al ejecutable (la compilación) mandan y ahí se escribe si se puede.
    QFile(raiz.filePath("bin/hexagr.chi")).open(QIODevice::WriteOnly);
    const auto junto = elegirCarpetas(bin, siempre, "/u");
    EXPECT_EQ(junto.datos, bin);
    EXPECT_TRUE(junto.escritura.isEmpty());
    EXPECT_EQ(elegirCarpetas(
                  bin, [](const QString&) { return false; }, "/u")
                  .escritura,
              "/u");
}
