#include "VisorAyuda.h"

#include "Mensajes.h"
#include "core/CarpetaPrograma.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace hexora {

namespace {
QPointer<QTextBrowser>& visor() {
    static QPointer<QTextBrowser> v;
    return v;
}
} // namespace

void AbrirAyuda(const QString& archivo) {
    const QString ruta = QString::fromStdString(rutaPrograma(archivo.toStdString()).string());
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly)) {
        MsgBox(QStringLiteral("No se encuentra el archivo de ayuda \"%1\" en la carpeta del "
                              "programa.")
                   .arg(archivo),
               BotonesMensaje::Aceptar, IconoMensaje::Exclamacion, kTituloInformacion);
        return;
    }
    if (!visor()) {
        visor() = new QTextBrowser;
        visor()->setAttribute(Qt::WA_DeleteOnClose);
        visor()->setWindowTitle(QStringLiteral("Ayuda de HEXORA"));
        visor()->setOpenExternalLinks(false);
        visor()->setAccessibleName(QStringLiteral("Ayuda de HEXORA"));
        QFont letra = visor()->font();
        letra.setPointSizeF(11.5);
        visor()->setFont(letra);
        visor()->resize(640, 520);
    }
    visor()->setSearchPaths({QFileInfo(ruta).absolutePath()});
    visor()->setHtml(QString::fromUtf8(f.readAll()));
    visor()->scrollToAnchor(QStringLiteral("indice"));
    visor()->show();
    visor()->raise();
    visor()->activateWindow();
}

QTextBrowser* VisorAyudaAbierto() { return visor(); }

} // namespace hexora
