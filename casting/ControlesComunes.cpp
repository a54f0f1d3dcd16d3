#include "ControlesComunes.h"

#include "widgets/NombresHexagrama.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace hexora {

QPushButton* crearBotonDialogo(QWidget* padre, int indice) {
    const QString nombre = indice == 0 ? QStringLiteral("Aceptar") : QStringLiteral("Cancelar");
    auto* boton = new QPushButton(padre);
    boton->setAccessibleName(nombre);
    boton->setToolTip(nombre);
    boton->setFixedSize(81, 46);
    boton->setIconSize(QSize(75, 40));
    boton->setFocusPolicy(Qt::StrongFocus);
    // Oculto, el de aceptar sigue ocupando su sitio y los demás no bailan.
    QSizePolicy politica = boton->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    boton->setSizePolicy(politica);
    return boton;
}

QLabel* crearLinea(QWidget* padre, QSize tamano, int lugar) {
    auto* linea = new QLabel(padre);
    linea->setFixedSize(tamano);
    linea->setAlignment(Qt::AlignCenter);
    linea->setAccessibleName(nombreAccesibleLinea(lugar, ' '));
    QSizePolicy politica = linea->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    linea->setSizePolicy(politica);
    linea->hide();
    return linea;
}

void ponerImagenLinea(QLabel* linea, const std::array<QPixmap, 4>& imagenes, char valor,
                      int lugar) {
    const int indice = valor - '6';
    if (indice < 0 || indice > 3)
        linea->clear();
    else
        linea->setPixmap(imagenes[static_cast<std::size_t>(indice)]);
    linea->setAccessibleName(nombreAccesibleLinea(lugar, valor));
}

QLayout* columnaLineas(const std::array<QLabel*, 6>& lineas, int separacion) {
    auto* columna = new QVBoxLayout;
    columna->setSpacing(separacion);
    for (int i = 5; i >= 0; --i) {
        columna->addWidget(lineas[static_cast<std::size_t>(i)], 0, Qt::AlignHCenter);
        if (i == 3)
            columna->addSpacing(separacion * 2);
    }
    return columna;
}

void estiloPantalla(QWidget* pantalla) {
    QPalette paleta = pantalla->palette();
    paleta.setColor(QPalette::Window, QColor(0xf6, 0xec, 0xd2));
    paleta.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
    pantalla->setPalette(paleta);
    pantalla->setAutoFillBackground(true);
    fijarLetra(pantalla, 11);
}

void fijarLetra(QWidget* w, double puntos, bool negrita) {
    QFont letra = w->font();
    letra.setPointSizeF(puntos);
    letra.setBold(negrita);
    w->setFont(letra);
}

} // namespace hexora
