// Arranque de HEXORA: aplicación Qt en español, plataforma conectada, pantallas
// registradas y el menú principal, que hace el resto del arranque.

#include "FRMPRINCIPAL.h"
#include "RegistroPantallas.h"
#include "platform/AplicacionSegura.h"
#include "platform/CarpetaEjecucion.h"
#include "platform/InstanciaUnica.h"
#include "platform/Plataforma.h"

#include <QApplication>

#include <iostream>

int main(int argc, char** argv) {
    // Antes de crear la aplicación, que ya la pide. Solo se dice algo si falla.
    if (const std::string fallo = hexora::fijarCarpetaEjecucion(); !fallo.empty())
        std::cerr << fallo << '\n';
    hexora::AplicacionSegura aplicacion(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HEXORA"));
    QApplication::setQuitOnLastWindowClosed(false);
    hexora::cargarTraducciones(aplicacion);
    hexora::conectarEventosLogica();
    hexora::prepararCarpetaPrograma();
    hexora::registrarPantallas();

    hexora::InstanciaUnica instancia;
    hexora::FRMPRINCIPAL menu([&instancia] { return !instancia.adquirir(); });
    if (!menu.arrancar())
        return menu.codigoSalida();
    const int codigo = QApplication::exec();
    hexora::DescargarTodas();
    return codigo;
}
