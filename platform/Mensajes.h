#pragma once
// Cuadro de mensaje: texto (con saltos de línea), botones, icono y título. Las pantallas
// no abren cuadros por su cuenta: pasan por aquí, y las pruebas sustituyen el servicio
// para contestar por guion y leer cada mensaje mostrado.

#include <QString>

#include <exception>
#include <functional>

namespace hexora {

enum class BotonesMensaje { Aceptar, SiNo, AnularReintentarOmitir };
enum class IconoMensaje { Informacion, Exclamacion, Pregunta, Critico };
enum class RespuestaMensaje { Aceptar, Si, No, Anular, Reintentar, Omitir };

struct Mensaje {
    QString texto;
    BotonesMensaje botones;
    IconoMensaje icono;
    QString titulo;
};

inline const QString kTituloInformacion = QStringLiteral("Información al usuario");

// Muestra el mensaje y devuelve el botón pulsado. Sin título, lleva "HEXORA".
RespuestaMensaje MsgBox(const QString& texto, BotonesMensaje botones, IconoMensaje icono,
                        const QString& titulo = {});

// Muestra el error de una operación que no se ha hecho: el de un archivo del programa tal
// cual (ya dice qué archivo y qué le pasa); cualquier otro, como error inesperado.
void MostrarError(const std::exception& error);

// Sustituye el servicio (vacío: vuelve al cuadro de Qt).
void fijarServicioMensajes(std::function<RespuestaMensaje(const Mensaje&)> servicio);

} // namespace hexora
