#pragma once
// Cuadro de texto que solo admite lo que Windows-1252 puede guardar, hasta un máximo de
// caracteres: lo demás desaparece a la vista en cuanto se teclea o se pega, nunca más
// tarde y en silencio en el archivo.

class QLineEdit;

namespace hexora {

void limitarACp1252(QLineEdit* cuadro, int maximo);

} // namespace hexora
