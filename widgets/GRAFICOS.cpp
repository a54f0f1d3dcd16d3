#include "GRAFICOS.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace hexora {

namespace {

const QColor kTinta(0x3a, 0x24, 0x10); // trazo de las líneas
const QColor kMarca(0xb0, 0x1e, 0x1e); // marca de las líneas viejas
const QColor kVerdeAzulado(0x00, 0x40, 0x40);
const QColor kOro(0xd8, 0xb4, 0x5a);

qreal densidad() { return qApp ? qApp->devicePixelRatio() : 1.0; }

// Lienzo transparente del tamaño lógico dado, con la densidad de la pantalla.
QPixmap lienzo(QSize logico) {
    const qreal d = densidad();
    QPixmap p(QSize(static_cast<int>(std::ceil(logico.width() * d)),
                    static_cast<int>(std::ceil(logico.height() * d))));
    p.setDevicePixelRatio(d);
    p.fill(Qt::transparent);
    return p;
}

QPixmap imagenLinea(QSize tamano, char valor) {
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    dibujarLinea(pintor, QRectF(QPointF(0, 0), QSizeF(tamano)), valor);
    return p;
}

// Placa redondeada con degradado de los botones de los diálogos.
void placaBoton(QPainter& pintor, QSize tamano, const QColor& base) {
    QLinearGradient degradado(0, 0, 0, tamano.height());
    degradado.setColorAt(0, base.lighter(135));
    degradado.setColorAt(1, base.darker(115));
    pintor.setPen(QPen(base.darker(160), 1.2));
    pintor.setBrush(degradado);
    pintor.drawRoundedRect(QRectF(1, 1, tamano.width() - 2, tamano.height() - 2), 7, 7);
}

// Botón de aceptar o cancelar: una placa con una marca o un aspa.
QPixmap imagenBotonDialogo(bool aceptar) {
    const QSize tamano(75, 40);
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    placaBoton(pintor, tamano, aceptar ? QColor(0x2e, 0x7d, 0x32) : QColor(0xa3, 0x2a, 0x2a));
    pintor.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (aceptar) {
        QPainterPath marca;
        marca.moveTo(25, 21);
        marca.lineTo(33, 29);
        marca.lineTo(50, 11);
        pintor.drawPath(marca);
    } else {
        pintor.drawLine(QPointF(28, 11), QPointF(47, 29));
        pintor.drawLine(QPointF(47, 11), QPointF(28, 29));
    }
    return p;
}

// Fondo redondeado común a los iconos del menú.
void placaMenu(QPainter& pintor, const QRectF& zona) {
    QRadialGradient degradado(zona.center() - QPointF(zona.width() / 5, zona.height() / 5),
                              zona.width() * 0.8);
    degradado.setColorAt(0, QColor(0xf6, 0xec, 0xd2));
    degradado.setColorAt(1, QColor(0xcf, 0xb8, 0x86));
    pintor.setPen(QPen(kVerdeAzulado, 2));
    pintor.setBrush(degradado);
    pintor.drawRoundedRect(zona.adjusted(1.5, 1.5, -1.5, -1.5), zona.width() / 7, zona.width() / 7);
}

void moneda(QPainter& pintor, QPointF centro, qreal radio) {
    pintor.setPen(QPen(QColor(0x7a, 0x5a, 0x18), 1.5));
    pintor.setBrush(kOro);
    pintor.drawEllipse(centro, radio, radio);
    pintor.setBrush(QColor(0xf6, 0xec, 0xd2));
    const qreal lado = radio * 0.55;
    pintor.drawRect(QRectF(centro.x() - lado / 2, centro.y() - lado / 2, lado, lado));
}

// Un signo grande centrado, para los iconos de ayuda y de datos del programa.
void letraCentrada(QPainter& pintor, const QRectF& zona, const QString& signo, qreal alto,
                   bool cursiva) {
    QFont letra(QStringLiteral("DejaVu Serif"));
    letra.setBold(true);
    letra.setItalic(cursiva);
    letra.setPixelSize(static_cast<int>(zona.height() * alto));
    pintor.setFont(letra);
    pintor.setPen(kVerdeAzulado);
    pintor.drawText(zona, Qt::AlignCenter, signo);
}

QPixmap imagenMenu(int indice, QSize tamano) {
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QRectF zona(QPointF(0, 0), QSizeF(tamano));
    placaMenu(pintor, zona);
    const qreal w = zona.width();
    const qreal h = zona.height();
    const QPen tinta(kTinta, w / 18, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (indice) {
    case 0: // consulta con monedas
        moneda(pintor, QPointF(w * 0.32, h * 0.38), w * 0.17);
        moneda(pintor, QPointF(w * 0.66, h * 0.36), w * 0.17);
        moneda(pintor, QPointF(w * 0.49, h * 0.66), w * 0.17);
        break;
    case 1: { // figura hecha a mano: tres líneas y un lápiz
        for (int k = 0; k < 3; ++k)
            dibujarLinea(pintor, QRectF(w * 0.14, h * (0.22 + 0.2 * k), w * 0.5, h * 0.12),
                         k == 1 ? '8' : '7');
        pintor.setPen(QPen(kTinta, 1));
        pintor.setBrush(QColor(0xe0, 0x9a, 0x2a));
        QPainterPath lapiz;
        lapiz.moveTo(w * 0.86, h * 0.2);
        lapiz.lineTo(w * 0.94, h * 0.28);
        lapiz.lineTo(w * 0.72, h * 0.8);
        lapiz.lineTo(w * 0.66, h * 0.86);
        lapiz.lineTo(w * 0.66, h * 0.72);
        lapiz.closeSubpath();
        pintor.drawPath(lapiz);
        break;
    }
    case 2: // los 64: una cuadrícula de 8 por 8
        pintor.setPen(Qt::NoPen);
        for (int f = 0; f < 8; ++f) {
            for (int c = 0; c < 8; ++c) {
                pintor.setBrush((f + c) % 3 == 0 ? kMarca : kTinta);
                pintor.drawRect(
                    QRectF(w * (0.18 + c * 0.083), h * (0.18 + f * 0.083), w * 0.06, h * 0.06));
            }
        }
        break;
    case 3: { // la última consulta: flecha que vuelve sobre sí
        pintor.setPen(tinta);
        pintor.setBrush(Qt::NoBrush);
        const QRectF arco(w * 0.24, h * 0.24, w * 0.52, h * 0.52);
        pintor.drawArc(arco, 60 * 16, 280 * 16);
        const QPointF punta(arco.center().x() + arco.width() / 2 * std::cos(M_PI / 3),
                            arco.center().y() - arco.height() / 2 * std::sin(M_PI / 3));
        pintor.setBrush(kTinta);
        pintor.drawPolygon(
            QPolygonF({punta + QPointF(-w * 0.14, -h * 0.02), punta + QPointF(w * 0.04, -h * 0.12),
                       punta + QPointF(w * 0.03, h * 0.08)}));
        break;
    }
    case 4: // consulta archivada: un cajón de archivo
        pintor.setPen(QPen(kTinta, w / 24));
        pintor.setBrush(QColor(0x8a, 0x6a, 0x3a));
        pintor.drawRect(QRectF(w * 0.2, h * 0.22, w * 0.6, h * 0.56));
        pintor.setBrush(QColor(0xf6, 0xec, 0xd2));
        pintor.drawRect(QRectF(w * 0.28, h * 0.3, w * 0.44, h * 0.17));
        pintor.drawRect(QRectF(w * 0.28, h * 0.53, w * 0.44, h * 0.17));
        pintor.setBrush(kTinta);
        pintor.drawRect(QRectF(w * 0.44, h * 0.36, w * 0.12, h * 0.04));
        pintor.drawRect(QRectF(w * 0.44, h * 0.59, w * 0.12, h * 0.04));
        break;
    case 5: // ayuda
        letraCentrada(pintor, zona, QStringLiteral("?"), 0.62, false);
        break;
    case 6: { // salir: el signo de apagado
        pintor.setPen(QPen(kMarca, w / 14, Qt::SolidLine, Qt::RoundCap));
        pintor.setBrush(Qt::NoBrush);
        pintor.drawArc(QRectF(w * 0.26, h * 0.28, w * 0.48, h * 0.48), 120 * 16, 300 * 16);
        pintor.drawLine(QPointF(w * 0.5, h * 0.2), QPointF(w * 0.5, h * 0.5));
        break;
    }
    default: // datos del programa
        letraCentrada(pintor, zona, QStringLiteral("i"), 0.7, true);
        break;
    }
    return p;
}

// Un hexagrama pequeño (línea inferior primero) con su trazo en el color dado.
void figura(QPainter& pintor, const QRectF& zona, const char* lineas, const QColor& color) {
    const qreal alto = zona.height() / 6.0;
    for (int k = 0; k < 6; ++k) {
        const QRectF fila(zona.left(), zona.bottom() - alto * (k + 1) + alto * 0.2, zona.width(),
                          alto * 0.6);
        pintor.setPen(Qt::NoPen);
        pintor.setBrush(color);
        if (lineas[k] == '7') {
            pintor.drawRect(fila);
        } else {
            const qreal mitad = fila.width() * 0.42;
            pintor.drawRect(QRectF(fila.left(), fila.top(), mitad, fila.height()));
            pintor.drawRect(QRectF(fila.right() - mitad, fila.top(), mitad, fila.height()));
        }
    }
}

// Conmutador de la interpretación: una figura y una flecha hacia la otra figura; la
// flecha apunta a la derecha para ir al complementario y a la izquierda para volver.
QPixmap imagenConmutador(bool haciaComplementario) {
    const QSize tamano(48, 48);
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QRectF zona(QPointF(0, 0), QSizeF(tamano));
    placaMenu(pintor, zona);
    figura(pintor, QRectF(haciaComplementario ? 8 : 24, 9, 16, 30), "787878", kTinta);
    pintor.setPen(QPen(kMarca, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const qreal x0 = haciaComplementario ? 28 : 20;
    const qreal x1 = haciaComplementario ? 41 : 7;
    const qreal punta = haciaComplementario ? -5 : 5;
    pintor.drawLine(QPointF(x0, 24), QPointF(x1, 24));
    pintor.drawLine(QPointF(x1, 24), QPointF(x1 + punta, 19));
    pintor.drawLine(QPointF(x1, 24), QPointF(x1 + punta, 29));
    return p;
}

// Archivar (un cajón), imprimir (una impresora) y volver al menú (una casa).
QPixmap imagenInterpretar(int indice) {
    const QSize tamano(48, 48);
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QRectF zona(QPointF(0, 0), QSizeF(tamano));
    placaMenu(pintor, zona);
    pintor.setPen(QPen(kTinta, 2));
    if (indice == 0) {
        pintor.setBrush(QColor(0x8a, 0x6a, 0x3a));
        pintor.drawRect(QRectF(11, 11, 26, 26));
        pintor.setBrush(QColor(0xf6, 0xec, 0xd2));
        pintor.drawRect(QRectF(15, 15, 18, 8));
        pintor.drawRect(QRectF(15, 26, 18, 8));
    } else if (indice == 1) {
        pintor.setBrush(Qt::white);
        pintor.drawRect(QRectF(16, 8, 16, 12));
        pintor.setBrush(QColor(0x8a, 0x8a, 0x8a));
        pintor.drawRoundedRect(QRectF(9, 19, 30, 14), 3, 3);
        pintor.setBrush(Qt::white);
        pintor.drawRect(QRectF(15, 29, 18, 11));
        pintor.drawLine(QPointF(18, 33), QPointF(30, 33));
        pintor.drawLine(QPointF(18, 36), QPointF(27, 36));
    } else {
        pintor.setBrush(QColor(0xb0, 0x1e, 0x1e));
        pintor.drawPolygon(QPolygonF({QPointF(24, 8), QPointF(40, 23), QPointF(8, 23)}));
        pintor.setBrush(QColor(0xf6, 0xec, 0xd2));
        pintor.drawRect(QRectF(12, 23, 24, 16));
        pintor.setBrush(kTinta);
        pintor.drawRect(QRectF(21, 29, 7, 10));
    }
    return p;
}

// Botón de imprimir: una impresora con su hoja sobre una placa azul.
QPixmap imagenImprimir() {
    const QSize tamano(75, 40);
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QColor base(0x1f, 0x5f, 0x7a);
    placaBoton(pintor, tamano, base);
    pintor.setPen(QPen(Qt::white, 2));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawRect(QRectF(29, 6, 17, 9));
    pintor.setBrush(Qt::white);
    pintor.drawRoundedRect(QRectF(22, 14, 31, 13), 2, 2);
    pintor.setBrush(base);
    pintor.drawRect(QRectF(28, 23, 19, 12));
    pintor.drawLine(QPointF(31, 28), QPointF(44, 28));
    pintor.drawLine(QPointF(31, 31), QPointF(40, 31));
    return p;
}

// Botón de borrar: una papelera sobre una placa ocre.
QPixmap imagenEliminar() {
    const QSize tamano(75, 40);
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    placaBoton(pintor, tamano, QColor(0xc8, 0x9a, 0x48));
    pintor.setPen(QPen(kTinta, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    pintor.setBrush(QColor(0xf6, 0xec, 0xd2));
    pintor.drawRect(QRectF(30, 13, 15, 19));
    pintor.drawLine(QPointF(27, 12), QPointF(48, 12));
    pintor.drawLine(QPointF(34, 9), QPointF(41, 9));
    for (qreal x : {34.0, 37.5, 41.0})
        pintor.drawLine(QPointF(x, 16), QPointF(x, 29));
    return p;
}

QPixmap dibujarInicio() {
    const QSize tamano(500, 169);
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    QLinearGradient degradado(0, 0, 0, tamano.height());
    degradado.setColorAt(0, QColor(0x0b, 0x4a, 0x4a));
    degradado.setColorAt(1, QColor(0x02, 0x24, 0x24));
    pintor.fillRect(QRectF(QPointF(0, 0), QSizeF(tamano)), degradado);
    figura(pintor, QRectF(28, 26, 92, 117), "787878", kOro);
    figura(pintor, QRectF(380, 26, 92, 117), "878787", kOro);
    QFont titulo(QStringLiteral("DejaVu Serif"));
    titulo.setBold(true);
    titulo.setPixelSize(42);
    titulo.setLetterSpacing(QFont::PercentageSpacing, 106);
    pintor.setFont(titulo);
    pintor.setPen(QColor(0xf6, 0xec, 0xd2));
    pintor.drawText(QRectF(130, 30, 240, 70), Qt::AlignCenter, QStringLiteral("HEXORA"));
    QFont subtitulo(QStringLiteral("DejaVu Serif"));
    subtitulo.setItalic(true);
    subtitulo.setPixelSize(17);
    pintor.setFont(subtitulo);
    pintor.setPen(kOro);
    pintor.drawText(QRectF(120, 100, 260, 40), Qt::AlignCenter,
                    QStringLiteral("El libro de los cambios"));
    return p;
}

// Una cara de la moneda centrada en el origen: disco de metal con reborde y agujero
// cuadrado; la cara lleva cuatro signos y es más dorada, la cruz ocho puntos y es cobriza.
void ladoMoneda(QPainter& pintor, qreal radio, bool cara) {
    const QColor oscuro(0x5a, 0x3c, 0x10);
    QRadialGradient metal(QPointF(-radio * 0.35, -radio * 0.35), radio * 1.6);
    metal.setColorAt(0, cara ? QColor(0xfb, 0xe6, 0x9a) : QColor(0xf0, 0xc0, 0x8c));
    metal.setColorAt(1, cara ? QColor(0xb0, 0x80, 0x28) : QColor(0x8a, 0x50, 0x22));
    pintor.setPen(QPen(oscuro, radio * 0.06));
    pintor.setBrush(metal);
    pintor.drawEllipse(QPointF(0, 0), radio, radio);
    pintor.setPen(QPen(QColor(0x5a, 0x3c, 0x10, 150), radio * 0.04));
    pintor.setBrush(Qt::NoBrush);
    pintor.drawEllipse(QPointF(0, 0), radio * 0.84, radio * 0.84);

    const qreal lado = radio * 0.42;
    const QRectF hueco(-lado / 2, -lado / 2, lado, lado);
    pintor.setPen(QPen(oscuro, radio * 0.05));
    pintor.drawRect(hueco.adjusted(-radio * 0.05, -radio * 0.05, radio * 0.05, radio * 0.05));
    pintor.save();
    pintor.setCompositionMode(QPainter::CompositionMode_Clear);
    pintor.fillRect(hueco, Qt::transparent);
    pintor.restore();

    pintor.save();
    if (cara) {
        pintor.setPen(QPen(oscuro, radio * 0.08, Qt::SolidLine, Qt::RoundCap));
        for (int k = 0; k < 4; ++k) {
            pintor.save();
            pintor.rotate(90.0 * k);
            pintor.translate(0, -radio * 0.6);
            pintor.drawLine(QPointF(-radio * 0.13, -radio * 0.08),
                            QPointF(radio * 0.13, -radio * 0.08));
            pintor.drawLine(QPointF(0, -radio * 0.08), QPointF(0, radio * 0.12));
            pintor.restore();
        }
    } else {
        pintor.setPen(Qt::NoPen);
        pintor.setBrush(oscuro);
        for (int k = 0; k < 8; ++k) {
            const qreal angulo = M_PI / 4 * k + M_PI / 8;
            pintor.drawEllipse(QPointF(std::cos(angulo), std::sin(angulo)) * radio * 0.6,
                               radio * 0.07, radio * 0.07);
        }
    }
    pintor.restore();
}

// Fotograma de una moneda: de frente (ancho 1), a medio volver (ancho menor, algo más
// oscura) o de perfil (ancho 0), que se dibuja como el canto.
QPixmap imagenMoneda(qreal ancho, bool cara) {
    const QSize tamano(64, 64);
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    const qreal radio = 29;
    pintor.translate(32, 32);
    if (ancho <= 0) {
        QLinearGradient canto(-5, 0, 5, 0);
        canto.setColorAt(0, QColor(0x8a, 0x62, 0x20));
        canto.setColorAt(0.5, QColor(0xf0, 0xd2, 0x7a));
        canto.setColorAt(1, QColor(0x8a, 0x62, 0x20));
        pintor.setPen(QPen(QColor(0x5a, 0x3c, 0x10), 1.5));
        pintor.setBrush(canto);
        pintor.drawRoundedRect(QRectF(-5, -radio, 10, 2 * radio), 3, 3);
        pintor.setPen(QPen(QColor(0x5a, 0x3c, 0x10, 120), 1));
        for (qreal y = -radio + 5; y < radio - 3; y += 4)
            pintor.drawLine(QPointF(-4, y), QPointF(4, y));
        return p;
    }
    pintor.scale(ancho, 1);
    ladoMoneda(pintor, radio, cara);
    if (ancho < 1) {
        pintor.setPen(Qt::NoPen);
        pintor.setBrush(QColor(0, 0, 0, static_cast<int>(90 * (1 - ancho))));
        pintor.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        pintor.drawEllipse(QPointF(0, 0), radio + 2, radio + 2);
    }
    return p;
}

// Botón de las monedas: un dibujo que dice lo que hará y la palabra, legible sin más.
QPixmap imagenArrojarParar(bool parar) {
    const QSize tamano(150, 48);
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    if (parar) {
        QPolygonF octogono;
        for (int k = 0; k < 8; ++k) {
            const qreal angulo = M_PI / 4 * k + M_PI / 8;
            octogono << QPointF(28 + 17 * std::cos(angulo), 24 + 17 * std::sin(angulo));
        }
        pintor.setPen(QPen(Qt::white, 2));
        pintor.setBrush(kMarca);
        pintor.drawPolygon(octogono);
        pintor.setPen(Qt::NoPen);
        pintor.setBrush(Qt::white);
        pintor.drawRect(QRectF(18, 21, 20, 6));
    } else {
        for (const QPointF centro : {QPointF(20, 17), QPointF(36, 19), QPointF(27, 33)}) {
            pintor.save();
            pintor.translate(centro);
            ladoMoneda(pintor, 10, centro.y() < 30);
            pintor.restore();
        }
    }
    QFont letra(QStringLiteral("DejaVu Sans"));
    letra.setBold(true);
    letra.setPixelSize(19);
    letra.setLetterSpacing(QFont::PercentageSpacing, 108);
    pintor.setFont(letra);
    pintor.setPen(kVerdeAzulado);
    pintor.drawText(QRectF(52, 0, 96, 48), Qt::AlignVCenter | Qt::AlignLeft,
                    parar ? QStringLiteral("PARAR") : QStringLiteral("TIRAR"));
    return p;
}

} // namespace

void dibujarLinea(QPainter& pintor, const QRectF& zona, char valor) {
    pintor.save();
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(kTinta);
    const bool yang = valor == '7' || valor == '9';
    const qreal hueco = zona.width() * 0.16;
    const qreal mitad = (zona.width() - hueco) / 2;
    if (yang) {
        pintor.drawRect(zona);
    } else {
        pintor.drawRect(QRectF(zona.left(), zona.top(), mitad, zona.height()));
        pintor.drawRect(QRectF(zona.right() - mitad, zona.top(), mitad, zona.height()));
    }
    // Las líneas viejas llevan su marca: un círculo el yang, un aspa el yin.
    const qreal lado = zona.height() * 0.8;
    const QRectF marca(zona.center().x() - lado / 2, zona.center().y() - lado / 2, lado, lado);
    const qreal grosor = std::max<qreal>(1.5, zona.height() / 8);
    if (valor == '9') {
        pintor.setPen(QPen(kMarca, grosor));
        pintor.setBrush(QColor(0xf6, 0xec, 0xd2));
        pintor.drawEllipse(marca);
    } else if (valor == '6') {
        pintor.setPen(QPen(kMarca, grosor, Qt::SolidLine, Qt::RoundCap));
        pintor.drawLine(marca.topLeft(), marca.bottomRight());
        pintor.drawLine(marca.topRight(), marca.bottomLeft());
    }
    pintor.restore();
}

QPixmap GRAFICOS::fondo(QSize tamano) {
    QPixmap p = lienzo(tamano);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    const QRectF zona(QPointF(0, 0), QSizeF(tamano));
    QRadialGradient degradado(zona.center(), std::max(zona.width(), zona.height()) * 0.75);
    degradado.setColorAt(0, QColor(0x13, 0x5e, 0x5e));
    degradado.setColorAt(1, QColor(0x01, 0x1c, 0x1c));
    pintor.fillRect(zona, degradado);
    // Un hexagrama grande y tenue en el centro, proporcional a la pantalla.
    const qreal alto = zona.height() * 0.5;
    const QRectF centro(zona.center().x() - alto * 0.6, zona.center().y() - alto / 2, alto * 1.2,
                        alto);
    QColor tenue = kOro;
    tenue.setAlpha(38);
    figura(pintor, centro, "787878", tenue);
    QFont titulo(QStringLiteral("DejaVu Serif"));
    titulo.setBold(true);
    titulo.setPixelSize(std::max(18, static_cast<int>(zona.height() / 12)));
    titulo.setLetterSpacing(QFont::PercentageSpacing, 115);
    pintor.setFont(titulo);
    QColor claro(0xf6, 0xec, 0xd2);
    claro.setAlpha(200);
    pintor.setPen(claro);
    pintor.drawText(
        QRectF(0, centro.bottom() + zona.height() * 0.02, zona.width(), zona.height() / 9),
        Qt::AlignCenter, QStringLiteral("HEXORA"));
    return p;
}

const QPixmap& botonDialogo(bool aceptar) {
    static const std::array<QPixmap, 2> botones = {imagenBotonDialogo(false),
                                                   imagenBotonDialogo(true)};
    return botones[aceptar ? 1 : 0];
}

GRAFICOS& Graficos() {
    static GRAFICOS g;
    static bool cargado = false;
    if (!cargado) {
        cargado = true;
        for (int i = 0; i < 4; ++i) {
            const char valor = static_cast<char>('6' + i);
            g.GRFLINEA[i] = imagenLinea(QSize(172, 31), valor);
            g.GRFLINEAm[i] = imagenLinea(QSize(103, 19), valor);
            g.GRFLINEAp[i] = imagenLinea(QSize(86, 16), valor);
        }
        for (int i = 0; i < 8; ++i)
            g.imagenesMenu[i] = imagenMenu(i, i == 7 ? QSize(29, 31) : QSize(61, 61));
        g.imagenInicio = dibujarInicio();
        g.Gaceptar = botonDialogo(true);
        g.Gcancelar = botonDialogo(false);
        g.IMGHEXAGR[0] = imagenConmutador(false);
        g.IMGHEXAGR[1] = imagenConmutador(true);
        for (int i = 0; i < 3; ++i)
            g.imagenesInterpretar[i] = imagenInterpretar(i);
        g.Geliminar = imagenEliminar();
        g.Gimprimir = imagenImprimir();
        g.grfmoneda = {imagenMoneda(1, true),    imagenMoneda(0.7, true), imagenMoneda(0, true),
                       imagenMoneda(0.4, false), imagenMoneda(1, false),  imagenMoneda(0.7, false),
                       imagenMoneda(0.4, true)};
        g.GRFarrojarParar = {imagenArrojarParar(false), imagenArrojarParar(true)};
    }
    return g;
}

} // namespace hexora
