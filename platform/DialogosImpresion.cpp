#include "DialogosImpresion.h"

#include "core/Superficies.h"

#include <QDialogButtonBox>
#include <QFontDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace hexora {

namespace {

std::function<bool(QPrinter&)>& dialogoImpresora() {
    static std::function<bool(QPrinter&)> d;
    return d;
}

std::function<std::optional<QFont>(const QFont&)>& dialogoFuentes() {
    static std::function<std::optional<QFont>(const QFont&)> d;
    return d;
}

} // namespace

bool DialogoImpresora(QPrinter& impresora, QWidget* padre) {
    if (dialogoImpresora())
        return dialogoImpresora()(impresora);
    if (!impresora.isValid())
        throw FalloImpresion(kErrorImpresora, "La impresora no está disponible.");
    QPrintDialog dialogo(&impresora, padre);
    // Aquí solo se elige la impresora (o el PDF) de los informes siguientes: el botón de
    // aceptar no imprime y no debe decir que lo hace.
    dialogo.setWindowTitle(QStringLiteral("Configurar impresora"));
    if (auto* botones = dialogo.findChild<QDialogButtonBox*>()) {
        if (QPushButton* aceptar = botones->button(QDialogButtonBox::Ok))
            aceptar->setText(QStringLiteral("Aceptar"));
    }
    // Se imprime siempre el informe entero: no hay páginas ni selección que elegir.
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialogo.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialogo.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    return dialogo.exec() == QDialog::Accepted;
}

void fijarDialogoImpresora(std::function<bool(QPrinter&)> dialogo) {
    dialogoImpresora() = std::move(dialogo);
}

std::optional<QFont> DialogoFuentes(const QFont& inicial, QWidget* padre) {
    if (dialogoFuentes())
        return dialogoFuentes()(inicial);
    bool aceptado = false;
    const QFont elegida = QFontDialog::getFont(&aceptado, inicial, padre, QString(),
                                               QFontDialog::DontUseNativeDialog);
    if (!aceptado)
        return std::nullopt;
    return elegida;
}

void fijarDialogoFuentes(std::function<std::optional<QFont>(const QFont&)> dialogo) {
    dialogoFuentes() = std::move(dialogo);
}

} // namespace hexora
