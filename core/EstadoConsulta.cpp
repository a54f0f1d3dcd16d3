#include "EstadoConsulta.h"

#include <string>

namespace hexora {

TextoFijo<2> SaltoLinea{"\r\n"};
TextoFijo<2> Resultado;
TextoFijo<100> Pregunta;
TextoFijo<100> PreguntaAnterior;
TextoFijo<6> Hexagrama;
TextoFijo<6> Complementario;
TextoFijo<6> HexagramaAnterior;

void reiniciarEstadoConsulta() {
    SaltoLinea = "\r\n";
    Resultado = "";
    Pregunta = "";
    PreguntaAnterior = "";
    Hexagrama = "";
    Complementario = "";
    HexagramaAnterior = "";
}

long long valorHexagrama() { return valorEntero(Hexagrama); }

void CalcularComplementario() {
    Complementario = "";
    for (std::size_t k = 0; k < Hexagrama.longitud(); ++k) {
        char c = Hexagrama[k];
        if (c == '9')
            c = '8';
        else if (c == '6')
            c = '7';
        Complementario = std::string(Complementario.recortado()) + c;
    }
}

} // namespace hexora
