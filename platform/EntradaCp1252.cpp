#include "EntradaCp1252.h"

#include "core/Cp1252.h"

#include <QLineEdit>

namespace hexora {

void limitarACp1252(QLineEdit* cuadro, int maximo) {
    cuadro->setMaxLength(maximo);
    QObject::connect(cuadro, &QLineEdit::textChanged, cuadro, [cuadro](const QString& texto) {
        QString limpio;
        limpio.reserve(texto.size());
        for (const QChar c : texto) {
            // Un carácter fuera del plano básico (emoji...) llega en dos mitades y ninguna
            // cabe en Windows-1252.
            if (!c.isSurrogate() && unicodeACp1252(c.unicode()))
                limpio += c;
        }
        if (limpio != texto) {
            const int posicion =
                cuadro->cursorPosition() - static_cast<int>(texto.size() - limpio.size());
            cuadro->setText(limpio);
            cuadro->setCursorPosition(std::max(0, posicion));
        }
    });
}

} // namespace hexora
