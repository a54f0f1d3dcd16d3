#include "AvisosArchivo.h"

#include "platform/Mensajes.h"

namespace hexora {

void avisarDelCambio(const CambioArchivo& cambio, const QString& hecho) {
    if (!cambio.trasladadoA.empty())
        MsgBox(QStringLiteral("La carpeta del programa no admite escritura, así que las consultas "
                              "archivadas se guardan desde ahora en:\n%1\nLas que ya había se "
                              "han copiado allí.")
                   .arg(QString::fromStdString(cambio.trasladadoA.string())),
               BotonesMensaje::Aceptar, IconoMensaje::Informacion, kTituloInformacion);
    if (!cambio.confirmado)
        MsgBox(hecho + QStringLiteral(", pero el sistema no ha confirmado que haya quedado en el "
                                      "disco."),
               BotonesMensaje::Aceptar, IconoMensaje::Exclamacion, kTituloInformacion);
}

} // namespace hexora
