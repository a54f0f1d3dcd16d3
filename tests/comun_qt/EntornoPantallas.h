#pragma once
// Entorno de las pruebas de pantallas: contesta los mensajes por guion y los guarda,
// cambia el bucle modal por un guion por pantalla, calla los pitidos y fija una
// pantalla de 640 x 480 píxeles.

#include "platform/Formulario.h"
#include "platform/Mensajes.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class EntornoPantallas {
public:
    EntornoPantallas();
    ~EntornoPantallas();
    EntornoPantallas(const EntornoPantallas&) = delete;
    EntornoPantallas& operator=(const EntornoPantallas&) = delete;
    std::vector<hexora::Mensaje> mensajes;
    std::deque<hexora::RespuestaMensaje> respuestas; // sin respuesta, "Aceptar"
    std::vector<std::string> sucesos; // "modal:FRM256", "carga:FRMTirada", ...
    // Lo que hace el usuario en cada pantalla modal (sin guion, nada).
    std::map<hexora::Pantalla, std::function<void(hexora::Formulario&)>> guion;
    // Registra una pantalla de prueba que anota su carga.
    void registrarFalsa(hexora::Pantalla pantalla);
};

std::string nombrePantalla(hexora::Pantalla pantalla);
