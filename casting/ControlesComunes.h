#pragma once
// Piezas que comparten las pantallas de la tirada: los botones de aceptar y cancelar, las
// líneas de la figura y el tamaño de letra con que se leen bien.

#include <QPixmap>
#include <QString>

#include <array>

class QLabel;
class QLayout;
class QPushButton;
class QSize;
class QWidget;

namespace hexora {

// Botón de imagen de aceptar (índice 0) o de cancelar (1), con su nombre accesible. La
// imagen la pone el manejador de carga de cada pantalla.
QPushButton* crearBotonDialogo(QWidget* padre, int indice);

// Hueco de una línea de la figura (lugar 0 abajo) que guarda su sitio aunque esté oculta.
QLabel* crearLinea(QWidget* padre, QSize tamano, int lugar);

// Muestra en la línea del lugar dado la imagen de su valor ("6" a "9") y dice cuál es a
// quien no la ve, en su nombre accesible.
void ponerImagenLinea(QLabel* linea, const std::array<QPixmap, 4>& imagenes, char valor, int lugar);

// Las seis líneas de abajo arriba, con más aire entre la tercera y la cuarta.
QLayout* columnaLineas(const std::array<QLabel*, 6>& lineas, int separacion);

// Fondo y letra comunes a las pantallas de la tirada, a juego con el aviso del principio.
void estiloPantalla(QWidget* pantalla);

// Letra de las pantallas de la tirada, en puntos.
void fijarLetra(QWidget* w, double puntos, bool negrita = false);

} // namespace hexora
