#pragma once
// Almacén común de imágenes del programa. Todas las dibuja nuestro propio código, a la
// densidad de la pantalla, para que se vean nítidas. Las pantallas copian de aquí sus
// imágenes y nunca las cambian.

#include <QPixmap>

#include <array>

class QPainter;
class QRectF;

namespace hexora {

class GRAFICOS {
public:
    static inline const QString kTitulo =
        QStringLiteral("AQUÍ SE ENCUENTRAN LOS GRÁFICOS COMUNES DEL PROGRAMA");

    // Índice de línea = valor - 6: 0 yin viejo, 1 yang joven, 2 yin joven, 3 yang viejo.
    std::array<QPixmap, 4> GRFLINEA;     // 172 x 31
    std::array<QPixmap, 4> GRFLINEAm;    // 103 x 19
    std::array<QPixmap, 4> GRFLINEAp;    // 86 x 16
    QPixmap Gaceptar;                    // 75 x 40
    QPixmap Gcancelar;                   // 75 x 40
    std::array<QPixmap, 8> imagenesMenu; // botones del menú principal
    // Fotogramas de una moneda al girar, 64 x 64: 0 la cara, 4 la cruz, 2 de perfil y los
    // demás a medio volver (1 y 6 del lado de la cara, 3 y 5 del de la cruz).
    std::array<QPixmap, 7> grfmoneda;
    // Botón de las monedas, 150 x 48: 0 para tirarlas, 1 para pararlas.
    std::array<QPixmap, 2> GRFarrojarParar;

    // Fondo de la pantalla de aviso y del menú, al tamaño pedido (su diseño es 640 x 480).
    static QPixmap fondo(QSize tamano);
    // Imagen de la presentación, 500 x 169.
    QPixmap imagenInicio;

    // Pantalla de interpretación: el conmutador lleva IMGHEXAGR(1) mientras se ve el
    // principal y IMGHEXAGR(0) mientras se ve el complementario; luego archivar, imprimir
    // y volver al menú.
    std::array<QPixmap, 2> IMGHEXAGR;
    std::array<QPixmap, 3> imagenesInterpretar;
    QPixmap Geliminar; // 75 x 40, borrar una consulta archivada
    QPixmap Gimprimir; // 75 x 40, imprimir
};

// El almacén, cargado entero en su primer uso.
GRAFICOS& Graficos();

// Solo los botones de aceptar (true) y cancelar, sin dibujar lo demás: el aviso del arranque
// los pide antes que nadie y así no espera a todo el almacén, que se carga después, durante
// la presentación. Son las mismas imágenes que Gaceptar y Gcancelar.
const QPixmap& botonDialogo(bool aceptar);

// Dibuja una línea del hexagrama (valor "6" a "9") en el rectángulo dado; la usan las
// imágenes del almacén y cualquier pantalla que necesite otro tamaño.
void dibujarLinea(QPainter& pintor, const QRectF& zona, char valor);

} // namespace hexora
