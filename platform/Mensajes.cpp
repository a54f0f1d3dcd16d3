#include "Mensajes.h"

#include "core/ErrorArchivo.h"

#include <QApplication>
#include <QMessageBox>

namespace hexora {

namespace {

std::function<RespuestaMensaje(const Mensaje&)>& servicio() {
    static std::function<RespuestaMensaje(const Mensaje&)> s;
    return s;
}

RespuestaMensaje mostrarConQt(const Mensaje& m) {
    QMessageBox cuadro(QApplication::activeWindow());
    cuadro.setWindowTitle(m.titulo);
    cuadro.setText(m.texto);
    switch (m.icono) {
    case IconoMensaje::Informacion: cuadro.setIcon(QMessageBox::Information); break;
    case IconoMensaje::Exclamacion: cuadro.setIcon(QMessageBox::Warning); break;
    case IconoMensaje::Pregunta: cuadro.setIcon(QMessageBox::Question); break;
    case IconoMensaje::Critico: cuadro.setIcon(QMessageBox::Critical); break;
    }
    switch (m.botones) {
    case BotonesMensaje::Aceptar: cuadro.setStandardButtons(QMessageBox::Ok); break;
    case BotonesMensaje::SiNo:
        cuadro.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        cuadro.setDefaultButton(QMessageBox::Yes);
        cuadro.setEscapeButton(QMessageBox::No);
        break;
    case BotonesMensaje::AnularReintentarOmitir:
        cuadro.setStandardButtons(QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore);
        cuadro.setDefaultButton(QMessageBox::Retry);
        cuadro.setEscapeButton(QMessageBox::Abort);
        break;
    }
    switch (cuadro.exec()) {
    case QMessageBox::Yes: return RespuestaMensaje::Si;
    case QMessageBox::No: return RespuestaMensaje::No;
    case QMessageBox::Abort: return RespuestaMensaje::Anular;
    case QMessageBox::Retry: return RespuestaMensaje::Reintentar;
    case QMessageBox::Ignore: return RespuestaMensaje::Omitir;
    default: return RespuestaMensaje::Aceptar;
    }
}

} // namespace

RespuestaMensaje MsgBox(const QString& texto, BotonesMensaje botones, IconoMensaje icono,
                        const QString& titulo) {
    // El sistema compone los mensajes con retorno de carro y salto de línea.
    QString limpio = texto;
    limpio.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const Mensaje m{limpio, botones, icono, titulo.isEmpty() ? QStringLiteral("HEXORA") : titulo};
    return servicio() ? servicio()(m) : mostrarConQt(m);
}

void MostrarError(const std::exception& error) {
    if (dynamic_cast<const ErrorArchivo*>(&error))
        MsgBox(QString::fromStdString(error.what()), BotonesMensaje::Aceptar, IconoMensaje::Critico,
               kTituloInformacion);
    else
        MsgBox(QStringLiteral("No se ha podido completar la operación por un error inesperado "
                              "(%1).")
                   .arg(QString::fromLocal8Bit(error.what())),
               BotonesMensaje::Aceptar, IconoMensaje::Critico, kTituloInformacion);
}

void fijarServicioMensajes(std::function<RespuestaMensaje(const Mensaje&)> nuevo) {
    servicio() = std::move(nuevo);
}

} // namespace hexora
