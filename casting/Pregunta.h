#pragma once
// La pregunta de la consulta: lo que admite su caja de texto y la forma normalizada con que
// queda en Pregunta (mayúsculas, sin espacios en los extremos, entre "¿" y "?").

#include <cstddef>
#include <string>
#include <string_view>

namespace hexora {

// Tope de la caja. Un salto de línea cuenta dos, como el retorno de carro y salto de línea
// con que se guarda, y así la pregunta normalizada cabe siempre en sus 100 caracteres.
constexpr std::size_t kMaximoPregunta = 98;

// Texto escrito (Windows-1252, saltos de línea como SaltoLinea) en su forma normalizada.
std::string normalizarPregunta(std::string_view escrita);

// Si el texto es una pregunta que hizo el usuario: ni vacío ni la marca de las figuras
// hechas a mano o elegidas de la lista.
bool esPreguntaDelUsuario(std::string_view pregunta);

// Paso entre el texto de la caja, con saltos "\n", y el de la lógica, con SaltoLinea.
std::string preguntaDeCaja(std::u32string_view caja);
std::u32string preguntaACaja(std::string_view cp1252);

// Longitud de un texto de la caja tal como se guarda.
std::size_t longitudPregunta(std::u32string_view caja);

// Lo que queda en la caja después de un cambio del usuario (tecleo, pegado, borrado).
struct CambioPregunta {
    std::u32string texto;
    std::size_t cursor = 0;  // justo detrás de lo que se ha admitido
    bool quitados = false;   // había caracteres que el archivo no puede guardar
    bool cortado = false;    // lo insertado no cabía entero
    bool modificado = false; // texto distinto del que propuso el usuario
};

// Compara el texto anterior de la caja con el nuevo y admite de lo insertado solo los
// caracteres de Windows-1252 (sin controles salvo el salto de línea) que quepan en el tope.
// Lo que ya estaba no se toca, aunque pase del tope (la pregunta anterior puede medir 100).
CambioPregunta admitirCambioPregunta(std::u32string_view anterior, std::u32string_view nuevo,
                                     std::size_t maximo = kMaximoPregunta);

} // namespace hexora
