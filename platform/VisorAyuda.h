#pragma once
// Visor de la ayuda: una ventana propia, que no bloquea el menú, con el archivo de ayuda
// (HTML) abierto por su índice. Si el archivo falta, lo dice con un mensaje.

#include <QString>

class QTextBrowser;

namespace hexora {

void AbrirAyuda(const QString& archivo);

// La ventana del visor, si está abierta (para las pruebas).
QTextBrowser* VisorAyudaAbierto();

} // namespace hexora
