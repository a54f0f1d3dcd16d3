#pragma once
// Diálogos de impresora y de letras de Qt, con su punto de sustitución para las pruebas.
// Un fallo (no la cancelación, que es devolver false o nada) lanza FalloImpresion.

#include <QFont>

#include <functional>
#include <optional>

class QPrinter;
class QWidget;

namespace hexora {

bool DialogoImpresora(QPrinter& impresora, QWidget* padre);
void fijarDialogoImpresora(std::function<bool(QPrinter&)> dialogo);

std::optional<QFont> DialogoFuentes(const QFont& inicial, QWidget* padre);
void fijarDialogoFuentes(std::function<std::optional<QFont>(const QFont&)> dialogo);

} // namespace hexora
