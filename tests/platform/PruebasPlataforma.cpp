#include "CarpetaTemporal.h"
#include "EntornoPantallas.h"
#include "platform/CarpetaEjecucion.h"
#include "platform/Formulario.h"
#include "platform/InstanciaUnica.h"
#include "platform/Plataforma.h"
#include "platform/VisorAyuda.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hexora;

// Una excepción que sale de un manejador de eventos no termina el programa: se muestra
// como error y se siguen atendiendo eventos. Esperar(n) los deja correr n veces, ninguna
// con cero o menos.
TEST(AplicacionSegura, UnaExcepcionEnUnManejadorSeMuestraYSeSigue) {
    EntornoPantallas entorno;
    QTimer::singleShot(0, [] { throw std::length_error("basic_string::_M_create"); });
    bool despues = false;
    QTimer::singleShot(0, [&] { despues = true; });
    Esperar(0);
    Esperar(-3);
    EXPECT_TRUE(entorno.mensajes.empty());
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

namespace {
// Diálogo con el contorno de carga y el recentrado al mover el ratón sobre él.
class DialogoDePrueba : public Formulario {
public:
    DialogoDePrueba() {
        fijarContorno(true);
        recentrarConRaton({this});
    }
};
} // namespace

// Centrar en una pantalla de 9600 x 7200 twips redondea como el sistema (medio píxel, al
// par) y deja ir a coordenadas negativas una ventana más grande que la pantalla. El
// diálogo vuelve al centro al mover el ratón sobre él y se dibuja con su contorno.
TEST(Formulario, CentradoContornoYRecentradoAlMoverElRaton) {
    EntornoPantallas entorno;
    DialogoDePrueba d;
    std::vector<QPoint> posiciones;
    for (const QSize tamano : {QSize(800, 600), QSize(401, 301), QSize(200, 100)}) {
        d.resize(tamano);
        d.centrarform();
        posiciones.push_back(d.pos());
    }
    EXPECT_EQ(posiciones, (std::vector<QPoint>{{-80, -60}, {120, 90}, {220, 190}}));
    d.move(3, 7); // el usuario lo arrastra
    QMouseEvent evento(QEvent::MouseMove, QPointF(10, 10), d.mapToGlobal(QPointF(10, 10)),
                       Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&d, &evento);
    EXPECT_EQ(d.pos(), QPoint(220, 190));
    const QImage imagen = d.grab().toImage();
    EXPECT_EQ(imagen.pixelColor(0, 0), QColor(0x00, 0x40, 0x40));
    EXPECT_EQ(imagen.pixelColor(199, 99), QColor(0x00, 0x40, 0x40));
    EXPECT_NE(imagen.pixelColor(100, 50), QColor(0x00, 0x40, 0x40));
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
// si alguien le abrió los permisos; con sesión no se toca nada. Una que no es privada (un
// enlace dejado por otro, una carpeta de otro usuario) no se usa.
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
    QTemporaryDir otra;
    EXPECT_EQ(fijarCarpetaEjecucion(otra.path().toStdString()), "");
    EXPECT_TRUE(sesion() == ruta && QDir(otra.path()).isEmpty());
    const auto rechaza = [&](const char* motivo) {
        unsetenv("XDG_RUNTIME_DIR");
        const std::string fallo = fijarCarpetaEjecucion(base);
        EXPECT_NE(fallo.find(motivo), std::string::npos) << fallo;
        EXPECT_EQ(sesion(), "");
    };
    ASSERT_EQ(rmdir(ruta.c_str()), 0);
    ASSERT_EQ(symlink(base.c_str(), ruta.c_str()), 0);
    rechaza("no es una carpeta");
    ASSERT_EQ(unlink(ruta.c_str()), 0);
    ASSERT_EQ(mkdir(ruta.c_str(), 0700), 0);
    if (chown(ruta.c_str(), 65534, 65534) != 0)
        GTEST_SKIP() << "no se puede dar la carpeta a otro usuario: " << std::strerror(errno);
    rechaza("pertenece a otro usuario");
}

TEST(Ayuda, ArchivoQueFaltaYArchivoQueSeAbre) {
    EntornoPantallas entorno;
    CarpetaTemporal carpeta;
    AbrirAyuda("HEXORA.HLP");
    ASSERT_EQ(entorno.mensajes.size(), 1u);
    EXPECT_TRUE(entorno.mensajes[0].texto.contains("HEXORA.HLP"));
    EXPECT_EQ(VisorAyudaAbierto(), nullptr);
    carpeta.escribir("HEXORA.HLP", "<h1><a name=\"indice\"></a>Ayuda</h1><p>Índice</p>");
    AbrirAyuda("HEXORA.HLP");
    ASSERT_NE(VisorAyudaAbierto(), nullptr);
    EXPECT_TRUE(VisorAyudaAbierto()->isVisible());
    EXPECT_TRUE(VisorAyudaAbierto()->toPlainText().contains(QString::fromUtf8("Índice")));
    EXPECT_EQ(entorno.mensajes.size(), 1u);
    VisorAyudaAbierto()->close();
}

TEST(CarpetasPrograma, InstaladoYSinPermisoDeEscritura) {
    QTemporaryDir raiz;
    QDir(raiz.path()).mkpath("bin");
    QDir(raiz.path()).mkpath("share/hexora");
    const QString bin = raiz.filePath("bin");
    const auto siempre = [](const QString&) { return true; };
    // Sin datos en ninguna parte se queda la del ejecutable (el arranque dirá qué falta).
    EXPECT_EQ(elegirCarpetas(bin, siempre, "/u").datos, bin);
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
