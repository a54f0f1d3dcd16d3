#include "EntradaCp1252.h"

#include "core/Cp1252.h"

#include <QLineEdit>

#include <algorithm>
#include <memory>

namespace hexora {

namespace {

bool admisible(QChar c) {
    // Un carácter fuera del plano básico (emoji...) llega en dos mitades y ninguna cabe en
    // Windows-1252. Los de control no se ven y estorban al archivar y al imprimir.
    const char16_t u = c.unicode();
    if (c.isSurrogate() || u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
        return false;
    return unicodeACp1252(u).has_value();
}

} // namespace

void limitarACp1252(QLineEdit* cuadro, int maximo,
                    std::function<void(bool quitados, bool cortado)> avisar) {
    // Sin setMaxLength: Qt cortaría lo pegado antes de filtrarlo, perdiendo en silencio lo
    // que sí cabía detrás de lo que no.
    auto admitido = std::make_shared<QString>(cuadro->text());
    QObject::connect(cuadro, &QLineEdit::textChanged, cuadro, [=](const QString& escrito) {
        // Los acentos pegados como marcas aparte se componen antes de filtrar: "é" cabe en
        // Windows-1252, la marca suelta no.
        const QString texto = escrito.normalized(QString::NormalizationForm_C);
        // Lo insertado es lo que queda entre el principio y el final comunes con lo admitido.
        const qsizetype menor = std::min(admitido->size(), texto.size());
        qsizetype inicio = 0;
        while (inicio < menor && admitido->at(inicio) == texto.at(inicio))
            ++inicio;
        qsizetype fin = 0;
        while (fin < menor - inicio &&
               admitido->at(admitido->size() - 1 - fin) == texto.at(texto.size() - 1 - fin))
            ++fin;
        const qsizetype ocupado = inicio + fin;
        qsizetype libre = maximo > ocupado ? maximo - ocupado : 0;
        QString puesto;
        bool quitados = false;
        bool cortado = false;
        for (const QChar c : texto.mid(inicio, texto.size() - ocupado)) {
            if (!admisible(c)) {
                quitados = true;
                continue;
            }
            if (libre == 0) {
                cortado = true;
                break;
            }
            puesto += c;
            --libre;
        }
        *admitido = texto.left(inicio) + puesto + texto.right(fin);
        if (*admitido != escrito) {
            cuadro->setText(*admitido);
            cuadro->setCursorPosition(static_cast<int>(inicio + puesto.size()));
        }
        if (avisar && (quitados || cortado))
            avisar(quitados, cortado);
    });
}

} // namespace hexora
