#pragma once
// Estado de la consulta que comparten todas las pantallas: la pregunta, las figuras y la
// bandera Resultado ("NO" aceptado, "SI" cancelado, "FI" fin, "EC" copia repetida).

#include "TextoFijo.h"

#include <string_view>

namespace hexora {

extern TextoFijo<2> SaltoLinea;
extern TextoFijo<2> Resultado;
extern TextoFijo<100> Pregunta;
extern TextoFijo<100> PreguntaAnterior;
extern TextoFijo<6> Hexagrama;
extern TextoFijo<6> Complementario;
extern TextoFijo<6> HexagramaAnterior;

// Lo que lleva Pregunta cuando la figura se construye a mano o se elige de la lista.
inline constexpr std::string_view kPreguntaModoManual = "NO SE HA REALIZADO CONSULTA (Modo Manual)";

// Deja el estado como al arrancar: SaltoLinea fijado, PreguntaAnterior vacía y el resto
// sin valor (espacios).
void reiniciarEstadoConsulta();

// Valor numérico de Hexagrama: 0 mientras no se ha aceptado ninguna figura.
long long valorHexagrama();

// Deriva Complementario de Hexagrama: cada línea mutante pasa a su opuesta joven.
void CalcularComplementario();

} // namespace hexora
