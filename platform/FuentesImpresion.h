#pragma once
// Letras de la impresión: la misma construcción para la impresora y para la superficie de
// medida, la letra por omisión del cuerpo y la que se ofrece al diálogo de letras.

#include "core/Superficies.h"

#include <QFont>

namespace hexora {

// Sin interletraje ni ligaduras: así una línea impresa ocupa justo la suma de lo que ocupa
// cada uno de sus caracteres, que es lo que mide la maquetación.
QFont fuenteImpresion(const std::string& nombre, double puntos, bool negrita, bool subrayado);

// Una letra con serifa (o de palo seco) que la máquina tenga, a 11 puntos.
Fuente fuentePorOmision();

// La letra tal como la resuelve el sistema, con su familia y su estilo reales. El diálogo
// de Qt, si recibe solo la familia, puede escoger otro estilo (la normal de DejaVu se llama
// "Book" y volvería en cursiva).
QFont fuenteParaDialogo(const Fuente& fuente);

// La letra elegida en el diálogo, como la guarda el programa.
Fuente fuenteElegida(const QFont& elegida, const Fuente& anterior);

} // namespace hexora
