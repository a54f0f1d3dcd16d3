#include "NombresHexagrama.h"

#include "core/Aritmetica.h"
#include "core/Tablas.h"
#include "core/Texto.h"
#include "platform/Plataforma.h"

#include <QLabel>

namespace hexora {

void mostrarNombresHexagrama(const std::string& lineas, const std::array<QLabel*, 2>& TXTHEXAGRAMA,
                             const std::array<QLabel*, 2>& TXTTRIGRAMA) {
    TXTTRIGRAMA[1]->setText(textoQt(NombreTrigrama(lineas.substr(0, 3))));
    TXTTRIGRAMA[0]->setText(
        textoQt(NombreTrigrama(lineas.size() >= 6 ? lineas.substr(3, 3) : std::string())));
    const auto& fila = filaHexagrama(NumeroHexagrama(lineas));
    TXTHEXAGRAMA[0]->setText(textoQt(recortar(fila[1])) + QStringLiteral("-") + textoQt(fila[4]));
    TXTHEXAGRAMA[1]->setText(textoQt(recortar(fila[5])));
}

QString nombreValorLinea(char valor) {
    switch (valor) {
    case '6': return QStringLiteral("yin viejo (6)");
    case '7': return QStringLiteral("yang joven (7)");
    case '8': return QStringLiteral("yin joven (8)");
    case '9': return QStringLiteral("yang viejo (9)");
    default: return QString();
    }
}

QString nombreAccesibleLinea(int lugar, char valor) {
    const QString nombre = QStringLiteral("Línea %1").arg(lugar + 1);
    const QString valorDicho = nombreValorLinea(valor);
    return valorDicho.isEmpty() ? nombre : nombre + QStringLiteral(": ") + valorDicho;
}

} // namespace hexora
